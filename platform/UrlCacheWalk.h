#pragma once

#include <functional>

#include "platform/UrlCache.h"

namespace quillmere {

// Passes in a row that may fetch nothing before the walk gives up on a cache that
// keeps failing: a pass that fails once (an entry that grew between its size query
// and its fetch) is followed by one that succeeds, so a hundred in a row only come
// from a cache that has stopped answering.
inline constexpr int kMaxFailedPasses = 100;

// Reads every entry of the URL cache in its own order: for each entry its size is
// asked, a buffer of exactly that size allocated, the entry fetched and handed to
// `visit`, and the buffer freed before the next entry. The enumeration is closed
// on every way out. Throws std::runtime_error when the first entry fails otherwise
// than for an empty cache, or the cache fails kMaxFailedPasses times in a row; what
// was visited so far stays visited.
void ForEachUrlCacheEntry(UrlCache& cache, const std::function<void(const UrlCacheEntry&)>& visit);

// The plain walk of the sizing and clean-up tasks: each entry is sized, fetched
// into a buffer of exactly that size and handed to `visit` before the next is
// fetched; the first fetch that fails, whatever the error, ends the walk. At the
// end of the cache the size query leaves the size at 0, so the last fetch goes
// without a buffer. The enumeration is closed at the end, also when the cache
// gave none.
void ForEachUrlCacheEntryUntilFailure(UrlCache& cache,
                                      const std::function<void(const UrlCacheEntry&)>& visit);

}  // namespace quillmere
