#pragma once

#include <string_view>

#include "common/Color.h"

namespace quillmere::richtext {

// The colours the markup needs beside the shared ones (common/Color.h): clNone is
// no colour at all (as a background: transparent), and 0x80000000 + n the
// platform's system colour number n.
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGray = 0x808080;

inline constexpr TColor SystemColor(int index) {
  return 0x80000000u + static_cast<std::uint32_t>(index);
}
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);

// The colour of a name such as "clred" or "clbtnface", matched exactly; an
// unknown name gives black.
TColor ColorFromName(std::string_view name);

// The colour of "#RRGGBB" as read from upper-cased text.
TColor ColorFromHex(std::string_view text);

}  // namespace quillmere::richtext
