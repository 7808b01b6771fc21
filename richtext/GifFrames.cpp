#include "richtext/GifFrames.h"

#include <cstddef>

namespace quillmere::richtext {
namespace {

bool IsFrameMarker(std::span<const std::uint8_t> data, std::size_t i) {
  return i + 9 < data.size() && data[i] == 0x21 && data[i + 1] == 0xF9 && data[i + 2] == 0x04 &&
         data[i + 8] == 0x2C;
}

int ReadLittleEndian16(std::span<const std::uint8_t> data, std::size_t at) {
  if (at + 1 >= data.size()) return 0;
  return data[at] | data[at + 1] << 8;
}

}  // namespace

bool IsGif(std::span<const std::uint8_t> data) {
  return data.size() >= 5 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F' && data[3] == '8';
}

int CountGifFrames(std::span<const std::uint8_t> data) {
  int frames = 0;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (IsFrameMarker(data, i)) ++frames;
  }
  return frames;
}

GifFrame SelectGifFrame(std::span<const std::uint8_t> data, int frame) {
  GifFrame selected;
  selected.screenWidth = ReadLittleEndian16(data, 6);
  selected.screenHeight = ReadLittleEndian16(data, 8);
  selected.bytes.reserve(data.size());
  int marker = 0;
  bool skipping = false;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (IsFrameMarker(data, i)) {
      ++marker;
      if (marker == frame) {
        selected.offsetX = ReadLittleEndian16(data, i + 9);
        selected.offsetY = ReadLittleEndian16(data, i + 11);
        selected.width = ReadLittleEndian16(data, i + 13);
        selected.height = ReadLittleEndian16(data, i + 15);
      }
      skipping = frame > marker;
    }
    if (!skipping) selected.bytes.push_back(data[i]);
  }
  return selected;
}

}  // namespace quillmere::richtext
