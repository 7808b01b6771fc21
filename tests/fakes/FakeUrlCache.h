#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/UrlCache.h"
#include "tests/fakes/FaultPlan.h"

namespace quillmere::testing {

// A URL cache held in memory, with one enumeration at a time, that can misbehave as
// a real one might. Its buffers hold a fixed record followed by the source address.
// A call a fault plan fails answers error 5 (access denied); a record it fails to
// read is cut short, as the real port says.
class FakeUrlCache final : public UrlCache, public Faultable {
 public:
  struct Entry {
    UrlCacheEntry entry;
    std::uint32_t growsBy = 0;  // bytes the entry grows by right after its first size query
  };

  std::vector<Entry> entries;
  // From this many entries on, every next-entry call fails with `failWith`.
  std::optional<std::uint32_t> failWith;
  std::size_t failFrom = 0;
  // Source addresses the cache refuses to delete.
  std::set<std::string> undeletable;
  // Called on every first-entry call, and on every delete before it acts.
  std::function<void()> onFindFirst;
  std::function<void(const std::string&)> onDelete;

  // What the callers did.
  struct Fetch {
    std::uint32_t asked;  // the byte count the last size query reported
    std::size_t buffer;   // the length of the buffer the fetch came with
  };
  std::vector<Fetch> fetches;
  std::vector<std::string> deleted;
  int findFirstCalls = 0;
  int openSearches = 0;
  int nextCalls = 0;

  void Add(std::string sourceUrl, std::uint32_t entryType = kCookieCacheEntry,
           std::uint32_t hitRate = 1, FileTime modified = 0, FileTime expire = 0);

  FindHandle FindFirstEntry(std::span<std::byte> buffer, std::uint32_t& byteCount) override;
  bool FindNextEntry(FindHandle find, std::span<std::byte> buffer,
                     std::uint32_t& byteCount) override;
  void FindClose(FindHandle find) override;
  bool DeleteEntry(const std::string& sourceUrl) override;
  std::uint32_t LastError() const override { return lastError_; }
  UrlCacheEntry ReadEntry(std::span<const std::byte> buffer) const override;

 private:
  std::uint32_t Needed(std::size_t index) const;
  bool Fetch(std::span<std::byte> buffer, std::uint32_t& byteCount);

  std::uint32_t lastError_ = 0;
  std::size_t position_ = 0;
  std::uint32_t lastAsked_ = 0;
  FindHandle open_ = kNoHandle;
  FindHandle nextHandle_ = 1;
  std::set<std::size_t> grown_;
};

}  // namespace quillmere::testing
