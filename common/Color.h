#pragma once

#include <cstdint>

namespace quillmere {

// A colour in the toolkit's encoding: red in the low byte, then green and blue; a
// high byte of 0x80 names a system colour by its index in the low byte.
using TColor = std::uint32_t;
inline constexpr TColor clYellow = 0x0000FFFF;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clFuchsia = 0x00FF00FF;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clBtnFace = 0x8000000F;

}  // namespace quillmere
