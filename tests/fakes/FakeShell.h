#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Shell.h"
#include "tests/fakes/FaultPlan.h"

namespace quillmere::testing {

// A shell whose libraries report fixed answers, or are missing, and whose recycle
// bin and recent documents are lists that emptying them clears. Under a fault plan a
// library that fails to load fails the call as the real port reports it; the
// shell's own failure to clear the recent documents is not reported.
class FakeShell final : public Shell, public Faultable {
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
    if (Fails("Shell.GetDllVersion")) return std::nullopt;
    return version;
  }
  std::optional<std::int64_t> QueryRecycleBinSize(const char* rootPath) const override {
    lastRecycleBinRoot = rootPath;
    if (Fails("Shell.QueryRecycleBinSize")) return std::nullopt;
    return recycleBinSize;
  }
  EmptyRecycleBinResult EmptyRecycleBin(std::uintptr_t, std::uint32_t flags) override {
    ++emptyCalls;
    lastEmptyFlags = flags;
    if (Fails("Shell.EmptyRecycleBin")) return EmptyRecycleBinResult::kLibraryMissing;
    if (emptyResult == EmptyRecycleBinResult::kCalled) Empty(recycled, "recycled ");
    return emptyResult;
  }
  std::vector<ShellItem> RecycleBinItems() const override {
    if (Fails("Shell.RecycleBinItems"))
      throw std::runtime_error("The recycle bin cannot be listed.");
    return recycled;
  }
  void ClearRecentDocuments() override {
    ++clearRecentCalls;
    if (!Fails("Shell.ClearRecentDocuments")) Empty(recent, "recent ");
  }
  std::vector<ShellItem> RecentDocuments() const override {
    if (Fails("Shell.RecentDocuments")) return {};
    return recent;
  }
  std::optional<std::string> FolderPath(UserFolder folder) const override {
    const auto path = folders.find(folder);
    if (path == folders.end() || Fails("Shell.FolderPath")) return std::nullopt;
    return path->second;
  }
  std::map<UserFolder, std::string> folders;

 private:
  void Empty(std::vector<ShellItem>& items, const std::string& kind) const {
    std::erase_if(items, [&](const ShellItem& item) {
      if (stuck.contains(item.path)) return false;
      Deleted(kind + item.path);
      return true;
    });
  }
};

}  // namespace quillmere::testing
