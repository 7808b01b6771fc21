#include "richtext/PanelPlacement.h"

#include <algorithm>
#include <numeric>

namespace quillmere::richtext {

PanelBounds Moved(const PanelBounds& start, int dx, int dy, const FixedEdges& fixed) {
  PanelBounds moved = start;
  if (!fixed.left) moved.left += dx;
  if (!fixed.top) moved.top += dy;
  return moved;
}

PanelBounds Sized(const PanelBounds& start, int dx, int dy, const FixedEdges& fixed, int minimum) {
  PanelBounds sized = start;
  if (!fixed.width) sized.width = std::max(start.width + dx, minimum);
  if (!fixed.height) sized.height = std::max(start.height + dy, minimum);
  return sized;
}

int CollapseState::Collapse(int height, int captionHeight) {
  if (!collapsed_) {
    fullHeight_ = height;
    collapsed_ = true;
  }
  return captionHeight;
}

int CollapseState::Expand(int height) {
  if (!collapsed_) return height;
  collapsed_ = false;
  return fullHeight_;
}

std::vector<PanelBounds> Stacked(const std::vector<PanelBounds>& panels, Size client,
                                 TGroupStyle style, int horzPadding, int vertPadding) {
  const bool vertical = style == gsVertical;
  std::vector<std::size_t> order(panels.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return vertical ? panels[a].top < panels[b].top : panels[a].left < panels[b].left;
  });
  std::vector<PanelBounds> stacked = panels;
  int next = vertical ? vertPadding : horzPadding;
  for (const std::size_t i : order) {
    PanelBounds& panel = stacked[i];
    if (vertical) {
      panel.left = horzPadding;
      panel.width = std::max(client.width - 2 * horzPadding, 0);
      panel.top = next;
      next += panel.height + vertPadding;
    } else {
      panel.top = vertPadding;
      panel.height = std::max(client.height - 2 * vertPadding, 0);
      panel.left = next;
      next += panel.width + horzPadding;
    }
  }
  return stacked;
}

}  // namespace quillmere::richtext
