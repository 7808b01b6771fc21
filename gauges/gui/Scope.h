#pragma once

#include <windows.h>

#include <string>

#include "gauges/PieGeometry.h"
#include "platform/win32/Handles.h"

namespace quillmere {

// A percentage drawn as a flat disc seen slightly from above: the top face split
// into a used sector and a free part over a shaded rim. It has no window of its
// own; it paints on its parent from an off-screen picture that it redraws whenever
// a property or its size changes, so a repaint of the parent costs one copy.
class TSimplePie {
 public:
  explicit TSimplePie(HWND parent);
  TSimplePie(const TSimplePie&) = delete;
  TSimplePie& operator=(const TSimplePie&) = delete;

  void SetBounds(int left, int top, int width, int height);
  // Copies the picture to the control's place on the parent's surface `dc`.
  void Paint(HDC dc) const;

  int Position() const { return Position_; }
  void SetPosition(int position);
  TColor Basecolor() const { return Basecolor_; }
  void SetBasecolor(TColor color);
  TColor Usedcolor() const { return Usedcolor_; }
  void SetUsedcolor(TColor color);
  TColor BaseShade() const { return BaseShade_; }
  TColor UsedShade() const { return UsedShade_; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The drawn picture, for copying elsewhere.
  HDC PictureDC() const { return picture_.dc.get(); }

  std::string Hint;

 private:
  // A bitmap kept selected into its own memory device context.
  struct Picture {
    Picture() = default;
    Picture(int width, int height);
    Picture(Picture&&) = default;
    Picture& operator=(Picture&& other) noexcept;
    ~Picture();
    win32::UniqueDC dc;
    win32::UniqueBitmap bitmap;
    HGDIOBJ previous = nullptr;
  };

  void DrawPie();
  void PaintNow() const;

  HWND parent_;
  int left_ = 0;
  int top_ = 0;
  int width_ = 128;
  int height_ = 64;
  Picture picture_;
  TColor Basecolor_ = clFuchsia;
  TColor Usedcolor_ = clBlue;
  int Position_ = 64;
  TColor BaseShade_;
  TColor UsedShade_;
};

}  // namespace quillmere
