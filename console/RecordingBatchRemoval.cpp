#include "console/RecordingBatchRemoval.h"

namespace quillmere {

std::vector<bool> RecordingBatchRemoval::Remove(
    const std::vector<RemovalItem>& items, const std::function<void()>& write,
    const std::function<std::set<std::string>()>& remaining) {
  std::set<std::string> left;
  if (!ledger_.Previewing()) {
    write();
    left = remaining();
  }
  std::vector<bool> gone;
  gone.reserve(items.size());
  for (const RemovalItem& item : items)
    gone.push_back(
        ledger_.Remove(item.name, std::nullopt, [&] { return !left.contains(item.key); }));
  return gone;
}

}  // namespace quillmere
