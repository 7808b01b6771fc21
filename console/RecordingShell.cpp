#include "console/RecordingShell.h"

namespace quillmere {
namespace {

std::vector<ListedItem> Listed(const std::vector<ShellItem>& items) {
  std::vector<ListedItem> listed;
  for (const ShellItem& item : items) listed.push_back({item.path, item.path, item.size});
  return listed;
}

}  // namespace

EmptyRecycleBinResult RecordingShell::EmptyRecycleBin(std::uintptr_t ownerWindow,
                                                      std::uint32_t flags) {
  auto result = EmptyRecycleBinResult::kCalled;
  ledger_.RemoveTogether(
      Listed(shell_.RecycleBinItems()),
      [&] { result = shell_.EmptyRecycleBin(ownerWindow, flags); },
      [&] { return Listed(shell_.RecycleBinItems()); });
  return result;
}

void RecordingShell::ClearRecentDocuments() {
  ledger_.RemoveTogether(
      Listed(shell_.RecentDocuments()), [&] { shell_.ClearRecentDocuments(); },
      [&] { return Listed(shell_.RecentDocuments()); });
}

}  // namespace quillmere
