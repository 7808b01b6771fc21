#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/CalendarTime.h"

namespace quillmere {

// Entry type bits.
inline constexpr std::uint32_t kCookieCacheEntry = 0x00100000;
inline constexpr std::uint32_t kUrlHistoryCacheEntry = 0x00200000;

// Last errors of the URL cache calls.
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

// The browser's URL cache, in the shape of its platform calls: each entry is
// fetched into a buffer of exactly the size the cache asks for. The buffer's layout
// belongs to the implementation; ReadEntry takes the fields out of it.
class UrlCache {
 public:
  using FindHandle = std::uintptr_t;
  static constexpr FindHandle kNoHandle = 0;

  virtual ~UrlCache() = default;

  // Every entry, no search pattern. With no buffer or a short one: no handle,
  // `byteCount` set to the size the first entry needs, last error 122. With a buffer
  // of that size: a handle and the first entry in the buffer. An empty cache gives
  // no handle and last error 259.
  virtual FindHandle FindFirstEntry(std::span<std::byte> buffer, std::uint32_t& byteCount) = 0;
  // The same two calls for each following entry: false with the size and error 122
  // without a buffer, true with one, false and error 259 after the last entry.
  virtual bool FindNextEntry(FindHandle find, std::span<std::byte> buffer,
                             std::uint32_t& byteCount) = 0;
  virtual void FindClose(FindHandle find) = 0;
  virtual bool DeleteEntry(const std::string& sourceUrl) = 0;
  // The error of the last call above.
  virtual std::uint32_t LastError() const = 0;

  virtual UrlCacheEntry ReadEntry(std::span<const std::byte> buffer) const = 0;
};

}  // namespace quillmere
