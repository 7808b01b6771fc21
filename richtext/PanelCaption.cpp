#include "richtext/PanelCaption.h"

namespace quillmere::richtext {
namespace {

constexpr int kButtonGap = 2;

}  // namespace

CaptionLayout LayOutCaption(const TPanelCaption& caption, Size client, int bevelWidth) {
  CaptionLayout layout;
  if (!caption.Visible) return layout;
  layout.bar = {bevelWidth, bevelWidth, client.width - bevelWidth,
                bevelWidth + caption.Height - 2 * bevelWidth};
  const int side = layout.bar.bottom - layout.bar.top - 2 * kButtonGap;
  if (side <= 0) return layout;
  int right = layout.bar.right - kButtonGap;
  const auto place = [&](Rect& button) {
    button = {right - side, layout.bar.top + kButtonGap, right, layout.bar.top + kButtonGap + side};
    right -= side + kButtonGap;
  };
  if (caption.CloseButton) place(layout.close);
  if (caption.MinMaxButton) place(layout.minMax);
  return layout;
}

bool Contains(const Rect& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

CaptionPart CaptionPartAt(const CaptionLayout& layout, int x, int y) {
  if (Contains(layout.close, x, y)) return CaptionPart::kClose;
  if (Contains(layout.minMax, x, y)) return CaptionPart::kMinMax;
  if (Contains(layout.bar, x, y)) return CaptionPart::kBar;
  return CaptionPart::kNone;
}

Rect SizeGripRect(Size client, int side) {
  return {client.width - side, client.height - side, client.width, client.height};
}

}  // namespace quillmere::richtext
