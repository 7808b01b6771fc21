#pragma once

#include <string>
#include <string_view>

#include "richtext/Color.h"
#include "richtext/Geometry.h"
#include "richtext/Surface.h"

namespace quillmere::richtext {

class THTMLPictureCache;
class TPictureContainer;

// What one call of the mini-HTML engine draws, measures or hit-tests.
struct RenderArgs {
  std::string_view text;  // the mini-HTML text
  Rect bounds;            // layout rectangle
  ImageListId images;     // source of IDX images; none by default
  int xPos = 0;           // hit-test point, surface coordinates
  int yPos = 0;
  int focusLink = -1;                         // 0-based link framed with a focus rectangle; -1 none
  int hoverLink = -1;                         // 1-based link under the pointer; -1 none
  int shadowOffset = 1;                       // shadow displacement right and down
  bool checkAnchor = false;                   // the second pass hit-tests instead of drawing
  bool calcOnly = false;                      // measure only, the whole text whatever the height
  bool printMode = false;                     // image-list and system icons stretched by `scale`
  bool selected = false;                      // on a selection background: colour tags ignored
  bool blinkOn = false;                       // the phase in which blinking text shows
  bool hoverOnly = false;                     // only the link numbered `hoverLink` is styled
  bool wordWrap = false;                      // break at blanks; else one run per line with "..."
  double scale = 1.0;                         // print scale of images
  TColor urlColor = clBlue;                   // link text colour
  TColor hoverColor = clNone;                 // background of a styled link
  TColor hoverFontColor = clNone;             // text colour of the hovered link
  TColor shadowColor = clGray;                // colour of shadow copies
  THTMLPictureCache* pictureCache = nullptr;  // pictures for sources with "://"
  TPictureContainer* pictureContainer = nullptr;  // pictures for plain names
};

struct RenderResult {
  bool linkHit = false;     // the point (xPos, yPos) lies on a link
  std::string anchor;       // value of the link at the point
  std::string plainText;    // the words without tags, each once; a line break as "\r"
  std::string focusAnchor;  // value of the link numbered `focusLink`
  int textWidth = 0;        // widest line
  int textHeight = 0;       // height of all lines
  int linkCount = 0;        // links met
  int mouseLink = -1;       // number of the link whose text is under the point
  Rect hoverRect;           // that link on the line where it ends
};

// Draws `args.text` into `args.bounds` of the surface, or measures it, or finds
// the link under a point; the surface's font and background are as they were
// afterwards. Text links are found only with `checkAnchor`; image links in any
// call. PictureError escapes when a picture source's resource does not decode.
RenderResult RenderMiniHTML(DrawingSurface& canvas, const RenderArgs& args);

// The list view's reduced call.
struct SimpleRenderArgs {
  std::string_view text;
  Rect bounds;
  ImageListId images;
  int xPos = 0;
  int yPos = 0;
  bool checkAnchor = false;
  bool calcOnly = false;
  bool printMode = false;
  bool selected = false;
  bool blinkOn = false;
  double scale = 1.0;
  TColor urlColor = clBlue;
};

struct SimpleRenderResult {
  bool linkHit = false;
  std::string anchor;
  std::string plainText;
  int textWidth = 0;
  int textHeight = 0;
};

// RenderMiniHTML without focus or hover, with a 1-pixel grey shadow, without word
// wrap and without pictures.
SimpleRenderResult RenderMiniHTMLSimple(DrawingSurface& canvas, const SimpleRenderArgs& args);

}  // namespace quillmere::richtext
