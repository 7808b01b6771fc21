#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/PictureDecoder.h"

namespace quillmere::testing {

// Picture files made byte by byte, for the system's picture loader to read.
class PictureFiles {
 public:
  // A 24-bit BMP of `width` x `height` pixels, the left half `left`, the rest `right`.
  static PictureBytes Bmp(int width, int height, COLORREF left, COLORREF right) {
    const int stride = (width * 3 + 3) / 4 * 4;
    PictureBytes bytes;
    Put16(bytes, 0x4D42);
    Put32(bytes, 54 + stride * height);
    Put32(bytes, 0);
    Put32(bytes, 54);
    PutInfoHeader(bytes, width, height, 24);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) PutBgr(bytes, x < width / 2 ? left : right);
      bytes.resize(bytes.size() + static_cast<std::size_t>(stride - width * 3));
    }
    return bytes;
  }

  // A 32-bit icon of `size` x `size` pixels: the left half `color`, the right half
  // transparent.
  static PictureBytes Icon(int size, COLORREF color) {
    const int maskStride = (size + 31) / 32 * 4;
    const int imageBytes = 40 + size * size * 4 + maskStride * size;
    PictureBytes bytes;
    Put16(bytes, 0);
    Put16(bytes, 1);  // an icon
    Put16(bytes, 1);  // one image
    bytes.insert(bytes.end(),
                 {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size), 0, 0});
    Put16(bytes, 1);
    Put16(bytes, 32);
    Put32(bytes, imageBytes);
    Put32(bytes, 22);
    PutInfoHeader(bytes, size, size * 2, 32);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        PutBgr(bytes, x < size / 2 ? color : RGB(0, 0, 0));
        bytes.push_back(x < size / 2 ? 0xFF : 0);
      }
    for (int y = 0; y < size; ++y)
      for (int b = 0; b < maskStride; ++b) {
        std::uint8_t bits = 0;
        for (int bit = 0; bit < 8; ++bit)
          if (b * 8 + bit >= size / 2) bits |= static_cast<std::uint8_t>(0x80 >> bit);
        bytes.push_back(bits);
      }
    return bytes;
  }

  // A GIF of `size` x `size` pixels with one frame over the whole screen in each of
  // `frames` (up to four colours).
  static PictureBytes Gif(int size, const std::vector<COLORREF>& frames) {
    PictureBytes bytes = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(bytes, size);
    Put16(bytes, size);
    bytes.insert(bytes.end(), {0x91, 0, 0});  // a colour table of four, background 0
    for (std::size_t i = 0; i < 4; ++i) PutRgb(bytes, i < frames.size() ? frames[i] : 0);
    for (std::size_t index = 0; index < frames.size(); ++index) {
      bytes.insert(bytes.end(), {0x21, 0xF9, 0x04, 0x04, 10, 0, 0, 0});  // graphic control
      bytes.push_back(0x2C);
      Put16(bytes, 0);
      Put16(bytes, 0);
      Put16(bytes, size);
      Put16(bytes, size);
      bytes.push_back(0);
      bytes.push_back(2);  // the smallest code size
      const PictureBytes data = SolidLzw(size * size, static_cast<int>(index));
      for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, data.size() - at);
        bytes.push_back(static_cast<std::uint8_t>(length));
        bytes.insert(bytes.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                     data.begin() + static_cast<std::ptrdiff_t>(at + length));
      }
      bytes.push_back(0);
    }
    bytes.push_back(0x3B);
    return bytes;
  }

 private:
  static void Put16(PictureBytes& bytes, int value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  static void Put32(PictureBytes& bytes, int value) {
    Put16(bytes, value & 0xFFFF);
    Put16(bytes, (value >> 16) & 0xFFFF);
  }
  static void PutBgr(PictureBytes& bytes, COLORREF c) {
    bytes.insert(bytes.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
  }
  static void PutRgb(PictureBytes& bytes, COLORREF c) {
    bytes.insert(bytes.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
  }
  static void PutInfoHeader(PictureBytes& bytes, int width, int height, int bits) {
    Put32(bytes, 40);
    Put32(bytes, width);
    Put32(bytes, height);
    Put16(bytes, 1);
    Put16(bytes, bits);
    for (int i = 0; i < 6; ++i) Put32(bytes, 0);
  }
  // `count` pixels of colour `index` in 3-bit codes: a clear code before every two
  // pixels keeps the code table from growing past 3 bits.
  static PictureBytes SolidLzw(int count, int index) {
    constexpr int kClear = 4;
    constexpr int kEnd = 5;
    std::vector<int> codes;
    for (int i = 0; i < count; i += 2) {
      codes.push_back(kClear);
      codes.push_back(index);
      if (i + 1 < count) codes.push_back(index);
    }
    codes.push_back(kEnd);
    PictureBytes data;
    unsigned bits = 0;
    int held = 0;
    for (const int code : codes) {
      bits |= static_cast<unsigned>(code) << held;
      held += 3;
      while (held >= 8) {
        data.push_back(static_cast<std::uint8_t>(bits));
        bits >>= 8;
        held -= 8;
      }
    }
    if (held > 0) data.push_back(static_cast<std::uint8_t>(bits));
    return data;
  }
};

}  // namespace quillmere::testing
