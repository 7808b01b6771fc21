#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/UrlCache.h"
#include "tests/fakes/FaultPlan.h"

namespace quillmere::testing {

// A URL cache held in memory, with one search at a time, that can misbehave as a
// real one might. Under a fault plan the first entry of a search ("UrlCache.Search")
// or a later one ("UrlCache.SearchNext") fails with error 5 (access denied), leaving
// the search where it was.
class FakeUrlCache final : public UrlCache, public Faultable {
 public:
  struct Entry {
    UrlCacheEntry entry;
    // The entry changes between its size and its fetch the next time it is asked
    // for: that time it comes back with error 122.
    bool changesOnce = false;
  };

  std::vector<Entry> entries;
  // From this many entries on, every later entry fails with `failWith`.
  std::optional<std::uint32_t> failWith;
  std::size_t failFrom = 0;
  // Source addresses the cache refuses to delete.
  std::set<std::string> undeletable;
  // Called when a search begins, and on every delete before it acts.
  std::function<void()> onSearch;
  std::function<void(const std::string&)> onDelete;

  // What the callers did.
  std::vector<std::string> deleted;
  int searches = 0;      // searches begun
  int openSearches = 0;  // searches not yet closed
  int nextCalls = 0;     // entries asked for after the first of a search

  void Add(std::string sourceUrl, std::uint32_t entryType = kCookieCacheEntry,
           std::uint32_t hitRate = 1, FileTime modified = 0, FileTime expire = 0);

  std::unique_ptr<UrlCacheSearch> Search() override;
  bool DeleteEntry(const std::string& sourceUrl) override;

 private:
  friend class FakeUrlCacheSearch;
  // The entry at the open search's position, or the error that keeps it back.
  std::optional<UrlCacheEntry> Fetch(bool first, std::uint32_t& error);

  std::size_t position_ = 0;
};

}  // namespace quillmere::testing
