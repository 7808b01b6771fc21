#include "cookies/UrlCacheCookieStore.h"

#include "cookies/CookieKeepList.h"
#include "platform/UrlCacheWalk.h"

namespace quillmere {

void UrlCacheCookieStore::ForEachCookie(const std::function<void(const StoreCookie&)>& visit) {
  ForEachUrlCacheEntry(cache_, [&](const UrlCacheEntry& entry) {
    if (!IsCookie(entry)) return;
    visit(StoreCookie{.host = {},
                      .name = {},
                      .path = {},
                      .hits = entry.hitRate,
                      .modified = entry.lastModified,
                      .expires = entry.expire,
                      .size = entry.size,
                      .key = entry.sourceUrl});
  });
}

// The cache deletes entry by entry: each answer is its own.
std::vector<bool> UrlCacheCookieStore::Delete(std::span<const StoreCookie> cookies) {
  std::vector<bool> gone;
  gone.reserve(cookies.size());
  for (const StoreCookie& cookie : cookies) gone.push_back(cache_.DeleteEntry(cookie.key));
  return gone;
}

CookieRow UrlCacheCookieStore::Row(const LocaleTime& locale, const StoreCookie& cookie) const {
  return MakeCookieRow(locale, UrlCacheEntry{.sourceUrl = cookie.key,
                                             .entryType = kCookieCacheEntry,
                                             .hitRate = cookie.hits.value_or(0),
                                             .lastModified = cookie.modified,
                                             .expire = cookie.expires});
}

std::string UrlCacheCookieStore::Host(const StoreCookie& cookie) const {
  return CookieHost(cookie.key);
}

}  // namespace quillmere
