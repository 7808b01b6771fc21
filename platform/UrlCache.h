#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/CalendarTime.h"

namespace quillmere {

// Entry type bits.
inline constexpr std::uint32_t kCookieCacheEntry = 0x00100000;
inline constexpr std::uint32_t kUrlHistoryCacheEntry = 0x00200000;

// Errors a search of the URL cache reports.
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;
inline constexpr std::uint32_t kErrorNoMoreItems = 259;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;

// The fields of one URL cache entry record that the program uses.
struct UrlCacheEntry {
  std::string sourceUrl;
  std::uint32_t entryType = 0;
  std::uint32_t hitRate = 0;
  std::uint64_t size = 0;
  FileTime lastModified = 0;
  FileTime expire = 0;
  FileTime lastAccess = 0;
};

// The URL of a visit that the cache keeps for the history, an entry named
// "Visited: " + user + "@" + URL; nullopt for every other entry.
inline std::optional<std::string> VisitedUrl(const UrlCacheEntry& entry) {
  const std::size_t at = entry.sourceUrl.find('@');
  if (!(entry.entryType & kUrlHistoryCacheEntry) || !entry.sourceUrl.starts_with("Visited:") ||
      at == std::string::npos) {
    return std::nullopt;
  }
  return entry.sourceUrl.substr(at + 1);
}

// One enumeration of the URL cache, in the cache's own order; it is closed when this
// goes. A call that gives no entry leaves the enumeration where it was, so the same
// entry can be asked for again.
class UrlCacheSearch {
 public:
  virtual ~UrlCacheSearch() = default;
  // The next entry, the first on the first call, read whole; nullopt when none came.
  virtual std::optional<UrlCacheEntry> Next() = 0;
  // Why the last Next gave no entry: kErrorNoMoreItems after the last entry, and at
  // once for an empty cache; kErrorInsufficientBuffer when the entry changed between
  // the cache telling its size and handing it over; otherwise the cache's own error.
  virtual std::uint32_t Error() const = 0;
};

// The browser's URL cache.
class UrlCache {
 public:
  virtual ~UrlCache() = default;

  // An enumeration of every entry (no search pattern).
  virtual std::unique_ptr<UrlCacheSearch> Search() = 0;
  virtual bool DeleteEntry(const std::string& sourceUrl) = 0;
};

}  // namespace quillmere
