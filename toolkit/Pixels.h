#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/win32/Handles.h"

namespace quillmere::win32 {

// What `paint` draws on a picture of its own of `width` x `height`, row by row from
// the top, each pixel 0x00RRGGBB as drawn (the byte above the colour as the drawing
// left it); empty when the system refuses the picture.
inline std::vector<std::uint32_t> PaintedPixels(int width, int height,
                                                const std::function<void(HDC)>& paint) {
  const UniqueBitmap bitmap = MakeDibSection(width, height);
  const UniqueDC dc(CreateCompatibleDC(nullptr));
  if (!bitmap || !dc) return {};
  {
    const SelectObjectScope select(dc.get(), bitmap.get());
    paint(dc.get());
  }
  BITMAPINFO info = TopDownPictureInfo(width, height);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  if (GetDIBits(dc.get(), bitmap.get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS) !=
      height) {
    return {};
  }
  return pixels;
}

}  // namespace quillmere::win32
