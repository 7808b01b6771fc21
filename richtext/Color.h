#pragma once

#include <cstdint>
#include <string_view>

namespace quillmere::richtext {

// 0x00BBGGRR is an explicit colour (red in the low byte), 0x80000000 + n the
// platform's system colour number n, and clNone no colour at all (as a
// background: transparent).
using TColor = std::uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor SystemColor(int index) {
  return 0x80000000u + static_cast<std::uint32_t>(index);
}
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);

// The colour of a name such as "clred" or "clbtnface", matched exactly; an
// unknown name gives black.
TColor ColorFromName(std::string_view name);

// The colour of "#RRGGBB" as read from upper-cased text.
TColor ColorFromHex(std::string_view text);

}  // namespace quillmere::richtext
