#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "cookies/CookieRow.h"
#include "platform/CalendarTime.h"
#include "platform/LocaleTime.h"

namespace quillmere {

// One cookie of a store, as the store keeps it.
struct StoreCookie {
  std::string host;  // as the store spells it, a leading dot included
  std::string name;
  std::string path;
  std::optional<std::uint32_t> hits;  // only the URL cache counts a cookie's uses
  FileTime modified = 0;              // its last change (the cache) or last use (browsers)
  FileTime expires = 0;               // 0: a session cookie of a browser
  std::optional<std::uint64_t> size;
  std::string key;  // what the store finds it by again: a source address or a row
};

// A store the user must close its browser to clean: its file is open with no
// sharing, or locked. Its name says which browser and profile.
class StoreHeld : public std::runtime_error {
 public:
  StoreHeld(std::string storeName, const std::string& message)
      : std::runtime_error(message), storeName_(std::move(storeName)) {}
  const std::string& storeName() const { return storeName_; }

 private:
  std::string storeName_;
};

// Where cookies are kept: the URL cache, or one profile of a browser. Each lists
// its cookies and deletes a given set of them.
class CookieStore {
 public:
  virtual ~CookieStore() = default;

  // The browser and profile, "Chrome (Default)"; empty for the URL cache.
  virtual std::string Name() const = 0;
  // Hands every cookie to `visit`, one at a time, in the store's order. Throws
  // StoreHeld, or std::runtime_error for a store that cannot be read or is not the
  // kind of store expected.
  virtual void ForEachCookie(const std::function<void(const StoreCookie&)>& visit) = 0;
  // Deletes `cookies`, as ForEachCookie gave them, together where the store allows
  // (a database in one transaction). Each answer says whether that cookie went;
  // throws as ForEachCookie, and then none went.
  virtual std::vector<bool> Delete(std::span<const StoreCookie> cookies) = 0;
  // True when Delete takes a whole set at once (a transaction), false when it deletes
  // one cookie after another, each on its own.
  virtual bool DeletesTogether() const { return true; }
  // The cells of a cookie's row on the cookie page.
  virtual CookieRow Row(const LocaleTime& locale, const StoreCookie& cookie) const = 0;
  // The cookie's Full Address, which names the store it is in.
  virtual std::string FullAddress(const StoreCookie& cookie) const = 0;
  // The host a keep-list judges the cookie by: lower case, no leading dot or port.
  virtual std::string Host(const StoreCookie& cookie) const = 0;
};

}  // namespace quillmere
