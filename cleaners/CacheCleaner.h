#pragma once

#include "platform/UrlCache.h"

namespace quillmere {

// Deletes every entry of the URL cache, pages, images and cookies alike, each one
// before the next is fetched into a buffer of exactly its own size.
void DeleteCachedPages(UrlCache& cache);

}  // namespace quillmere
