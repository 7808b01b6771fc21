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

// The area inside the frame.
Rect InsideFrame(const PanelView& panel) {
  const PanelBevels& bevels = panel.bevels;
  const int rings = BevelWidth(bevels.outer, bevels.width) + std::max(bevels.borderWidth, 0) +
                    BevelWidth(bevels.inner, bevels.width);
  return {rings, rings, panel.client.width - rings, panel.client.height - rings};
}

void DrawFrame(DrawingSurface& canvas, const PanelView& panel) {
  Rect rect{0, 0, panel.client.width, panel.client.height};
  Bevel(canvas, rect, panel.bevels.outer, panel.bevels.width);
  Frame3D(canvas, rect, panel.color, panel.color, panel.bevels.borderWidth);
  Bevel(canvas, rect, panel.bevels.inner, panel.bevels.width);
}

RenderArgs TextArgs(const PanelView& panel, const Rect& bounds) {
  RenderArgs args;
  args.text = panel.text;
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
  RenderArgs measure = TextArgs(panel, rect);
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

}  // namespace

void PaintPanel(DrawingSurface& canvas, const PanelView& panel) {
  DrawFrame(canvas, panel);
  const Rect area = InsideFrame(panel);
  canvas.FillRect(area, panel.color);
  canvas.ClipTo(area);
  DrawBackground(canvas, panel, area);
  canvas.SetFont(panel.font);
  RenderMiniHTML(canvas, TextArgs(panel, AlignedText(canvas, panel, area)));
  canvas.RemoveClip();
}

PanelHit HitTestPanel(DrawingSurface& canvas, const PanelView& panel, int x, int y) {
  canvas.SetFont(panel.font);
  RenderArgs args = TextArgs(panel, AlignedText(canvas, panel, InsideFrame(panel)));
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
