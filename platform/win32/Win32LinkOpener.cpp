#include "platform/win32/Win32LinkOpener.h"

#include <windows.h>
#include <shellapi.h>

namespace quillmere::win32 {

// The shell's answer is not looked at: a link that opens nothing leaves nothing to
// undo or report.
void Win32LinkOpener::Open(const std::string& link) {
  ShellExecuteA(nullptr, "open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace quillmere::win32
