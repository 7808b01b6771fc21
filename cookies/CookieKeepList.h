#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/UrlCache.h"

namespace quillmere {

// The host a cookie's source address names ("Cookie:user@.Example.org/path" gives
// "example.org"): lower case, without a leading dot or a port.
std::string CookieHost(std::string_view sourceUrl);

// The cookies a run keeps: those whose host is one of the listed domains or lies
// below one (a listed "example.org" keeps "example.org" and "www.example.org", not
// "badexample.org").
class CookieKeepList {
 public:
  // Adds a domain, given with or without a leading dot, in any case. False, and
  // nothing added, when it is no host name: empty, an empty label, or a character a
  // host name cannot have.
  bool Add(std::string_view domain);
  // True for a cookie entry whose host is kept; never for an entry of another kind.
  bool Keeps(const UrlCacheEntry& entry) const;
  // True when cookies of `host` (lower case, no leading dot or port) are kept.
  bool KeepsHost(std::string_view host) const;
  bool empty() const { return domains_.empty(); }

 private:
  std::vector<std::string> domains_;  // lower case, no leading dot
};

}  // namespace quillmere
