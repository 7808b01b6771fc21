// BODY, LI, P and FONT.

#include "richtext/Markup.h"
#include "richtext/PictureContainer.h"
#include "richtext/RenderState.h"

namespace quillmere::richtext {
namespace {

bool Has(std::string_view text, std::string_view what) {
  return text.find(what) != std::string_view::npos;
}

// "#RRGGBB" or a colour name, from upper-cased attribute text.
TColor ColorValue(std::string_view value) {
  return value.starts_with('#') ? ColorFromHex(value) : ColorFromName(LowerCase(value));
}

// Tiles the picture over the bounds, from their top-left corner.
void TileBackground(DrawingSurface& canvas, const Rect& bounds, const THTMLPicture& picture) {
  const int width = picture.Width();
  const int height = picture.Height();
  canvas.ClipTo(bounds);
  for (int y = bounds.top; y < bounds.bottom; y += height) {
    for (int x = bounds.left; x < bounds.right; x += width) {
      picture.Draw(canvas, {x, y, x + width, y + height});
    }
  }
  canvas.RemoveClip();
}

}  // namespace

void LinePass::Body(std::string_view tag) {
  if (!Drawing()) return;
  const std::string upper = UpperCase(tag);
  if (Has(upper, "BACKGROUND")) {
    const THTMLPicture* picture = ResolvePicture(AttributeValue(upper, "BACKGROUND"),
                                                 args_.pictureContainer, args_.pictureCache);
    if (picture && !picture->Empty() && picture->Width() > 0 && picture->Height() > 0) {
      TileBackground(canvas_, args_.bounds, *picture);
    }
  }
  if (Has(upper, "BGCOLOR")) {
    const std::string_view value = AttributeValue(upper, "BGCOLOR");
    if (Has(value, "CL")) canvas_.SetBackground(ColorFromName(LowerCase(value)));
    if (Has(value, "#")) canvas_.SetBackground(ColorFromHex(value));
    call_.fontBodyBackground = canvas_.Background();
    if (call_.fontBodyBackground != clNone)
      canvas_.FillRect(args_.bounds, call_.fontBodyBackground);
  }
}

// The item's text starts list level × 12 pixels right of the pen, its bullet 12
// pixels before that: a dot in the Symbol face on odd levels, a circle on even.
void LinePass::ListItem() {
  if (listItemMet_) {
    lineFull_ = true;  // one item a line: this one starts the next
    return;
  }
  listItemMet_ = true;
  m_.width += flow_.listLevel * 12;
  penX_ += (flow_.listLevel - 1) * 12;
  if (Drawing()) {
    FontState symbol = font_;
    symbol.name = "Symbol";
    canvas_.SetFont(symbol);
    // U+00B7, which the Symbol face shows as its bullet.
    const std::string_view bullet = flow_.listLevel % 2 != 0 ? "\xC2\xB7" : "o";
    canvas_.DrawRun(bullet, {penX_, rect_.top, rect_.right, rect_.top + canvas_.TextHeight(bullet)},
                    false);
    ApplyFont();
  }
  penX_ += 12;
}

void LinePass::Paragraph(std::string_view attributes) {
  if (Has(attributes, "ALIGN")) {
    const std::string_view value = AttributeValue(attributes, "ALIGN");
    if (Has(value, "RIGHT")) call_.alignment = Alignment::kRight;
    if (Has(value, "LEFT")) call_.alignment = Alignment::kLeft;
    if (Has(value, "CENTER")) call_.alignment = Alignment::kCenter;
  }
  if (Has(attributes, "INDENT")) call_.indent = ReadNumber(AttributeValue(attributes, "INDENT"));
  if (Has(attributes, "BGCOLOR") && Drawing()) {
    const std::string_view value = AttributeValue(attributes, "BGCOLOR");
    const TColor band = value.empty() ? clNone : ColorValue(value);
    call_.bandOn = true;
    call_.paragraphBackground = canvas_.Background();
    canvas_.SetBackground(band);
    if (band != clNone) {
      canvas_.FillRect({args_.bounds.left, rect_.top, args_.bounds.right, rect_.bottom}, band);
    }
  }
}

void LinePass::EndParagraph() {
  lineEnd_ = true;
  if (!Drawing()) return;
  canvas_.SetBackground(call_.paragraphBackground);
  call_.bandOn = false;
}

void LinePass::Font(std::string_view attributes) {
  if (Has(attributes, "FACE")) font_.name = AttributeValue(attributes, "FACE");
  // With its blank, so that BGCOLOR is not taken for it.
  if (Has(attributes, " COLOR") && !args_.selected) {
    const std::string_view value = AttributeValue(attributes, " COLOR");
    if (!value.empty()) font_.color = ColorValue(value);
  }
  if (Has(attributes, "BGCOLOR") && Drawing() && !args_.selected) {
    call_.fontBodyBackground = canvas_.Background();
    const std::string_view value = AttributeValue(attributes, "BGCOLOR");
    if (!value.empty()) canvas_.SetBackground(ColorValue(value));
  }
  if (const std::size_t at = attributes.find("SIZE"); at != std::string_view::npos) {
    std::string_view value = attributes.substr(at + 4);
    if (const std::size_t equals = value.find('='); equals != std::string_view::npos) {
      value.remove_prefix(equals + 1);
    }
    if (const std::size_t quote = value.find('"'); quote != std::string_view::npos) {
      value.remove_prefix(quote + 1);
    }
    const int size = ReadNumber(value);
    font_.size = size >= 1 && size <= 5 ? 6 + 2 * size : size;
  }
  ApplyFont();
}

void LinePass::EndFont() {
  font_.name = call_.baseFont.name;
  font_.size = call_.baseFont.size;
  if (Drawing() && !args_.selected) {
    font_.color = call_.baseFont.color;
    canvas_.SetBackground(call_.fontBodyBackground);
  }
  ApplyFont();
}

}  // namespace quillmere::richtext
