#include "cli/StandardStreams.h"

#include <string>

#include "platform/win32/WideText.h"

namespace quillmere::win32 {
namespace {

std::string ToUtf8(std::string_view text) {
  const std::wstring wide = Widen(text);
  if (wide.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string utf8(size > 0 ? size : 0, '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
  }
  return utf8;
}

}  // namespace

// A stream that cannot be written to (none given, a closed pipe) loses its lines;
// the exit status still tells how the run went.
void StandardStreams::Write(DWORD stream, std::string_view line) const {
  const HANDLE handle = GetStdHandle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring text = Widen(line) + L"\r\n";
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const std::string bytes = (utf8_ ? ToUtf8(line) : std::string(line)) + "\r\n";
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace quillmere::win32
