// Links: numbering, styling, hover rectangle and focus rectangle.

#include "richtext/Markup.h"
#include "richtext/RenderState.h"

namespace quillmere::richtext {

void LinePass::OpenLink(std::string_view tag) {
  if (Drawing() && args_.focusLink == flow_.linkCount) {
    call_.focusStartX = penX_;
    call_.focusStartY = rect_.top;
  }
  const int number = ++flow_.linkCount;
  const bool hovered = args_.hoverOnly && number == args_.hoverLink;
  if (Drawing() && (!args_.hoverOnly || hovered)) {
    font_.style |= kUnderline;
    if (args_.hoverColor != clNone) {
      call_.linkBackground = canvas_.Background();
      canvas_.SetBackground(args_.hoverColor);
    }
    if (args_.hoverFontColor != clNone) {
      call_.linkText = font_.color;
      font_.color = args_.hoverFontColor;
    }
  }
  if (!args_.selected && !(hovered && args_.hoverFontColor != clNone)) font_.color = args_.urlColor;
  ApplyFont();
  flow_.linkValue = QuotedValue(tag);
  flow_.insideLink = true;
  call_.linkStartX = rect_.left + m_.width;
  call_.linkStartTop = rect_.top;
}

void LinePass::CloseLink() {
  const bool hovered = args_.hoverOnly && flow_.linkCount == args_.hoverLink;
  if (Drawing() && (!args_.hoverOnly || hovered)) {
    font_.style &= ~kUnderline;
    if (args_.hoverColor != clNone) canvas_.SetBackground(call_.linkBackground);
    if (args_.hoverFontColor != clNone) font_.color = call_.linkText;
  }
  if (!args_.selected) font_.color = call_.baseFont.color;
  ApplyFont();
  const bool wasInside = flow_.insideLink;
  flow_.insideLink = false;
  // Only the hit-testing pass finds text hits; they wait for the link's end.
  if (pass_ == Pass::kHitTest && call_.pendingHit) {
    call_.out.hoverRect = {call_.linkStartX, call_.linkStartTop, rect_.left + m_.width,
                           rect_.bottom};
    call_.out.mouseLink = flow_.linkCount;
    call_.pendingHit = false;
  }
  // A closing tag with no link open frames nothing.
  if (wasInside && flow_.linkCount - 1 == args_.focusLink) {
    const int bottom = rect_.bottom - m_.lift;
    DrawFocusSegment({call_.focusStartX - 1, bottom - GhHeight(), penX_ + 1, bottom});
  }
}

void LinePass::DrawFocusSegment(const Rect& segment) {
  if (Drawing()) canvas_.FocusRect(segment);
}

}  // namespace quillmere::richtext
