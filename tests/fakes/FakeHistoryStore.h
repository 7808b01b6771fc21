#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/HistoryStore.h"
#include "tests/fakes/FaultPlan.h"

namespace quillmere::testing {

// A history store in memory. Deletions during a pass do not disturb it: the pass
// goes on over the entries as they were when it started.
class FakeHistoryStore final : public HistoryStore, public Faultable {
 public:
  void Add(const std::string& url, const std::string& title, FileTime visited = 0,
           FileTime updated = 0, FileTime expires = 0) {
    entries.push_back({url, title, visited, updated, expires, "key:" + url});
  }

  std::unique_ptr<HistoryEnumeration> EnumUrls() override {
    ++passes;
    if (Fails("HistoryStore.EnumUrls") || unreadable) return nullptr;
    return std::make_unique<Pass>(entries, failAfter, faults);
  }
  bool DeleteUrl(const std::string& url) override {
    deletedUrls.push_back(url);
    if (Fails("HistoryStore.DeleteUrl")) return false;
    return Erase([&](const HistoryEntry& e) { return e.url == url; });
  }
  bool DeleteEntry(const HistoryEntry& entry) override {
    deletedKeys.push_back(entry.key);
    if (Fails("HistoryStore.DeleteEntry") || refused.contains(entry.url)) return false;
    return Erase([&](const HistoryEntry& e) { return e.key == entry.key; });
  }
  bool ClearHistory() override {
    ++clears;
    if (Fails("HistoryStore.ClearHistory")) return false;
    Erase([](const HistoryEntry&) { return true; });
    return true;
  }

  std::vector<HistoryEntry> entries;
  std::set<std::string> refused;     // URLs whose deletion the store refuses
  std::size_t failAfter = SIZE_MAX;  // a pass answers with an error after this many
  bool unreadable = false;           // no pass can be opened
  std::vector<std::string> deletedUrls;
  std::vector<std::string> deletedKeys;
  int passes = 0;
  int clears = 0;

 private:
  class Pass final : public HistoryEnumeration, public Faultable {
   public:
    Pass(std::vector<HistoryEntry> entries, std::size_t limit, FaultPlan* plan)
        : entries_(std::move(entries)), limit_(limit) {
      faults = plan;
    }
    std::optional<HistoryEntry> Next() override {
      if (next_ >= entries_.size() || next_ >= limit_) return std::nullopt;
      if (Fails("HistoryEnumeration.Next")) {
        limit_ = next_;
        return std::nullopt;
      }
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
    std::erase_if(entries, [&](const HistoryEntry& e) {
      if (!pred(e)) return false;
      Deleted("history " + e.url);
      return true;
    });
    return entries.size() != before;
  }
};

}  // namespace quillmere::testing
