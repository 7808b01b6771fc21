#pragma once

#include "cookies/CookieStore.h"
#include "platform/UrlCache.h"

namespace quillmere {

// The cookies of the URL cache (Internet Explorer's, and older programs'): each
// cookie is an entry, found again and deleted by its source address.
class UrlCacheCookieStore final : public CookieStore {
 public:
  explicit UrlCacheCookieStore(UrlCache& cache) : cache_(cache) {}

  std::string Name() const override { return {}; }
  bool DeletesTogether() const override { return false; }
  void ForEachCookie(const std::function<void(const StoreCookie&)>& visit) override;
  std::vector<bool> Delete(std::span<const StoreCookie> cookies) override;
  CookieRow Row(const LocaleTime& locale, const StoreCookie& cookie) const override;
  std::string Host(const StoreCookie& cookie) const override;
  std::string FullAddress(const StoreCookie& cookie) const override { return cookie.key; }

 private:
  UrlCache& cache_;
};

}  // namespace quillmere
