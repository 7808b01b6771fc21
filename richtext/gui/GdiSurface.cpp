#include "richtext/gui/GdiSurface.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32PictureDecoder.h"
#include "richtext/gui/GdiRun.h"
#include "toolkit/Colors.h"

namespace quillmere::richtext {
namespace {

RECT ToRECT(const Rect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

HIMAGELIST ToImageList(ImageListId images) { return reinterpret_cast<HIMAGELIST>(images.value); }

UINT IconListFlag(IconListSize size) {
  return size == IconListSize::kSmall ? SHGFI_SMALLICON : SHGFI_LARGEICON;
}

}  // namespace

GdiSurface::GdiSurface(HDC dc, GdiFonts& fonts, const FontState& font, TColor background)
    : dc_(dc),
      fonts_(fonts),
      savedState_(SaveDC(dc)),
      pixelsPerInchX_(GetDeviceCaps(dc, LOGPIXELSX)),
      pixelsPerInchY_(GetDeviceCaps(dc, LOGPIXELSY)) {
  try {
    SetFont(font);
  } catch (...) {
    if (savedState_) RestoreDC(dc_, savedState_);
    throw;
  }
  SetBackground(background);
}

// Restoring the device context also deselects every font the surface selected and
// puts back the clip, before the cache and the saved regions go.
GdiSurface::~GdiSurface() {
  if (savedState_) RestoreDC(dc_, savedState_);
}

void GdiSurface::SelectCurrentFont() {
  current_ = fonts_.Get(dc_, font_, rotations_.empty() ? 0 : rotations_.back());
  SelectObject(dc_, current_.font);
}

void GdiSurface::SetFont(const FontState& font) {
  font_ = font;
  SelectCurrentFont();
  SetTextColor(dc_, win32::ColorToRGB(font.color));
}

void GdiSurface::SetBackground(TColor color) {
  background_ = color;
  if (color == clNone) {
    SetBkMode(dc_, TRANSPARENT);
    return;
  }
  SetBkMode(dc_, OPAQUE);
  SetBkColor(dc_, win32::ColorToRGB(color));
}

void GdiSurface::SelectRotatedFont(int tenthsOfDegree) {
  rotations_.push_back(tenthsOfDegree);
  SelectCurrentFont();
}

void GdiSurface::RestoreFont() {
  if (rotations_.empty()) return;
  rotations_.pop_back();
  SelectCurrentFont();
}

int GdiSurface::TextHeight(std::string_view) const { return current_.cellHeight; }

int GdiSurface::TextWidth(std::string_view text) const {
  const std::wstring wide = win32::Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, wide.data(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

// Bottom-aligned and clipped to the rectangle, as DrawText's single lines.
void GdiSurface::DrawRun(std::string_view text, const Rect& rect, bool endEllipsis) {
  const GdiRun run = GdiRun::LayOut(dc_, text, rect.right - rect.left, endEllipsis);
  run.Draw(dc_, rect.left, rect.bottom - current_.cellHeight, ToRECT(rect));
}

// As DT_CALCRECT: the run's width, and the height of a line with its external
// leading.
Rect GdiSurface::MeasureRun(std::string_view text, const Rect& rect, bool endEllipsis) const {
  const GdiRun run = GdiRun::LayOut(dc_, text, rect.right - rect.left, endEllipsis);
  return Rect{rect.left, rect.top, rect.left + run.width,
              rect.top + current_.cellHeight + current_.externalLeading};
}

void GdiSurface::FillRect(const Rect& rect, TColor color) {
  const RECT r = ToRECT(rect);
  SetDCBrushColor(dc_, win32::ColorToRGB(color));
  ::FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiSurface::Line(int x1, int y1, int x2, int y2, TColor color) {
  SelectObject(dc_, GetStockObject(DC_PEN));
  SetDCPenColor(dc_, win32::ColorToRGB(color));
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
}

void GdiSurface::FocusRect(const Rect& rect) {
  const RECT r = ToRECT(rect);
  DrawFocusRect(dc_, &r);
}

int GdiSurface::ImageCount(ImageListId images) const {
  return ImageList_GetImageCount(ToImageList(images));
}

Size GdiSurface::ImageSize(ImageListId images) const {
  int width = 0;
  int height = 0;
  if (!ImageList_GetIconSize(ToImageList(images), &width, &height)) return {};
  return {width, height};
}

void GdiSurface::DrawImage(ImageListId images, int index, int x, int y, bool transparent) {
  ImageList_Draw(ToImageList(images), index, dc_, x, y, transparent ? ILD_TRANSPARENT : ILD_NORMAL);
}

// The image as an icon keeps its mask, so the stretched copy stays transparent.
void GdiSurface::StretchImage(ImageListId images, int index, const Rect& rect) {
  const win32::UniqueIcon icon(ImageList_GetIcon(ToImageList(images), index, ILD_NORMAL));
  if (!icon) return;
  DrawIconEx(dc_, rect.left, rect.top, icon.get(), rect.right - rect.left, rect.bottom - rect.top,
             0, nullptr, DI_NORMAL);
}

void GdiSurface::DrawPicture(const DecodedPicture& picture, const Rect& rect) {
  if (const auto* decoded = dynamic_cast<const win32::Win32DecodedPicture*>(&picture)) {
    decoded->Render(dc_, ToRECT(rect));
  }
}

// The system's own lists, which nobody but the shell may free.
ImageListId GdiSurface::SystemIcons(IconListSize size) const {
  SHFILEINFOA info{};
  const DWORD_PTR list =
      SHGetFileInfoA("x", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                     SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | IconListFlag(size));
  return ImageListId{static_cast<std::uintptr_t>(list)};
}

int GdiSurface::SystemIconIndex(std::string_view fileName, IconListSize size) const {
  const std::string name(fileName);
  UINT flags = SHGFI_SYSICONINDEX | IconListFlag(size);
  DWORD attributes = 0;
  if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) {
    flags |= SHGFI_USEFILEATTRIBUTES;  // by the name's type
    attributes = FILE_ATTRIBUTE_NORMAL;
  }
  SHFILEINFOA info{};
  SHGetFileInfoA(name.c_str(), attributes, &info, sizeof info, flags);
  return info.iIcon;
}

void GdiSurface::ClipTo(const Rect& rect) {
  win32::UniqueRegion saved(CreateRectRgn(0, 0, 0, 0));
  if (saved && GetClipRgn(dc_, saved.get()) == 1) {
    savedClips_.emplace_back(std::move(saved));
  } else {
    savedClips_.emplace_back(std::nullopt);
  }
  IntersectClipRect(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void GdiSurface::RemoveClip() {
  if (savedClips_.empty()) return;
  const std::optional<win32::UniqueRegion> saved = std::move(savedClips_.back());
  savedClips_.pop_back();
  SelectClipRgn(dc_, saved ? saved->get() : nullptr);
}

FontState FontStateOf(HDC dc, HFONT font, TColor color) {
  if (!font) font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
  LOGFONTW lf{};
  GetObjectW(font, sizeof lf, &lf);
  const int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
  FontState state;
  state.name = win32::Narrow(lf.lfFaceName);
  // A negative height is the characters' height, a positive one the cell's; the
  // size carries the sign back.
  state.size = lf.lfHeight < 0 ? MulDiv(-lf.lfHeight, 72, pixelsPerInch)
                               : -MulDiv(lf.lfHeight, 72, pixelsPerInch);
  state.color = color;
  if (lf.lfWeight >= FW_BOLD) state.style |= kBold;
  if (lf.lfItalic) state.style |= kItalic;
  if (lf.lfUnderline) state.style |= kUnderline;
  if (lf.lfStrikeOut) state.style |= kStrikeOut;
  return state;
}

}  // namespace quillmere::richtext
