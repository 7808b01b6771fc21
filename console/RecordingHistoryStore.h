#pragma once

#include <set>
#include <string>
#include <vector>

#include "console/Ledger.h"
#include "platform/HistoryStore.h"

namespace quillmere {

// The URL history as a run sees it: entries are read from `store`, and every
// deletion is entered in the ledger, one item an entry. In a preview the URLs it
// would delete are left out of every later pass; `goneVisits` is shared with the
// URL cache, which keeps the same visits in its history container.
class RecordingHistoryStore final : public HistoryStore {
 public:
  RecordingHistoryStore(HistoryStore& store, Ledger& ledger, std::set<std::string>& goneVisits)
      : store_(store), ledger_(ledger), goneVisits_(goneVisits) {}

  std::unique_ptr<HistoryEnumeration> EnumUrls() override;
  bool DeleteUrl(const std::string& url) override;
  bool DeleteEntry(const HistoryEntry& entry) override;
  bool ClearHistory() override;

  bool Gone(const std::string& url) const { return goneVisits_.contains(url); }

 private:
  bool Remove(const std::string& url, const std::function<bool()>& remove);
  std::vector<ListedItem> ListEntries();

  HistoryStore& store_;
  Ledger& ledger_;
  std::set<std::string>& goneVisits_;
  std::set<std::string> deletedUrls_;  // asked of DeleteUrl in this run
};

}  // namespace quillmere
