#pragma once

#include "cleaners/BrowserHistory.h"
#include "console/Ledger.h"

namespace quillmere {

// A database write as a run sees it: each item is entered in the ledger, and the
// write reaches the database only in a clean, whose answers are entered item by item.
class RecordingBatchRemoval final : public BatchRemoval {
 public:
  explicit RecordingBatchRemoval(Ledger& ledger) : ledger_(ledger) {}

  std::vector<bool> Remove(const std::vector<RemovalItem>& items,
                           const std::function<void()>& write,
                           const std::function<std::set<std::string>()>& remaining) override;

 private:
  Ledger& ledger_;
};

}  // namespace quillmere
