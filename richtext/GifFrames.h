#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quillmere::richtext {

// At least 5 bytes starting with "GIF8".
bool IsGif(std::span<const std::uint8_t> data);

// The frame markers of a GIF: a graphic control block of four data bytes and its
// terminator followed by an image descriptor (21 F9 04 .. .. .. .. .. 2C), with at
// least one byte after the descriptor's separator.
int CountGifFrames(std::span<const std::uint8_t> data);

// A GIF reduced to the frame to show, which the platform decoder then shows as
// its first frame, and where that frame sits on the GIF's logical screen.
struct GifFrame {
  std::vector<std::uint8_t>
      bytes;  // header and colour table, then the frames from the selected one on
  int offsetX = 0;
  int offsetY = 0;
  int width = 0;
  int height = 0;
  int screenWidth = 0;
  int screenHeight = 0;
};

// `frame` counts from 1. Values that would lie past the end of the data read as 0,
// so a short or hostile file is never read beyond its end.
GifFrame SelectGifFrame(std::span<const std::uint8_t> data, int frame);

}  // namespace quillmere::richtext
