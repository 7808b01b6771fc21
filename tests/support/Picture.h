#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "tests/support/GuiTestSupport.h"

namespace quillmere::testing {

// A picture of its own that a window paints into through WM_PRINTCLIENT, or that a
// test draws into or copies the screen into.
class Picture {
 public:
  Picture(int width, int height, COLORREF fill = RGB(0, 0, 0))
      : width_(width),
        height_(height),
        bitmap_(win32::MakeDibSection(width, height)),
        dc_(CreateCompatibleDC(nullptr)) {
    SelectObject(dc_.get(), bitmap_.get());
    Fill(fill);
  }
  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  void Fill(COLORREF color) const {
    const RECT all{0, 0, width_, height_};
    SetDCBrushColor(dc_.get(), color);
    FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_.get(), x, y); }
  // How many pixels of `color` the rectangle holds.
  int Count(const RECT& r, COLORREF color) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == color;
    return n;
  }
  // The smallest rectangle around the pixels within `r` that are (or, with
  // `other`, are not) of `color`; empty for none.
  RECT Extent(const RECT& r, COLORREF color, bool other = false) const {
    RECT found{r.right, r.bottom, r.left, r.top};
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if ((At(x, y) == color) != other) {
          found.left = std::min<LONG>(found.left, x);
          found.top = std::min<LONG>(found.top, y);
          found.right = std::max<LONG>(found.right, x + 1);
          found.bottom = std::max<LONG>(found.bottom, y + 1);
        }
    return found;
  }
  RECT All() const { return RECT{0, 0, width_, height_}; }
  // The middle of the pixels of `color` within `r`: where a link in that colour shows.
  POINT MiddleOf(const RECT& r, COLORREF color) const {
    const RECT ink = Extent(r, color);
    EXPECT_LT(ink.left, ink.right) << "nothing in that colour";
    return POINT{(ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2};
  }
  bool SameAs(const Picture& other) const {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (At(x, y) != other.At(x, y)) return false;
    return true;
  }
  // Writes the picture as a 24-bit BMP file, for a person to look at.
  bool SaveBmp(const std::string& path) const {
    const int stride = (width_ * 3 + 3) / 4 * 4;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * height_);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) {
        const COLORREF c = At(x, height_ - 1 - y);
        unsigned char* p = &pixels[static_cast<std::size_t>(y) * stride + x * 3];
        p[0] = GetBValue(c);
        p[1] = GetGValue(c);
        p[2] = GetRValue(c);
      }
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    info.biSize = sizeof info;
    info.biWidth = width_;
    info.biHeight = height_;
    info.biPlanes = 1;
    info.biBitCount = 24;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                         std::fwrite(&info, sizeof info, 1, out) == 1 &&
                         std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    return std::fclose(out) == 0 && written;
  }

 private:
  int width_;
  int height_;
  win32::UniqueBitmap bitmap_;
  win32::UniqueDC dc_;
};

// What the window paints into its client area for WM_PRINTCLIENT, the path its
// WM_PAINT takes too, onto `fill`.
inline Picture PrintClient(HWND window, COLORREF fill = RGB(0, 0, 0)) {
  const SIZE size = ClientSize(window);
  Picture picture(size.cx, size.cy, fill);
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.dc()), PRF_CLIENT);
  return picture;
}

// What the screen shows of the window's client area now.
inline Picture ScreenCopy(HWND window) {
  const SIZE size = ClientSize(window);
  Picture shot(size.cx, size.cy);
  const win32::ClientDC screen(window);
  BitBlt(shot.dc(), 0, 0, size.cx, size.cy, screen.dc(), 0, 0, SRCCOPY);
  return shot;
}

// A hidden window of its own for a control under test. (Shown, it should not take
// the activation, which Wine is slow to give back.)
inline win32::UniqueWindow HostWindow(int width, int height) {
  win32::UniqueWindow host(CreateWindowExA(0, "STATIC", "", WS_POPUP, 40, 40, width, height,
                                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  EXPECT_TRUE(host);
  return host;
}

}  // namespace quillmere::testing
