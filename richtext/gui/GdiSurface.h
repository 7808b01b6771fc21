#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/win32/Handles.h"
#include "richtext/Surface.h"
#include "richtext/gui/GdiFonts.h"

namespace quillmere::richtext {

// The mini-HTML engine's drawing surface over a GDI device context. A run is laid
// out once (GdiRun) for measuring and drawing alike, so it takes the width it is
// drawn in. Pictures are those of the Windows picture decoder; image lists and
// icon lists are HIMAGELISTs.
class GdiSurface final : public DrawingSurface {
 public:
  // Draws on `dc`, which the caller keeps, starting from `font` and `background`;
  // fonts come from `fonts`. The device context is as it was when the surface goes.
  GdiSurface(HDC dc, GdiFonts& fonts, const FontState& font, TColor background);
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  FontState Font() const override { return font_; }
  void SetFont(const FontState& font) override;
  TColor Background() const override { return background_; }
  void SetBackground(TColor color) override;
  void SelectRotatedFont(int tenthsOfDegree) override;
  void RestoreFont() override;

  int TextHeight(std::string_view text) const override;
  int TextWidth(std::string_view text) const override;
  void DrawRun(std::string_view text, const Rect& rect, bool endEllipsis) override;
  Rect MeasureRun(std::string_view text, const Rect& rect, bool endEllipsis) const override;

  void FillRect(const Rect& rect, TColor color) override;
  void Line(int x1, int y1, int x2, int y2, TColor color) override;
  void FocusRect(const Rect& rect) override;

  int ImageCount(ImageListId images) const override;
  Size ImageSize(ImageListId images) const override;
  void DrawImage(ImageListId images, int index, int x, int y, bool transparent) override;
  void StretchImage(ImageListId images, int index, const Rect& rect) override;
  void DrawPicture(const DecodedPicture& picture, const Rect& rect) override;
  ImageListId SystemIcons(IconListSize size) const override;
  int SystemIconIndex(std::string_view fileName, IconListSize size) const override;

  void ClipTo(const Rect& rect) override;
  void RemoveClip() override;
  int PixelsPerInchX() const override { return pixelsPerInchX_; }
  int PixelsPerInchY() const override { return pixelsPerInchY_; }

 private:
  void SelectCurrentFont();

  HDC dc_;
  GdiFonts& fonts_;
  int savedState_;
  int pixelsPerInchX_;
  int pixelsPerInchY_;
  FontState font_;
  std::vector<int> rotations_;  // selected, innermost last
  GdiFonts::Made current_;
  TColor background_ = clNone;
  // The clip each ClipTo replaced, to be put back by its RemoveClip; nullopt for
  // none.
  std::vector<std::optional<win32::UniqueRegion>> savedClips_;
};

// What the engine knows of a GDI font: face, size in points at the resolution of
// `dc`, style, and the colour it is drawn in. No font means the one `dc` holds.
FontState FontStateOf(HDC dc, HFONT font, TColor color);

// An image list as the engine hands it on.
inline ImageListId ImageListOf(HIMAGELIST list) {
  return ImageListId{reinterpret_cast<std::uintptr_t>(list)};
}

}  // namespace quillmere::richtext
