#include "richtext/PanelView.h"

#include <algorithm>

#include "richtext/AdvImage.h"
#include "richtext/MiniHtml.h"

namespace quillmere::richtext {
namespace {

constexpr TColor kButtonHighlight = SystemColor(20);
constexpr TColor kButtonShadow = SystemColor(16);

// `width` rings inside `rect`, each with its top and left in `topLeft` and its
// bottom and right (corners included) in `bottomRight`; `rect` shrinks past them.
void Frame3D(DrawingSurface& canvas, Rect& rect, TColor topLeft, TColor bottomRight, int width) {
  for (int i = 0; i < width; ++i) {
    const Rect r = rect;
    canvas.FillRect({r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    canvas.FillRect({r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    canvas.FillRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    rect = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
}

void Bevel(DrawingSurface& canvas, Rect& rect, TBevelCut cut, int width) {
  if (cut == bvRaised) Frame3D(canvas, rect, kButtonHighlight, kButtonShadow, width);
  if (cut == bvLowered) Frame3D(canvas, rect, kButtonShadow, kButtonHighlight, width);
}

int BevelWidth(TBevelCut cut, int width) { return cut != bvNone ? std::max(width, 0) : 0; }

int OuterBevel(const PanelView& panel) {
  return BevelWidth(panel.bevels.outer, panel.bevels.width);
}

// The area inside the frame, below the caption bar.
Rect InsideFrame(const PanelView& panel) {
  const PanelBevels& bevels = panel.bevels;
  const int rings =
      OuterBevel(panel) + std::max(bevels.borderWidth, 0) + BevelWidth(bevels.inner, bevels.width);
  Rect inside{rings, rings, panel.client.width - rings, panel.client.height - rings};
  if (panel.caption.Visible) inside.top = std::max(inside.top, CaptionOf(panel).bar.bottom);
  return inside;
}

void DrawFrame(DrawingSurface& canvas, const PanelView& panel) {
  Rect rect{0, 0, panel.client.width, panel.client.height};
  Bevel(canvas, rect, panel.bevels.outer, panel.bevels.width);
  Frame3D(canvas, rect, panel.color, panel.color, panel.bevels.borderWidth);
  Bevel(canvas, rect, panel.bevels.inner, panel.bevels.width);
}

RenderArgs TextArgs(const PanelView& panel, const Rect& bounds, std::string_view text) {
  RenderArgs args;
  args.text = text;
  args.bounds = bounds;
  args.images = panel.images;
  args.hoverLink = panel.hoverLink;
  args.shadowOffset = panel.shadowOffset;
  args.hoverOnly = panel.hover;
  args.wordWrap = true;
  args.scale = 1.0;
  args.urlColor = panel.urlColor;
  args.hoverColor = panel.hoverColor;
  args.hoverFontColor = panel.hoverFontColor;
  args.shadowColor = panel.shadowColor;
  args.pictureCache = panel.pictureCache;
  args.pictureContainer = panel.pictureContainer;
  return args;
}

// Centred or bottom text starts lower when it is shorter than the rectangle.
Rect AlignedText(DrawingSurface& canvas, const PanelView& panel, Rect rect) {
  if (panel.textVAlign == tvaTop) return rect;
  RenderArgs measure = TextArgs(panel, rect, panel.text);
  measure.checkAnchor = true;
  const int textHeight = RenderMiniHTML(canvas, measure).textHeight;
  const int room = rect.bottom - rect.top;
  if (textHeight < room) {
    rect.top = panel.textVAlign == tvaCenter ? rect.top + (room - textHeight) / 2
                                             : rect.bottom - textHeight;
  }
  return rect;
}

// The picture at its natural size, placed by the panel's setting: the far edges
// keep clear of the outer bevel and never pass the text area's near edges.
void DrawBackground(DrawingSurface& canvas, const PanelView& panel, const Rect& area) {
  const TAdvImage* picture = panel.background;
  if (!picture || picture->Empty()) return;
  const int width = picture->Width();
  const int height = picture->Height();
  const int bevel = BevelWidth(panel.bevels.outer, panel.bevels.width);
  const int farX = std::max(area.left, panel.client.width - width - bevel);
  const int farY = std::max(area.top, panel.client.height - height - bevel);
  const auto drawAt = [&](int x, int y) { picture->Draw(canvas, {x, y, x + width, y + height}); };
  switch (panel.backgroundPosition) {
    case bpTopLeft:
      return drawAt(area.left, area.top);
    case bpTopRight:
      return drawAt(farX, area.top);
    case bpBottomLeft:
      return drawAt(area.left, farY);
    case bpBottomRight:
      return drawAt(farX, farY);
    case bpCenter:
      return drawAt(std::max(area.left, farX / 2), std::max(area.top, farY / 2));
    case bpStretched:
      return picture->Draw(canvas, area);
    case bpTiled:
      if (width <= 0 || height <= 0) return;
      for (int y = area.top; y < panel.client.height; y += height)
        for (int x = area.left; x < panel.client.width; x += width) drawAt(x, y);
      return;
  }
}

// A cross for the close button; for the other, a chevron that points the way the
// panel goes: up while it is expanded, down while it is collapsed.
void DrawButton(DrawingSurface& canvas, const Rect& button, TColor background, TColor ink,
                bool close, bool collapsed) {
  if (button.right <= button.left) return;
  canvas.FillRect(button, background);
  const int inset = 3;
  const int left = button.left + inset;
  const int top = button.top + inset;
  const int right = button.right - inset;
  const int bottom = button.bottom - inset;
  if (close) {
    canvas.Line(left, top, right, bottom, ink);
    canvas.Line(left, bottom - 1, right, top - 1, ink);
    return;
  }
  const int middle = (left + right) / 2;
  const int tip = collapsed ? bottom - 1 : top;
  const int base = collapsed ? top : bottom - 1;
  canvas.Line(left, base, middle, tip, ink);
  canvas.Line(middle, tip, right, base + (collapsed ? -1 : 1), ink);
}

void DrawCaption(DrawingSurface& canvas, const PanelView& panel) {
  const CaptionLayout layout = CaptionOf(panel);
  const TPanelCaption& caption = panel.caption;
  canvas.FillRect(layout.bar, caption.Color);
  Rect textArea = layout.bar;
  for (const Rect& button : {layout.close, layout.minMax})
    if (button.right > button.left) textArea.right = std::min(textArea.right, button.left);
  canvas.ClipTo(textArea);
  canvas.SetFont(caption.Font);
  RenderMiniHTML(canvas, TextArgs(panel, textArea, caption.Text));
  canvas.RemoveClip();
  DrawButton(canvas, layout.close, caption.CloseColor, caption.ButtonColor, true, false);
  DrawButton(canvas, layout.minMax, caption.CloseColor, caption.ButtonColor, false,
             panel.collapsed);
}

// Six short diagonal strokes in three pairs, shadow under highlight.
void DrawSizeGrip(DrawingSurface& canvas, const PanelView& panel) {
  const Rect grip = SizeGripRect(panel.client, panel.gripSize);
  for (int k = 3; k < std::min(panel.gripSize, 12); k += 4) {
    const int right = grip.right - 1;
    const int bottom = grip.bottom - 1;
    canvas.Line(right - k, bottom, right + 1, bottom - k - 1, kButtonShadow);
    canvas.Line(right - k - 1, bottom, right + 1, bottom - k - 2, kButtonHighlight);
  }
}

}  // namespace

CaptionLayout CaptionOf(const PanelView& panel) {
  return LayOutCaption(panel.caption, panel.client, OuterBevel(panel));
}

void PaintPanel(DrawingSurface& canvas, const PanelView& panel) {
  DrawFrame(canvas, panel);
  const Rect area = InsideFrame(panel);
  canvas.FillRect(area, panel.color);
  canvas.ClipTo(area);
  DrawBackground(canvas, panel, area);
  canvas.SetFont(panel.font);
  RenderMiniHTML(canvas, TextArgs(panel, AlignedText(canvas, panel, area), panel.text));
  canvas.RemoveClip();
  if (panel.caption.Visible) DrawCaption(canvas, panel);
  if (panel.gripSize > 0 && !panel.collapsed) DrawSizeGrip(canvas, panel);
}

PanelHit HitTestPanel(DrawingSurface& canvas, const PanelView& panel, int x, int y) {
  const bool onCaption = panel.caption.Visible && y < panel.caption.Height;
  canvas.SetFont(onCaption ? panel.caption.Font : panel.font);
  RenderArgs args =
      onCaption ? TextArgs(panel, CaptionOf(panel).bar, panel.caption.Text)
                : TextArgs(panel, AlignedText(canvas, panel, InsideFrame(panel)), panel.text);
  args.checkAnchor = true;
  args.hoverLink = -1;
  args.xPos = x;
  args.yPos = y;
  RenderResult result = RenderMiniHTML(canvas, args);
  PanelHit hit{result.linkHit, {}, result.mouseLink, result.hoverRect};
  if (hit.linkHit) hit.anchor = std::move(result.anchor);
  return hit;
}

}  // namespace quillmere::richtext
