#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/Utf8.h"

namespace quillmere::win32 {

// The program's text (UTF-8, or WTF-8 for a name that is no valid UTF-16) in UTF-16
// for the wide calls, and back. Used only where the ANSI entry points cannot do the
// work: GDI, which keeps the system's code page whatever the manifest says; the
// file search, whose ANSI record holds 260 bytes and no unpaired surrogate; the
// console window; and the COM interfaces, which speak UTF-16 alone.
inline std::wstring Widen(std::string_view text) {
  const std::u16string units = WidenUtf8(text);
  return std::wstring(units.begin(), units.end());
}

inline std::string Narrow(std::wstring_view text) {
  return NarrowUtf16(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

}  // namespace quillmere::win32
