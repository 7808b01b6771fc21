#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace quillmere::testing {

// Why this process is not in the build tree's Wine sandbox `name` (the tests'
// "sandbox", scripts/run's "run-sandbox"), or "" when it is. The tests delete for
// real: outside the sandbox, the recycle bin would be the Linux user's Trash and Z:
// the whole Linux file system.
inline std::string SandboxProblem(std::string_view name = "sandbox") {
  const std::string folder = "/" + std::string(name) + "/";
  const char* prefix = std::getenv("WINEPREFIX");
  if (!prefix || !std::string(prefix).ends_with(folder + "prefix"))
    return "WINEPREFIX is not the build tree's " + std::string(name) + " prefix";
  const char* data = std::getenv("XDG_DATA_HOME");
  if (!data || std::string(data).find(folder + "home/") == std::string::npos)
    return "XDG_DATA_HOME (the recycle bin's home) is not inside the " + std::string(name);
  if (GetFileAttributesA("Z:\\") != INVALID_FILE_ATTRIBUTES) return "the Z: drive is present";
  return {};
}

// The exit code of a program that refused to run outside its sandbox.
inline constexpr int kRefusedOutsideSandbox = 3;

}  // namespace quillmere::testing
