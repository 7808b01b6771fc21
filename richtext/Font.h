#pragma once

#include <cstdint>
#include <string>

#include "richtext/Color.h"

namespace quillmere::richtext {

// Font style bits.
inline constexpr std::uint8_t kBold = 0x01;
inline constexpr std::uint8_t kItalic = 0x02;
inline constexpr std::uint8_t kUnderline = 0x04;
inline constexpr std::uint8_t kStrikeOut = 0x08;

// What the engine reads and sets of a surface's font.
struct FontState {
  std::string name;
  int size = 8;  // points
  TColor color = clBlack;
  std::uint8_t style = 0;
  friend bool operator==(const FontState&, const FontState&) = default;
};

}  // namespace quillmere::richtext
