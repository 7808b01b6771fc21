#include "platform/UrlCacheWalk.h"

#include <stdexcept>
#include <string>

namespace quillmere {
namespace {

[[noreturn]] void GiveUp(std::uint32_t error) {
  throw std::runtime_error("The URL cache could not be read to its end (error " +
                           std::to_string(error) + ").");
}

[[noreturn]] void Unreadable(std::uint32_t error) {
  throw std::runtime_error("The URL cache could not be read (error " + std::to_string(error) +
                           ").");
}

}  // namespace

void ForEachUrlCacheEntry(UrlCache& cache, const std::function<void(const UrlCacheEntry&)>& visit) {
  const auto search = cache.Search();
  bool started = false;
  for (int failed = 0;;) {
    if (const auto entry = search->Next()) {
      started = true;
      failed = 0;
      visit(*entry);
      continue;
    }
    const std::uint32_t error = search->Error();
    if (error == kErrorNoMoreItems || (started && error == kErrorInvalidParameter)) return;
    // Before the first entry only one that changed is asked again: any other failure
    // is a cache that cannot be read, which an empty list would pass off as one
    // without entries.
    if (!started && error != kErrorInsufficientBuffer) Unreadable(error);
    if (++failed == kMaxFailedPasses) GiveUp(error);
  }
}

void ForEachUrlCacheEntryUntilFailure(UrlCache& cache,
                                      const std::function<void(const UrlCacheEntry&)>& visit) {
  const auto search = cache.Search();
  while (const auto entry = search->Next()) visit(*entry);
}

}  // namespace quillmere
