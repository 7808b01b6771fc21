#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quillmere::win32 {

// A text of the system's ANSI code page in UTF-16, as the wide calls take it.
inline std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::wstring wide(size > 0 ? size : 0, L'\0');
  if (size > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size);
  return wide;
}

}  // namespace quillmere::win32
