#pragma once

#include <string>

#include "richtext/Color.h"
#include "richtext/Font.h"
#include "richtext/Geometry.h"

namespace quillmere::richtext {

// The bar across the top of a panel: a mini-HTML text on a colour, with a close
// button and a button that collapses and expands the panel, both at its right end.
struct TPanelCaption {
  bool Visible = false;
  int Height = 20;
  TColor Color = SystemColor(13);       // highlight
  TColor CloseColor = SystemColor(15);  // button face: the buttons' background
  bool CloseButton = false;
  bool MinMaxButton = false;
  TColor ButtonColor = clBlack;  // the buttons' strokes
  FontState Font;
  std::string Text;  // mini-HTML
  friend bool operator==(const TPanelCaption&, const TPanelCaption&) = default;
};

// Where the bar and its buttons lie in a panel. The bar spans the panel inside its
// outer bevel, Height pixels with the bevel's top and bottom rings, so that a panel
// collapsed to the caption's height shows the bar whole inside its frame; the text
// below starts where the bar ends. The buttons are squares 4 pixels shorter than
// the bar, 2 pixels apart and from the bar's edges, the close button rightmost.
// A button that is off, or a bar that is hidden, has an empty rectangle.
struct CaptionLayout {
  Rect bar;
  Rect close;
  Rect minMax;
};
CaptionLayout LayOutCaption(const TPanelCaption& caption, Size client, int bevelWidth);

enum class CaptionPart { kNone, kBar, kClose, kMinMax };
// What of the caption lies at (x, y).
CaptionPart CaptionPartAt(const CaptionLayout& layout, int x, int y);

// The corner that sizes a panel: a square of `side` pixels (a scroll-bar arrow's
// width) in the bottom-right corner of the client area.
Rect SizeGripRect(Size client, int side);

bool Contains(const Rect& rect, int x, int y);

}  // namespace quillmere::richtext
