#pragma once

#include "platform/Shell.h"

namespace quillmere::win32 {

class Win32Shell final : public Shell {
 public:
  std::optional<DllVersionInfo> GetDllVersion(const char* library) const override;
};

}  // namespace quillmere::win32
