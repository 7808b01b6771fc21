#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quillmere::win32 {

// The clipboard's text, in UTF-16 as the system keeps it whatever program put it
// there. Each call opens the clipboard for `owner` and closes it again.
void PutTextOnClipboard(HWND owner, std::string_view text);
// Nothing when the clipboard holds no text.
std::optional<std::string> TextOnClipboard(HWND owner);
bool ClipboardHasText();

}  // namespace quillmere::win32
