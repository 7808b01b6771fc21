#include "cookies/CookieKeepList.h"

#include <algorithm>

#include "common/FuncUnit.h"
#include "cookies/CookieRow.h"
#include "platform/Utf8.h"

namespace quillmere {
namespace {

bool IsHostName(std::string_view host) {
  if (host.empty() || host.front() == '.' || host.back() == '.' ||
      host.find("..") != std::string_view::npos) {
    return false;
  }
  // Letters of any script, as internationalised names hold them ("bücher.de").
  for (std::size_t at = 0; at < host.size();) {
    const Utf8Character c = DecodeUtf8(host, at);
    const bool allowed = (c.codePoint >= 'a' && c.codePoint <= 'z') ||
                         (c.codePoint >= '0' && c.codePoint <= '9') || c.codePoint == '-' ||
                         c.codePoint == '_' || c.codePoint == '.' ||
                         (c.valid && c.codePoint > 0x7F);
    if (!allowed) return false;
    at += c.length;
  }
  return true;
}

}  // namespace

std::string CookieHost(std::string_view sourceUrl) {
  std::string host = LowerCase(CookieAddress(sourceUrl));
  host.resize(std::min(host.find_first_of("/:"), host.size()));
  if (host.starts_with('.')) host.erase(0, 1);
  return host;
}

bool CookieKeepList::Add(std::string_view domain) {
  if (domain.starts_with('.')) domain.remove_prefix(1);
  std::string lower = LowerCase(domain);
  if (!IsHostName(lower)) return false;
  domains_.push_back(std::move(lower));
  return true;
}

bool CookieKeepList::Keeps(const UrlCacheEntry& entry) const {
  return IsCookie(entry) && KeepsHost(CookieHost(entry.sourceUrl));
}

bool CookieKeepList::KeepsHost(std::string_view host) const {
  return std::any_of(domains_.begin(), domains_.end(), [&](const std::string& domain) {
    return host == domain || (host.size() > domain.size() && host.ends_with(domain) &&
                              host[host.size() - domain.size() - 1] == '.');
  });
}

}  // namespace quillmere
