#pragma once

#include <string>

#include "common/RunReport.h"
#include "platform/Registry.h"

namespace quillmere {

// The most-recently-used lists, as keys below HKEY_CURRENT_USER.
inline constexpr const char* kTypedUrlsKey = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
inline constexpr const char* kMediaPlayerRecentKey =
    "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
inline constexpr const char* kRunMruKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

// Deletes every value of HKEY_CURRENT_USER\`keyPath`, last to first, the bar walking
// down with them. The key and its subkeys stay for their owner to refill; a key that
// does not exist is left missing.
void ClearRegistryList(Registry& registry, RunReport& report, const std::string& keyPath);

}  // namespace quillmere
