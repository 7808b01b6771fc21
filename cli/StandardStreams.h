#pragma once

#include <windows.h>

#include <string_view>

#include "console/Commands.h"

namespace quillmere::win32 {

// Standard output and standard error. A console window is given the lines as
// UTF-16, so it shows them right whatever its own code page; a file or a pipe gets
// bytes, in UTF-8 when `utf8` (JSON) and otherwise in the program's code page, each
// line ended by CR LF.
class StandardStreams final : public Console {
 public:
  explicit StandardStreams(bool utf8) : utf8_(utf8) {}

  void Out(std::string_view line) override { Write(STD_OUTPUT_HANDLE, line); }
  void Err(std::string_view line) override { Write(STD_ERROR_HANDLE, line); }

 private:
  void Write(DWORD stream, std::string_view line) const;

  bool utf8_;
};

}  // namespace quillmere::win32
