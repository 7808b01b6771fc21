#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/HistoryStore.h"

namespace quillmere::testing {

// A history store in memory. Deletions during a pass do not disturb it: the pass
// goes on over the entries as they were when it started.
class FakeHistoryStore final : public HistoryStore {
 public:
  void Add(const std::string& url, const std::string& title, FileTime visited = 0,
           FileTime updated = 0, FileTime expires = 0) {
    entries.push_back({url, title, visited, updated, expires, "key:" + url});
  }

  std::unique_ptr<HistoryEnumeration> EnumUrls() override {
    ++passes;
    return std::make_unique<Pass>(entries, failAfter);
  }
  bool DeleteUrl(const std::string& url) override {
    deletedUrls.push_back(url);
    return Erase([&](const HistoryEntry& e) { return e.url == url; });
  }
  bool DeleteEntry(const HistoryEntry& entry) override {
    deletedKeys.push_back(entry.key);
    if (refused.contains(entry.url)) return false;
    return Erase([&](const HistoryEntry& e) { return e.key == entry.key; });
  }
  bool ClearHistory() override {
    ++clears;
    entries.clear();
    return true;
  }

  std::vector<HistoryEntry> entries;
  std::set<std::string> refused;     // URLs whose deletion the store refuses
  std::size_t failAfter = SIZE_MAX;  // a pass answers with an error after this many
  std::vector<std::string> deletedUrls;
  std::vector<std::string> deletedKeys;
  int passes = 0;
  int clears = 0;

 private:
  class Pass final : public HistoryEnumeration {
   public:
    Pass(std::vector<HistoryEntry> entries, std::size_t limit)
        : entries_(std::move(entries)), limit_(limit) {}
    std::optional<HistoryEntry> Next() override {
      if (next_ >= entries_.size() || next_ >= limit_) return std::nullopt;
      return entries_[next_++];
    }

   private:
    std::vector<HistoryEntry> entries_;
    std::size_t limit_;
    std::size_t next_ = 0;
  };

  template <typename Pred>
  bool Erase(Pred pred) {
    const auto before = entries.size();
    std::erase_if(entries, pred);
    return entries.size() != before;
  }
};

}  // namespace quillmere::testing
