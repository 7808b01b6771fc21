#include "toolkit/Clipboard.h"

#include <cstring>
#include <stdexcept>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace quillmere::win32 {
namespace {

// Closes the clipboard however the reading or writing ends.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    if (!OpenClipboard(owner))
      throw std::runtime_error("The clipboard is in use by another program.");
  }
  ~OpenedClipboard() { CloseClipboard(); }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

}  // namespace

void PutTextOnClipboard(HWND owner, std::string_view text) {
  const std::wstring wide = Widen(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  void* const target = memory ? GlobalLock(memory.get()) : nullptr;
  if (!target) throw std::runtime_error("Not enough memory to copy the selected text.");
  std::memcpy(target, wide.c_str(), bytes);
  GlobalUnlock(memory.get());
  const OpenedClipboard clipboard(owner);
  if (!EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory.get()))
    throw std::runtime_error("Cannot copy the selected text to the clipboard.");
  memory.release();  // the clipboard owns it now
}

std::optional<std::string> TextOnClipboard(HWND owner) {
  if (!ClipboardHasText()) return std::nullopt;
  const OpenedClipboard clipboard(owner);
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const auto* const wide = static_cast<const wchar_t*>(GlobalLock(data));
  if (!wide) throw std::runtime_error("Cannot read the text on the clipboard.");
  // The text ends at its terminator or at the end of its memory, whichever comes first.
  const std::size_t units = GlobalSize(data) / sizeof(wchar_t);
  const std::string text = Narrow(std::wstring_view(wide, wcsnlen(wide, units)));
  GlobalUnlock(data);
  return text;
}

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT); }

}  // namespace quillmere::win32
