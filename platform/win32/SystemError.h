#pragma once

#include <windows.h>

#include <string>

namespace quillmere::win32 {

// The system's own words for an error code, with the code: "error 1400: Invalid
// window handle." A failure report carries it, so that a fault seen once can be told
// apart from another that reads the same.
std::string SystemErrorText(DWORD code);

}  // namespace quillmere::win32
