#pragma once

// A control's pixels as the screen holds them and as the control paints them, for
// the tests that compare the two.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/win32/Handles.h"
#include "toolkit/Pixels.h"

namespace quillmere::testing {

// Red, green and blue of each pixel `paint` draws: the screen keeps no more.
inline std::vector<std::uint32_t> Colours(int width, int height,
                                          const std::function<void(HDC)>& paint) {
  auto pixels = win32::PaintedPixels(width, height, paint);
  for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

// What the screen holds of the control's client area, looked at without a message
// to the control.
inline std::vector<std::uint32_t> OnScreen(HWND control, int width, int height) {
  const HDC screen = GetDC(control);
  auto pixels = Colours(width, height,
                        [&](HDC dc) { BitBlt(dc, 0, 0, width, height, screen, 0, 0, SRCCOPY); });
  ReleaseDC(control, screen);
  return pixels;
}

// The control's own painting of what it holds now.
inline std::vector<std::uint32_t> AsTheControlPaints(HWND control, int width, int height) {
  return Colours(width, height, [&](HDC dc) {
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
}

// A control `width` by `height` at (0, `top`) in a shown window of its own: what the
// screen holds of it against the control's own painting. The control, a member of the
// test, goes before its host.
class ControlPixelsTest : public ::testing::Test {
 protected:
  ControlPixelsTest(int width, int height, int top)
      : width_(width),
        height_(height),
        host_(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 40, 40, width + 20,
                              top + height + 20, nullptr, nullptr, nullptr, nullptr)) {}

  virtual HWND control() const = 0;
  HWND host() const { return host_.get(); }
  std::vector<std::uint32_t> OnScreen() const {
    return testing::OnScreen(control(), width_, height_);
  }
  std::vector<std::uint32_t> AsTheControlPaints() const {
    return testing::AsTheControlPaints(control(), width_, height_);
  }
  bool NothingLeftToPaint() const { return !GetUpdateRect(control(), nullptr, FALSE); }

 private:
  int width_;
  int height_;
  win32::UniqueWindow host_;
};

}  // namespace quillmere::testing
