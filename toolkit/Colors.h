#pragma once

#include <windows.h>

#include "common/Color.h"

namespace quillmere::win32 {

// The screen colour a toolkit colour stands for: a system colour is looked up now.
COLORREF ColorToRGB(TColor color);

}  // namespace quillmere::win32
