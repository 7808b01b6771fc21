#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

namespace quillmere::testing {

// Why this process is not in the build tree's Wine sandbox, or "" when it is. The
// tests delete for real: outside the sandbox, the recycle bin would be the Linux
// user's Trash and Z: the whole Linux file system.
inline std::string SandboxProblem() {
  const char* prefix = std::getenv("WINEPREFIX");
  if (!prefix || !std::string(prefix).ends_with("/sandbox/prefix"))
    return "WINEPREFIX is not the build tree's sandbox prefix";
  const char* data = std::getenv("XDG_DATA_HOME");
  if (!data || std::string(data).find("/sandbox/home/") == std::string::npos)
    return "XDG_DATA_HOME (the recycle bin's home) is not inside the sandbox";
  if (GetFileAttributesA("Z:\\") != INVALID_FILE_ATTRIBUTES) return "the Z: drive is present";
  return {};
}

// The exit code of a test program that refused to run outside the sandbox.
inline constexpr int kRefusedOutsideSandbox = 3;

}  // namespace quillmere::testing
