#include "cleaners/CacheCleaner.h"

#include "platform/UrlCacheWalk.h"

namespace quillmere {

void DeleteCachedPages(UrlCache& cache) {
  // No type is tested: pages, images and cookies all go.
  ForEachUrlCacheEntryUntilFailure(
      cache, [&](const UrlCacheEntry& entry) { cache.DeleteEntry(entry.sourceUrl); });
}

}  // namespace quillmere
