#pragma once

#include "platform/Shell.h"

namespace quillmere::win32 {

class Win32Shell final : public Shell {
 public:
  std::optional<DllVersionInfo> GetDllVersion(const char* library) const override;
  std::optional<std::int64_t> QueryRecycleBinSize(const char* rootPath) const override;
  EmptyRecycleBinResult EmptyRecycleBin(std::uintptr_t ownerWindow, std::uint32_t flags) override;
  std::vector<ShellItem> RecycleBinItems() const override;
  void ClearRecentDocuments() override;
  std::vector<ShellItem> RecentDocuments() const override;
  std::optional<std::string> FolderPath(UserFolder folder) const override;
};

}  // namespace quillmere::win32
