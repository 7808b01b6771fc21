#pragma once

#include <windows.h>

namespace quillmere::win32 {

// The cursor shown over links: the program's own pointing hand, or the system's
// hand in a program whose resources do not carry it. Shared, never destroyed.
HCURSOR LinkCursor();

}  // namespace quillmere::win32
