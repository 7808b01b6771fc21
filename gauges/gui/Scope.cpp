#include "gauges/gui/Scope.h"

#include <stdexcept>
#include <utility>

#include "toolkit/Colors.h"

namespace quillmere {

TSimplePie::Picture::Picture(int width, int height) {
  bitmap = win32::MakeDibSection(width, height);
  dc.reset(CreateCompatibleDC(nullptr));
  if (!bitmap || !dc) throw std::runtime_error("Cannot create the pie's picture.");
  previous = SelectObject(dc.get(), bitmap.get());
}

TSimplePie::Picture& TSimplePie::Picture::operator=(Picture&& other) noexcept {
  if (this != &other) {
    if (dc) SelectObject(dc.get(), previous);
    dc = std::move(other.dc);
    bitmap = std::move(other.bitmap);
    previous = std::exchange(other.previous, nullptr);
  }
  return *this;
}

TSimplePie::Picture::~Picture() {
  if (dc) SelectObject(dc.get(), previous);
}

TSimplePie::TSimplePie(HWND parent)
    : parent_(parent),
      picture_(width_, height_),
      BaseShade_(HalfColor(Basecolor_)),
      UsedShade_(HalfColor(Usedcolor_)) {
  DrawPie();
}

void TSimplePie::SetBounds(int left, int top, int width, int height) {
  const RECT before{left_, top_, left_ + width_, top_ + height_};
  Picture picture(width, height);  // may fail: the control keeps its old size then
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  picture_ = std::move(picture);
  DrawPie();
  // The parent repaints what the control left and where it now stands.
  if (!parent_) return;
  InvalidateRect(parent_, &before, TRUE);
  const RECT after{left_, top_, left_ + width_, top_ + height_};
  InvalidateRect(parent_, &after, FALSE);
}

void TSimplePie::SetPosition(int position) {
  Position_ = ClampPiePosition(position);
  DrawPie();
  PaintNow();
}

void TSimplePie::SetBasecolor(TColor color) {
  Basecolor_ = color;
  BaseShade_ = HalfColor(color);
  DrawPie();
  PaintNow();
}

void TSimplePie::SetUsedcolor(TColor color) {
  Usedcolor_ = color;
  UsedShade_ = HalfColor(color);
  DrawPie();
  PaintNow();
}

void TSimplePie::Paint(HDC dc) const {
  BitBlt(dc, left_, top_, width_, height_, picture_.dc.get(), 0, 0, SRCCOPY);
}

void TSimplePie::PaintNow() const {
  if (!parent_ || !IsWindowVisible(parent_)) return;
  const HDC dc = GetDC(parent_);
  if (!dc) return;
  Paint(dc);
  ReleaseDC(parent_, dc);
}

void TSimplePie::DrawPie() {
  const HDC dc = picture_.dc.get();
  const int W = width_;
  const int H = height_;
  const PieLayout pie = LayOutPie(W, H, Position_);
  const int cy = pie.cy;

  const auto fill = [dc](TColor color, PiePoint seed) {
    const win32::UniqueBrush brush(CreateSolidBrush(win32::ColorToRGB(color)));
    const win32::SelectObjectScope use(dc, brush.get());
    ExtFloodFill(dc, seed.x, seed.y, win32::ColorToRGB(clBlack), FLOODFILLBORDER);
  };

  {
    const win32::UniqueBrush white(CreateSolidBrush(win32::ColorToRGB(clWhite)));
    const win32::UniquePen face(CreatePen(PS_SOLID, 1, win32::ColorToRGB(clBtnFace)));
    const win32::SelectObjectScope brush(dc, white.get());
    const win32::SelectObjectScope pen(dc, face.get());
    Rectangle(dc, 0, 0, W + 1, H + 2);
  }

  const win32::UniquePen black(CreatePen(PS_SOLID, 1, win32::ColorToRGB(clBlack)));
  const win32::SelectObjectScope pen(dc, black.get());
  {
    const win32::UniqueBrush base(CreateSolidBrush(win32::ColorToRGB(Basecolor_)));
    const win32::SelectObjectScope brush(dc, base.get());
    Ellipse(dc, 1, 1, W, H - 11);
  }
  SetArcDirection(dc, AD_COUNTERCLOCKWISE);
  Arc(dc, 1, 12, W, H, 1, cy + 12, W, cy + 12);

  MoveToEx(dc, 1, cy + 12, nullptr);
  LineTo(dc, 1, cy + 1);
  LineTo(dc, pie.centre.x, pie.centre.y);
  MoveToEx(dc, pie.right, cy + 12, nullptr);
  LineTo(dc, pie.right, cy + 1);

  MoveToEx(dc, pie.centre.x, pie.centre.y, nullptr);
  LineTo(dc, pie.end.x, pie.end.y);
  if (pie.fillSector) fill(Usedcolor_, pie.sectorSeed);
  if (pie.usedRim) {
    LineTo(dc, pie.end.x, pie.end.y + 11);
    fill(UsedShade_, pie.usedRimSeed);
  }
  if (pie.freeRim) fill(BaseShade_, pie.freeRimSeed);
}

}  // namespace quillmere
