#pragma once

#include <vector>

#include "richtext/Geometry.h"

namespace quillmere::richtext {

// A panel's place in its parent's client area.
struct PanelBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PanelBounds&, const PanelBounds&) = default;
};

// The edges and sizes a panel keeps while it is moved or sized.
struct FixedEdges {
  bool top = false;
  bool left = false;
  bool height = false;
  bool width = false;
};

// `start` moved by (dx, dy): a fixed top or left edge stays where it was.
PanelBounds Moved(const PanelBounds& start, int dx, int dy, const FixedEdges& fixed);
// `start` with its bottom-right corner moved by (dx, dy): a fixed height or width
// stays; neither shrinks below `minimum` pixels.
PanelBounds Sized(const PanelBounds& start, int dx, int dy, const FixedEdges& fixed, int minimum);

// A panel's height as it collapses and expands. Collapsed, it is as high as its
// caption and remembers the height it had, which it takes again when it expands.
class CollapseState {
 public:
  bool Collapsed() const { return collapsed_; }
  // The height to take; `height` is the present one.
  int Collapse(int height, int captionHeight);
  int Expand(int height);
  // The height the panel has when expanded: the remembered one while collapsed.
  int FullHeight(int height) const { return collapsed_ ? fullHeight_ : height; }

 private:
  bool collapsed_ = false;
  int fullHeight_ = 0;
};

// How a panel group stacks its panels: top to bottom, each as wide as the group
// less the padding on either side, or left to right, each as high as the group.
enum TGroupStyle { gsVertical, gsHorizontal };

// The panels of a group stacked in its client area, in the order of their tops
// (vertical) or lefts (horizontal), the padding before the first, between them and
// at the sides; each keeps its height (vertical) or width (horizontal). The result
// is in the order of `panels`.
std::vector<PanelBounds> Stacked(const std::vector<PanelBounds>& panels, Size client,
                                 TGroupStyle style, int horzPadding, int vertPadding);

}  // namespace quillmere::richtext
