#pragma once

#include "console/Ledger.h"
#include "platform/Shell.h"

namespace quillmere {

// The shell as a run sees it: its queries go to `shell`, and emptying the recycle
// bin or the recent documents enters each item the list held in the ledger. A run
// empties each list once, so a preview need not hide what it would empty.
class RecordingShell final : public Shell {
 public:
  RecordingShell(Shell& shell, Ledger& ledger) : shell_(shell), ledger_(ledger) {}

  std::optional<DllVersionInfo> GetDllVersion(const char* library) const override {
    return shell_.GetDllVersion(library);
  }
  std::optional<std::int64_t> QueryRecycleBinSize(const char* rootPath) const override {
    return shell_.QueryRecycleBinSize(rootPath);
  }
  EmptyRecycleBinResult EmptyRecycleBin(std::uintptr_t ownerWindow, std::uint32_t flags) override;
  std::vector<ShellItem> RecycleBinItems() const override { return shell_.RecycleBinItems(); }
  void ClearRecentDocuments() override;
  std::vector<ShellItem> RecentDocuments() const override { return shell_.RecentDocuments(); }
  std::optional<std::string> FolderPath(UserFolder folder) const override {
    return shell_.FolderPath(folder);
  }

 private:
  Shell& shell_;
  Ledger& ledger_;
};

}  // namespace quillmere
