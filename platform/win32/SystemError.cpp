#include "platform/win32/SystemError.h"

#include <string_view>

#include "platform/win32/WideText.h"

namespace quillmere::win32 {

std::string SystemErrorText(DWORD code) {
  // A call that failed without setting a code would otherwise read "completed
  // successfully".
  if (code == ERROR_SUCCESS) return "no error code given";
  std::string text = "error " + std::to_string(code);
  wchar_t message[512];
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                     message, static_cast<DWORD>(std::size(message)), nullptr);
  std::wstring_view words(message, length);
  while (!words.empty() && (words.back() == L'\r' || words.back() == L'\n' || words.back() == L' '))
    words.remove_suffix(1);
  if (!words.empty()) text += ": " + Narrow(words);
  return text;
}

}  // namespace quillmere::win32
