#include "cli/StandardStreams.h"

#include <string>

#include "platform/Utf8.h"
#include "platform/win32/WideText.h"

namespace quillmere::win32 {

// A stream that cannot be written to (none given, a closed pipe) loses its lines;
// the exit status still tells how the run went.
void StandardStreams::Write(DWORD stream, std::string_view line) const {
  const HANDLE handle = GetStdHandle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  const std::string valid = ValidUtf8(line);
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring text = Widen(valid) + L"\r\n";
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const std::string bytes = valid + "\r\n";
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace quillmere::win32
