#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/RunReport.h"
#include "cookies/BrowserProfiles.h"
#include "platform/Files.h"
#include "platform/Shell.h"

namespace quillmere {

// The cache folders of `profiles` that exist: a Chromium profile's "Cache", "Code
// Cache", "GPUCache" and "Media Cache" and its user data folder's shader caches (once
// for all its profiles); a Firefox profile's "cache2" and "thumbnails" in its local
// folder.
std::vector<std::string> BrowserCacheFolders(const Files& files,
                                             const std::vector<BrowserProfile>& profiles);

// Deletes every file in the cache folders of the family's profiles through the
// folder purge (links, junctions and folders with attributes are not entered), a
// line for each, and ends with the number deleted.
void ClearBrowserCaches(BrowserFamily family, Files& files, const Shell& shell, RunReport& report);

// The size of every file the clean-up would delete, as the purge walks them.
std::uint64_t BrowserCacheBytes(BrowserFamily family, const Files& files, const Shell& shell);

}  // namespace quillmere
