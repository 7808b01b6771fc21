#include "richtext/Color.h"

#include <array>
#include <utility>

namespace quillmere::richtext {
namespace {

constexpr std::array<std::pair<std::string_view, TColor>, 40> kNamedColors{{
    {"clred", 0x0000FF},
    {"clblack", 0x000000},
    {"clblue", 0xFF0000},
    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},
    {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},
    {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},
    {"clgray", 0x808080},
    {"clolive", 0x008080},
    {"clnavy", 0x800000},
    {"clpurple", 0x800080},
    {"clteal", 0x808000},
    {"clmaroon", 0x000080},
    {"clbackground", SystemColor(1)},
    {"clactivecaption", SystemColor(2)},
    {"clinactivecaption", SystemColor(3)},
    {"clmenu", SystemColor(4)},
    {"clwindow", SystemColor(5)},
    {"clwindowframe", SystemColor(6)},
    {"clmenutext", SystemColor(7)},
    {"clwindowtext", SystemColor(8)},
    {"clcaptiontext", SystemColor(9)},
    {"clactiveborder", SystemColor(10)},
    {"clinactiveborder", SystemColor(11)},
    {"clappworkspace", SystemColor(12)},
    {"clhighlight", SystemColor(13)},
    {"clhighlighttext", SystemColor(14)},
    {"clbtnface", SystemColor(15)},
    {"clbtnshadow", SystemColor(16)},
    {"clgraytext", SystemColor(17)},
    {"clbtntext", SystemColor(18)},
    {"clinactivecaptiontext", SystemColor(19)},
    {"clbtnhighlight", SystemColor(20)},
    {"cl3ddkshadow", SystemColor(21)},
    {"cl3dlight", SystemColor(22)},
    {"clinfotext", SystemColor(23)},
    {"clinfobk", SystemColor(24)},
}};

// A digit of upper-cased hexadecimal text; other characters give whatever the
// same arithmetic gives, as the markup has always been read.
int HexDigit(char c) {
  const int code = static_cast<unsigned char>(c);
  return code < 'A' ? code - '0' : code - 'A' + 10;
}

// Two digits from `at`; a pair cut short by the end of the text gives 0.
std::uint32_t HexPair(std::string_view text, std::size_t at) {
  if (text.size() < at + 2) return 0;
  return static_cast<std::uint32_t>((HexDigit(text[at]) * 16 + HexDigit(text[at + 1])) & 0xFF);
}

}  // namespace

TColor ColorFromName(std::string_view name) {
  for (const auto& [known, color] : kNamedColors) {
    if (known == name) return color;
  }
  return clBlack;
}

TColor ColorFromHex(std::string_view text) {
  return HexPair(text, 1) | HexPair(text, 3) << 8 | HexPair(text, 5) << 16;
}

}  // namespace quillmere::richtext
