#pragma once

#include <cstdint>
#include <string_view>

#include "platform/PictureDecoder.h"
#include "richtext/Color.h"
#include "richtext/Font.h"
#include "richtext/Geometry.h"

namespace quillmere::richtext {

// An image list of the platform (an HIMAGELIST on Windows), handed through the
// engine to the surface untouched. The null value means no image list.
struct ImageListId {
  std::uintptr_t value = 0;
  explicit operator bool() const { return value != 0; }
  friend bool operator==(const ImageListId&, const ImageListId&) = default;
};

// The system's icon lists.
enum class IconListSize { kSmall, kLarge };

// What the mini-HTML engine draws, measures and hit-tests through. Text is UTF-8;
// a surface measures, cuts and draws it by characters, never by bytes. The surface keeps a current
// font (FontState, with any rotations selected on top of it) and a current background; the engine
// changes both during a call and puts them back at its end.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  // --- Font and background state
  virtual FontState Font() const = 0;
  // GDI: a font made with CreateFontIndirect from name, size (-MulDiv(size,
  // LOGPIXELSY, 72)) and style, rotated by the rotations selected, and the text
  // colour (a system colour through GetSysColor). The list bullets ask for the face
  // "Symbol", whose character set is SYMBOL_CHARSET.
  virtual void SetFont(const FontState& font) = 0;
  // The brush colour; clNone when there is none.
  virtual TColor Background() const = 0;
  // A colour: text runs are drawn opaquely on it (SetBkMode OPAQUE, SetBkColor);
  // clNone: text is drawn transparently (SetBkMode TRANSPARENT).
  virtual void SetBackground(TColor color) = 0;
  // Selects a copy of the current font rotated by `tenthsOfDegree` (escapement and
  // orientation) until the matching RestoreFont; selections nest, and a SetFont in
  // between keeps the rotations. Measurements ignore the rotation.
  virtual void SelectRotatedFont(int tenthsOfDegree) = 0;
  // Takes the last rotated font off the surface and deletes it; nothing when no
  // rotation is selected.
  virtual void RestoreFont() = 0;

  // --- Text in the current font
  // The font's full cell height, whatever the text.
  virtual int TextHeight(std::string_view text) const = 0;
  virtual int TextWidth(std::string_view text) const = 0;
  // One line of text in `rect`, bottom-aligned, tabs expanded, with external
  // leading and mnemonic prefixes ("&&" shows '&', a single '&' underlines the next
  // character), cut with "..." at the right edge when `endEllipsis` is set and the
  // text is wider than the rectangle: DrawTextEx with DT_BOTTOM | DT_SINGLELINE |
  // DT_EXPANDTABS | DT_EXTERNALLEADING [| DT_END_ELLIPSIS].
  virtual void DrawRun(std::string_view text, const Rect& rect, bool endEllipsis) = 0;
  // The rectangle DrawRun with the same arguments covers, as DT_CALCRECT gives it:
  // left and top kept, right = left + the run's width, bottom = top + its height.
  virtual Rect MeasureRun(std::string_view text, const Rect& rect, bool endEllipsis) const = 0;

  // --- Shapes
  // Fills the rectangle, outline included, with one colour (pen and brush).
  virtual void FillRect(const Rect& rect, TColor color) = 0;
  // A 1-pixel line from (x1, y1) up to, not including, (x2, y2).
  virtual void Line(int x1, int y1, int x2, int y2, TColor color) = 0;
  // The dotted focus rectangle, drawn with XOR (DrawFocusRect): drawing it twice
  // takes it away again.
  virtual void FocusRect(const Rect& rect) = 0;

  // --- Images and pictures
  virtual int ImageCount(ImageListId images) const = 0;
  virtual Size ImageSize(ImageListId images) const = 0;
  // Image `index` at its natural size with its top-left at (x, y); `transparent`
  // draws it without its background (ImageList_Draw, ILD_TRANSPARENT or ILD_NORMAL).
  virtual void DrawImage(ImageListId images, int index, int x, int y, bool transparent) = 0;
  // Image `index` rendered into a bitmap of its own size and stretched into `rect`.
  virtual void StretchImage(ImageListId images, int index, const Rect& rect) = 0;
  // The whole picture rendered into `rect` (IPicture::Render). A surface draws the
  // pictures that the picture decoder of its own platform made.
  virtual void DrawPicture(const DecodedPicture& picture, const Rect& rect) = 0;
  // The system icon list (SHGetFileInfo with SHGFI_SYSICONINDEX and
  // SHGFI_SMALLICON or SHGFI_LARGEICON).
  virtual ImageListId SystemIcons(IconListSize size) const = 0;
  // The index in that list of the icon of a file or folder: looked up by the
  // real file when it exists, else by the name's type (SHGFI_USEFILEATTRIBUTES).
  virtual int SystemIconIndex(std::string_view fileName, IconListSize size) const = 0;

  // --- Clipping and resolution
  virtual void ClipTo(const Rect& rect) = 0;
  virtual void RemoveClip() = 0;
  // GetDeviceCaps LOGPIXELSX and LOGPIXELSY.
  virtual int PixelsPerInchX() const = 0;
  virtual int PixelsPerInchY() const = 0;
};

}  // namespace quillmere::richtext
