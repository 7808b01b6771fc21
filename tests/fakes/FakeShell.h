#pragma once

#include <string>

#include "platform/Shell.h"

namespace quillmere::testing {

// A shell whose libraries report a fixed version, or are missing.
class FakeShell final : public Shell {
 public:
  std::optional<DllVersionInfo> version;  // nullopt: the probe fails
  mutable std::string lastLibrary;

  std::optional<DllVersionInfo> GetDllVersion(const char* library) const override {
    lastLibrary = library;
    return version;
  }
};

}  // namespace quillmere::testing
