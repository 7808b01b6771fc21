#pragma once

#include <windows.h>

#include <compare>
#include <cstdint>
#include <map>
#include <string>

#include "platform/win32/Handles.h"
#include "richtext/Font.h"

namespace quillmere::richtext {

// The GDI fonts a text is drawn in, each made once for its face, size, style,
// rotation and resolution and kept, with its metrics, as long as the cache: a
// control that keeps one across paints makes its fonts once.
class GdiFonts {
 public:
  struct Made {
    HFONT font = nullptr;
    int cellHeight = 0;       // tmHeight
    int externalLeading = 0;  // tmExternalLeading
  };

  // The font for `font` (its colour aside) turned by `rotation` tenths of a degree,
  // as `dc` shows it. Throws when the system makes no font.
  Made Get(HDC dc, const FontState& font, int rotation);

 private:
  struct Key {
    std::string name;
    int size;
    std::uint8_t style;
    int rotation;
    int pixelsPerInch;
    auto operator<=>(const Key&) const = default;
  };
  struct Entry {
    win32::UniqueFont font;
    Made made;
  };

  std::map<Key, Entry> fonts_;
};

}  // namespace quillmere::richtext
