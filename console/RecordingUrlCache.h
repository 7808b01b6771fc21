#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "console/Ledger.h"
#include "cookies/CookieKeepList.h"
#include "platform/UrlCache.h"

namespace quillmere {

// The URL cache as a run sees it. Each search reads `cache` whole when it starts
// and hands its entries out one by one, in the port's two calls (the size, then the
// entry into a buffer of that size); its buffers are laid out by this class. The
// cookies `keep` names are in no search and cannot be deleted, so no task of the
// run touches them, the cached pages' among them. Every deletion is entered in the
// ledger; in a preview what it would delete is left out of every later search, and
// so are the visits of URLs whose history it would delete (`goneVisits`).
class RecordingUrlCache final : public UrlCache {
 public:
  RecordingUrlCache(UrlCache& cache, Ledger& ledger, const CookieKeepList& keep,
                    std::set<std::string>& goneVisits)
      : cache_(cache), ledger_(ledger), keep_(keep), goneVisits_(goneVisits) {}

  FindHandle FindFirstEntry(std::span<std::byte> buffer, std::uint32_t& byteCount) override;
  bool FindNextEntry(FindHandle find, std::span<std::byte> buffer,
                     std::uint32_t& byteCount) override;
  void FindClose(FindHandle find) override { searches_.erase(find); }
  bool DeleteEntry(const std::string& sourceUrl) override;
  std::uint32_t LastError() const override { return lastError_; }
  UrlCacheEntry ReadEntry(std::span<const std::byte> buffer) const override;

 private:
  struct Search {
    std::vector<UrlCacheEntry> entries;
    std::size_t next = 0;
  };

  Search Read();
  bool Visible(const UrlCacheEntry& entry) const;
  bool Hand(Search& search, std::span<std::byte> buffer, std::uint32_t& byteCount);

  UrlCache& cache_;
  Ledger& ledger_;
  const CookieKeepList& keep_;
  std::set<std::string>& goneVisits_;
  std::map<FindHandle, Search> searches_;
  // Read by a first call without room for the entry, for the call with the buffer.
  std::optional<Search> starting_;
  FindHandle nextHandle_ = 1;
  std::map<std::string, UrlCacheEntry> known_;  // every entry read, by source address
  std::set<std::string> gone_;                  // deleted in a preview
  std::uint32_t lastError_ = 0;
};

}  // namespace quillmere
