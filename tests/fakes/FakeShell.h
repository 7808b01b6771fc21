#pragma once

#include <cstdint>
#include <string>

#include "platform/Shell.h"

namespace quillmere::testing {

// A shell whose libraries report fixed answers, or are missing.
class FakeShell final : public Shell {
 public:
  std::optional<DllVersionInfo> version;  // nullopt: the probe fails
  mutable std::string lastLibrary;
  std::optional<std::int64_t> recycleBinSize = 0;
  mutable std::string lastRecycleBinRoot;
  EmptyRecycleBinResult emptyResult = EmptyRecycleBinResult::kCalled;
  int emptyCalls = 0;
  std::uint32_t lastEmptyFlags = 0;
  int clearRecentCalls = 0;

  std::optional<DllVersionInfo> GetDllVersion(const char* library) const override {
    lastLibrary = library;
    return version;
  }
  std::optional<std::int64_t> QueryRecycleBinSize(const char* rootPath) const override {
    lastRecycleBinRoot = rootPath;
    return recycleBinSize;
  }
  EmptyRecycleBinResult EmptyRecycleBin(std::uintptr_t, std::uint32_t flags) override {
    ++emptyCalls;
    lastEmptyFlags = flags;
    return emptyResult;
  }
  void ClearRecentDocuments() override { ++clearRecentCalls; }
};

}  // namespace quillmere::testing
