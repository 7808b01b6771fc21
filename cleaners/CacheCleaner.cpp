#include "cleaners/CacheCleaner.h"

#include <vector>

namespace quillmere {

void DeleteCachedPages(UrlCache& cache) {
  std::uint32_t size = 0;
  cache.FindFirstEntry({}, size);
  std::vector<std::byte> buffer(size);
  const UrlCache::FindHandle find = cache.FindFirstEntry(buffer, size);
  if (find != UrlCache::kNoHandle) {
    do {
      cache.DeleteEntry(cache.ReadEntry(buffer).sourceUrl);
      size = 0;
      cache.FindNextEntry(find, {}, size);
      // At the end the probe leaves the size at 0, and the fetch without a buffer fails.
      buffer.assign(size, std::byte{});
    } while (cache.FindNextEntry(find, buffer, size));
  }
  cache.FindClose(find);
}

}  // namespace quillmere
