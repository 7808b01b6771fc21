#pragma once

#include <string>
#include <string_view>

#include "platform/LocaleTime.h"
#include "platform/UrlCache.h"

namespace quillmere {

// The longest "Address" a row shows, in characters.
inline constexpr std::size_t kMaxAddressLength = 260;

// The five cells of one cookie row, as the list shows them.
struct CookieRow {
  std::string address;      // caption: the host and path
  std::string hits;         // sub-item 0
  std::string modified;     // sub-item 1
  std::string expires;      // sub-item 2
  std::string fullAddress;  // sub-item 3: the entry's source address, its deletion key
};

// An entry is a cookie when its type has the cookie bit, whatever else it has.
inline bool IsCookie(const UrlCacheEntry& entry) {
  return (entry.entryType & kCookieCacheEntry) != 0;
}

// The part of a cookie's source address after its first "@" (all of it without
// one), at most 260 characters, less one final "/". Empty when nothing follows the
// "@".
std::string CookieAddress(std::string_view sourceUrl);

CookieRow MakeCookieRow(const LocaleTime& locale, const UrlCacheEntry& entry);

}  // namespace quillmere
