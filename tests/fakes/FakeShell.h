#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace quillmere::testing {

// A shell whose libraries report fixed answers, or are missing, and whose recycle
// bin and recent documents are lists that emptying them clears.
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
  std::vector<ShellItem> recycled;
  std::vector<ShellItem> recent;
  std::set<std::string> stuck;  // paths of items that emptying leaves where they are

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
    if (emptyResult == EmptyRecycleBinResult::kCalled) Empty(recycled);
    return emptyResult;
  }
  std::vector<ShellItem> RecycleBinItems() const override { return recycled; }
  void ClearRecentDocuments() override {
    ++clearRecentCalls;
    Empty(recent);
  }
  std::vector<ShellItem> RecentDocuments() const override { return recent; }

 private:
  void Empty(std::vector<ShellItem>& items) const {
    std::erase_if(items, [this](const ShellItem& item) { return !stuck.contains(item.path); });
  }
};

}  // namespace quillmere::testing
