#pragma once

#include <windows.h>

#include <string_view>

#include "console/Commands.h"

namespace quillmere::win32 {

// Standard output and standard error. A console window is given the lines as
// UTF-16 through its Unicode output, so it shows them right whatever its own code
// page (which the manifest does not change); a file or a pipe gets UTF-8. Either
// way each line ends in CR LF, and a name that is not valid UTF-8 shows U+FFFD.
class StandardStreams final : public Console {
 public:
  void Out(std::string_view line) override { Write(STD_OUTPUT_HANDLE, line); }
  void Err(std::string_view line) override { Write(STD_ERROR_HANDLE, line); }

 private:
  void Write(DWORD stream, std::string_view line) const;
};

}  // namespace quillmere::win32
