#pragma once

#include <functional>

#include "platform/UrlCache.h"

namespace quillmere {

// Passes in a row that may fetch nothing before the walk gives up on a cache that
// keeps failing: a pass that fails once (an entry that grew between its size query
// and its fetch) is followed by one that succeeds, so a hundred in a row only come
// from a cache that has stopped answering.
inline constexpr int kMaxFailedPasses = 100;

// Reads every entry of the URL cache in its own order and hands each to `visit`. An
// entry the cache fails to hand over is asked for again. The enumeration is closed on
// every way out. Throws std::runtime_error when the first entry fails otherwise than
// for an empty cache or an entry that changed, or the cache fails kMaxFailedPasses
// times in a row; what was visited so far stays visited. Invalid parameter after the
// first entry ends the walk, as the end of the cache does.
void ForEachUrlCacheEntry(UrlCache& cache, const std::function<void(const UrlCacheEntry&)>& visit);

// The plain walk of the sizing and clean-up tasks: each entry is handed to `visit`
// before the next is read; the first entry the cache fails to hand over, whatever
// the error, ends the walk.
void ForEachUrlCacheEntryUntilFailure(UrlCache& cache,
                                      const std::function<void(const UrlCacheEntry&)>& visit);

}  // namespace quillmere
