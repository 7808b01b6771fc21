#include "tests/fakes/FakeUrlCache.h"

#include <algorithm>
#include <stdexcept>

namespace quillmere::testing {
namespace {

constexpr std::uint32_t kErrorAccessDenied = 5;

}  // namespace

class FakeUrlCacheSearch final : public UrlCacheSearch {
 public:
  explicit FakeUrlCacheSearch(FakeUrlCache& cache) : cache_(cache) { ++cache_.openSearches; }
  ~FakeUrlCacheSearch() override { --cache_.openSearches; }
  FakeUrlCacheSearch(const FakeUrlCacheSearch&) = delete;
  FakeUrlCacheSearch& operator=(const FakeUrlCacheSearch&) = delete;

  std::optional<UrlCacheEntry> Next() override {
    auto entry = cache_.Fetch(!started_, error_);
    if (entry) started_ = true;
    return entry;
  }
  std::uint32_t Error() const override { return error_; }

 private:
  FakeUrlCache& cache_;
  bool started_ = false;
  std::uint32_t error_ = 0;
};

void FakeUrlCache::Add(std::string sourceUrl, std::uint32_t entryType, std::uint32_t hitRate,
                       FileTime modified, FileTime expire) {
  entries.push_back({{std::move(sourceUrl), entryType, hitRate, 0, modified, expire}});
}

std::unique_ptr<UrlCacheSearch> FakeUrlCache::Search() {
  ++searches;
  if (onSearch) onSearch();
  if (openSearches) throw std::logic_error("a second search while one is open");
  position_ = 0;
  return std::make_unique<FakeUrlCacheSearch>(*this);
}

std::optional<UrlCacheEntry> FakeUrlCache::Fetch(bool first, std::uint32_t& error) {
  if (!first) ++nextCalls;
  if (Fails(first ? "UrlCache.Search" : "UrlCache.SearchNext")) {
    error = kErrorAccessDenied;
    return std::nullopt;
  }
  if (!first && failWith && position_ >= failFrom) {
    error = *failWith;
    return std::nullopt;
  }
  if (position_ >= entries.size()) {
    error = kErrorNoMoreItems;
    return std::nullopt;
  }
  if (entries[position_].changesOnce) {
    entries[position_].changesOnce = false;
    error = kErrorInsufficientBuffer;
    return std::nullopt;
  }
  error = 0;
  return entries[position_++].entry;
}

bool FakeUrlCache::DeleteEntry(const std::string& sourceUrl) {
  if (onDelete) onDelete(sourceUrl);
  if (Fails("UrlCache.DeleteEntry")) return false;
  const auto at = std::find_if(entries.begin(), entries.end(),
                               [&](const Entry& e) { return e.entry.sourceUrl == sourceUrl; });
  if (at == entries.end() || undeletable.count(sourceUrl)) return false;
  // As in a real cache, deleting an entry already listed does not make the open
  // search skip the one after it.
  const auto index = static_cast<std::size_t>(at - entries.begin());
  if (openSearches && index < position_) --position_;
  entries.erase(at);
  deleted.push_back(sourceUrl);
  Deleted("cache " + sourceUrl);
  return true;
}

}  // namespace quillmere::testing
