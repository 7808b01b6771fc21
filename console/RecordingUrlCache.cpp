#include "console/RecordingUrlCache.h"

#include <optional>
#include <utility>
#include <vector>

#include "platform/UrlCacheWalk.h"

namespace quillmere {
namespace {

// An entry that no search has read: only a cookie's address tells what it is.
UrlCacheEntry Unread(const std::string& sourceUrl) {
  const bool cookie = sourceUrl.size() >= 7 && (sourceUrl.compare(0, 7, "Cookie:") == 0 ||
                                                sourceUrl.compare(0, 7, "cookie:") == 0);
  return UrlCacheEntry{.sourceUrl = sourceUrl, .entryType = cookie ? kCookieCacheEntry : 0};
}

}  // namespace

// The entries one search read. Those a preview has deleted since are passed over, as
// they would be in a live cache.
class RecordedSearch final : public UrlCacheSearch {
 public:
  RecordedSearch(const RecordingUrlCache& owner, std::vector<UrlCacheEntry> entries)
      : owner_(owner), entries_(std::move(entries)) {}

  std::optional<UrlCacheEntry> Next() override {
    while (next_ < entries_.size() && !owner_.Visible(entries_[next_])) ++next_;
    if (next_ == entries_.size()) return std::nullopt;
    return entries_[next_++];
  }
  std::uint32_t Error() const override { return kErrorNoMoreItems; }

 private:
  const RecordingUrlCache& owner_;
  std::vector<UrlCacheEntry> entries_;
  std::size_t next_ = 0;
};

std::unique_ptr<UrlCacheSearch> RecordingUrlCache::Search() {
  std::vector<UrlCacheEntry> entries;
  ForEachUrlCacheEntry(cache_, [&](const UrlCacheEntry& entry) {
    known_[entry.sourceUrl] = entry;
    if (Visible(entry)) entries.push_back(entry);
  });
  return std::make_unique<RecordedSearch>(*this, std::move(entries));
}

bool RecordingUrlCache::DeleteEntry(const std::string& sourceUrl) {
  const auto known = known_.find(sourceUrl);
  const UrlCacheEntry entry = known != known_.end() ? known->second : Unread(sourceUrl);
  if (!Visible(entry)) return false;
  const bool removed =
      ledger_.Remove(sourceUrl, known != known_.end() ? std::optional(entry.size) : std::nullopt,
                     [&] { return cache_.DeleteEntry(sourceUrl); });
  if (removed && ledger_.Previewing()) {
    gone_.insert(sourceUrl);
    if (const auto url = VisitedUrl(entry)) goneVisits_.insert(*url);
  }
  return removed;
}

bool RecordingUrlCache::Visible(const UrlCacheEntry& entry) const {
  if (keep_.Keeps(entry) || gone_.contains(entry.sourceUrl)) return false;
  const auto url = VisitedUrl(entry);
  return !url || !goneVisits_.contains(*url);
}

}  // namespace quillmere
