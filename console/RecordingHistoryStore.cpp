#include "console/RecordingHistoryStore.h"

namespace quillmere {
namespace {

// A pass that passes over the entries a preview has taken away.
class VisiblePass final : public HistoryEnumeration {
 public:
  VisiblePass(std::unique_ptr<HistoryEnumeration> pass, const RecordingHistoryStore& store)
      : pass_(std::move(pass)), store_(store) {}

  std::optional<HistoryEntry> Next() override {
    while (auto entry = pass_->Next()) {
      if (!store_.Gone(entry->url)) return entry;
    }
    return std::nullopt;
  }

 private:
  std::unique_ptr<HistoryEnumeration> pass_;
  const RecordingHistoryStore& store_;
};

}  // namespace

std::unique_ptr<HistoryEnumeration> RecordingHistoryStore::EnumUrls() {
  auto pass = store_.EnumUrls();
  if (!pass) return nullptr;
  return std::make_unique<VisiblePass>(std::move(pass), *this);
}

bool RecordingHistoryStore::DeleteUrl(const std::string& url) {
  // A URL listed twice (visited under two user names) goes with its first deletion;
  // the second would find nothing and fail, so it is not made.
  if (!deletedUrls_.insert(url).second) return false;
  return Remove(url, [&] { return store_.DeleteUrl(url); });
}

bool RecordingHistoryStore::DeleteEntry(const HistoryEntry& entry) {
  return Remove(entry.url, [&] { return store_.DeleteEntry(entry); });
}

bool RecordingHistoryStore::ClearHistory() {
  const std::vector<ListedItem> entries = ListEntries();
  bool cleared = true;
  ledger_.RemoveTogether(
      entries, [&] { cleared = store_.ClearHistory(); }, [&] { return ListEntries(); });
  if (ledger_.Previewing()) {
    for (const ListedItem& entry : entries) goneVisits_.insert(entry.name);
  }
  return cleared;
}

bool RecordingHistoryStore::Remove(const std::string& url, const std::function<bool()>& remove) {
  if (Gone(url)) return false;
  const bool removed = ledger_.Remove(url, std::nullopt, remove);
  if (removed && ledger_.Previewing()) goneVisits_.insert(url);
  return removed;
}

std::vector<ListedItem> RecordingHistoryStore::ListEntries() {
  std::vector<ListedItem> entries;
  const auto pass = EnumUrls();
  if (!pass) return entries;
  while (auto entry = pass->Next())
    entries.push_back({std::move(entry->key), std::move(entry->url), std::nullopt});
  return entries;
}

}  // namespace quillmere
