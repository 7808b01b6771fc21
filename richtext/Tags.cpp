// The tags: which letters decide, and the effects of the simple ones.

#include <algorithm>

#include "richtext/Markup.h"
#include "richtext/RenderState.h"

namespace quillmere::richtext {
namespace {

char Letter(std::string_view text, std::size_t at) {
  const char c = at < text.size() ? text[at] : '\0';
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The attributes between the tag's first `skip` characters and its '>'.
std::string TagAttributes(std::string_view tag, std::size_t skip) {
  const std::size_t end = tag.size() - 1;  // the '>'
  return UpperCase(tag.substr(std::min(skip, end), end - std::min(skip, end)));
}

}  // namespace

void LinePass::Tag() {
  const std::string_view rest = Rest();
  const std::size_t close = rest.find('>');
  const std::string_view tag = close == std::string_view::npos ? rest : rest.substr(0, close + 1);
  if (rest[1] == '/' && rest.size() > 3) {
    ClosingTag(rest);
  } else {
    OpeningTag(rest, tag);
  }
  if (lineFull_) return;  // the tag waits for the next line
  // A tag without '>' takes the rest of the text with it.
  at_ += tag.size();
}

void LinePass::OpeningTag(std::string_view rest, std::string_view tag) {
  const bool closed = tag.ends_with('>');
  const char second = Letter(rest, 2);
  switch (Letter(rest, 1)) {
    case 'A':
      OpenLink(tag);
      break;
    case 'B':
      if (second == '>') {
        SetStyle(kBold, true);
      } else if (second == 'R') {
        lineEnd_ = true;
        if (pass_ == Pass::kMeasure) call_.out.plainText += '\r';
      } else if (second == 'L') {
        if (!args_.blinkOn) {
          font_.color = call_.callerBackground;
          ApplyFont();
        }
      } else if (second == 'O') {
        Body(tag);
      }
      break;
    case 'E':
      if (Drawing()) call_.errorMark = true;
      break;
    case 'H':
      if (second == 'I') {
        Highlight();
      } else if (second == 'R') {
        Rule();
      }
      break;
    case 'I':
      if (second == '>') {
        SetStyle(kItalic, true);
      } else if (second == 'N') {
        TabStop(tag);
      } else if (second == 'M') {
        Image(tag);
      }
      break;
    case 'L':
      ListItem();
      break;
    case 'P':
      if (closed) Paragraph(TagAttributes(tag, 2));
      break;
    case 'R':
      Rotate(tag);
      break;
    case 'S':
      if (second == '>') {
        SetStyle(kStrikeOut, true);
      } else if (second == 'H') {
        flow_.shadow = true;
      } else if (FindNoCase(rest, "<SUB>") == 0) {
        flow_.subscript = true;
      } else if (FindNoCase(rest, "<SUP>") == 0) {
        flow_.superscript = true;
      }
      break;
    case 'U':
      if (second == '>') {
        SetStyle(kUnderline, true);
      } else {
        ++flow_.listLevel;
      }
      break;
    case 'Z':
      flow_.hidden = true;
      break;
    case 'F':
      if (closed) Font(TagAttributes(tag, 5));
      break;
    default:
      break;
  }
}

void LinePass::ClosingTag(std::string_view rest) {
  const char second = Letter(rest, 3);
  switch (Letter(rest, 2)) {
    case 'A':
      CloseLink();
      break;
    case 'B':
      if (second == '>') {
        SetStyle(kBold, false);
      } else {
        font_.color = call_.baseFont.color;
        ApplyFont();
      }
      break;
    case 'E':
      if (Drawing()) call_.errorMark = false;
      break;
    case 'F':
      EndFont();
      break;
    case 'H':
      EndHighlight();
      break;
    case 'I':
      SetStyle(kItalic, false);
      break;
    case 'P':
      EndParagraph();
      break;
    case 'R':
      EndRotation();
      break;
    case 'S':
      if (second == 'U') {
        flow_.subscript = flow_.superscript = false;
      } else if (second == 'H') {
        flow_.shadow = false;
      } else {
        SetStyle(kStrikeOut, false);
      }
      break;
    case 'U':
      if (second == '>' || flow_.listLevel == 0) {
        SetStyle(kUnderline, false);
      } else {
        --flow_.listLevel;
      }
      break;
    case 'Z':
      flow_.hidden = false;
      break;
    default:
      break;
  }
}

void LinePass::SetStyle(std::uint8_t bit, bool on) {
  font_.style = on ? font_.style | bit : font_.style & ~bit;
  ApplyFont();
}

void LinePass::Highlight() {
  if (!Drawing()) return;
  call_.highlightText = font_.color;
  call_.highlightBackground = canvas_.Background();
  canvas_.SetBackground(clHighlight);
  font_.color = clHighlightText;
  ApplyFont();
}

void LinePass::EndHighlight() {
  if (!Drawing()) return;
  font_.color = call_.highlightText;
  canvas_.SetBackground(call_.highlightBackground);
  ApplyFont();
}

void LinePass::Rule() {
  lineEnd_ = true;
  if (Drawing()) canvas_.Line(rect_.left, rect_.bottom + 1, rect_.right, rect_.bottom + 1, clBlack);
}

// The angle is the quoted value after the first 'a' of the tag, in degrees.
// Rotation only shows in drawing; measurements are not corrected for it.
void LinePass::Rotate(std::string_view tag) {
  if (!Drawing()) return;
  const std::size_t a = FindNoCase(tag, "A", 2);
  if (a == std::string_view::npos) return;
  canvas_.SelectRotatedFont(ReadNumber(QuotedValue(tag, a + 1)) * 10);
  ++call_.rotations;
}

void LinePass::EndRotation() {
  if (!Drawing() || call_.rotations == 0) return;
  canvas_.RestoreFont();
  --call_.rotations;
}

// The quoted value after the first 'x', a whole number of pixels from the line's left.
void LinePass::TabStop(std::string_view tag) {
  const std::size_t x = FindNoCase(tag, "X", 1);
  if (x == std::string_view::npos) return;
  const std::optional<int> stop = ReadWholeNumber(QuotedValue(tag, x + 1));
  if (!stop || m_.width >= *stop) return;
  m_.width = *stop;
  penX_ = rect_.left + *stop;
}

}  // namespace quillmere::richtext
