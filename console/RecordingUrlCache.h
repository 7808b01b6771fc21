#pragma once

#include <map>
#include <set>
#include <string>

#include "console/Ledger.h"
#include "cookies/CookieKeepList.h"
#include "platform/UrlCache.h"

namespace quillmere {

// The URL cache as a run sees it. Each search reads `cache` whole when it starts and
// hands its entries out one by one. The cookies `keep` names are in no search and
// cannot be deleted, so no task of the run touches them, the cached pages' among
// them. Every deletion is entered in the ledger; in a preview what it would delete is
// left out of every later search, and out of a search already under way, and so are
// the visits of URLs whose history it would delete (`goneVisits`).
class RecordingUrlCache final : public UrlCache {
 public:
  RecordingUrlCache(UrlCache& cache, Ledger& ledger, const CookieKeepList& keep,
                    std::set<std::string>& goneVisits)
      : cache_(cache), ledger_(ledger), keep_(keep), goneVisits_(goneVisits) {}

  std::unique_ptr<UrlCacheSearch> Search() override;
  bool DeleteEntry(const std::string& sourceUrl) override;

 private:
  friend class RecordedSearch;
  bool Visible(const UrlCacheEntry& entry) const;

  UrlCache& cache_;
  Ledger& ledger_;
  const CookieKeepList& keep_;
  std::set<std::string>& goneVisits_;
  std::map<std::string, UrlCacheEntry> known_;  // every entry read, by source address
  std::set<std::string> gone_;                  // deleted in a preview
};

}  // namespace quillmere
