#pragma once

#include <string>
#include <string_view>

#include "richtext/Color.h"
#include "richtext/Font.h"
#include "richtext/Geometry.h"
#include "richtext/PanelCaption.h"
#include "richtext/Surface.h"

namespace quillmere::richtext {

class TAdvImage;
class THTMLPictureCache;
class TPictureContainer;

enum TBevelCut { bvNone, bvLowered, bvRaised };
enum TTextVAlignment { tvaTop, tvaCenter, tvaBottom };
enum TBackGroundPosition {
  bpTopLeft,
  bpTopRight,
  bpBottomLeft,
  bpBottomRight,
  bpTiled,
  bpStretched,
  bpCenter
};

// The frame round a panel's client area, outside in: the outer bevel, a border in
// the panel's colour, the inner bevel.
struct PanelBevels {
  TBevelCut outer = bvRaised;
  TBevelCut inner = bvNone;
  int width = 1;  // of each bevel
  int borderWidth = 0;
};

// Everything a help panel paints and finds links in.
struct PanelView {
  Size client;
  PanelBevels bevels;
  TColor color = SystemColor(15);
  const TAdvImage* background = nullptr;  // none or empty: no picture
  TBackGroundPosition backgroundPosition = bpTopLeft;
  TTextVAlignment textVAlign = tvaTop;
  FontState font;
  std::string_view text;  // mini-HTML
  ImageListId images;
  TColor urlColor = clBlue;
  TColor hoverColor = clNone;
  TColor hoverFontColor = clNone;
  TColor shadowColor = clGray;
  int shadowOffset = 2;
  bool hover = false;  // only the link under the pointer is styled
  int hoverLink = -1;  // number of the link under the pointer
  THTMLPictureCache* pictureCache = nullptr;
  TPictureContainer* pictureContainer = nullptr;
  TPanelCaption caption;  // the bar across the top, when Visible
  bool collapsed = false;
  int gripSize = 0;  // the sizing corner's side; 0 for none
};

// The bar and buttons of the panel's caption.
CaptionLayout CaptionOf(const PanelView& panel);

// The bevels, the colour, the background picture and the text, word-wrapped in
// the rectangle inside the bevels (below the caption bar) and placed there by the
// vertical alignment; then the caption bar and the sizing corner.
void PaintPanel(DrawingSurface& canvas, const PanelView& panel);

// What lies under a point of the panel.
struct PanelHit {
  bool linkHit = false;
  std::string anchor;  // the value of the link under the point, when linkHit
  int mouseLink = -1;  // the number of the link whose text is under the point
  Rect hoverRect;      // that link on the line where it ends
};
// The text laid out as PaintPanel lays it out, tested at (x, y): the caption's text
// above the caption's height, the panel's below.
PanelHit HitTestPanel(DrawingSurface& canvas, const PanelView& panel, int x, int y);

}  // namespace quillmere::richtext
