#pragma once

#include <memory>

#include "cookies/BrowserProfiles.h"
#include "cookies/CookieStore.h"

namespace quillmere {

// The cookie database of one browser profile (Chromium's "Cookies", Firefox's
// "cookies.sqlite"), opened with SQLite in place for each listing or deletion and
// closed again, so that the browser finds it as it left it. Before anything is read
// the table and the columns relied on are checked; a store that does not have them,
// or that SQLite finds damaged, is refused and left as it is. A deletion runs in one
// transaction that is committed only when the database is still whole afterwards.
class BrowserCookieStore final : public CookieStore {
 public:
  explicit BrowserCookieStore(BrowserProfile profile);

  std::string Name() const override { return profile_.Name(); }
  void ForEachCookie(const std::function<void(const StoreCookie&)>& visit) override;
  std::vector<bool> Delete(std::span<const StoreCookie> cookies) override;
  CookieRow Row(const LocaleTime& locale, const StoreCookie& cookie) const override;
  std::string Host(const StoreCookie& cookie) const override;
  std::string FullAddress(const StoreCookie& cookie) const override;

  const BrowserProfile& profile() const { return profile_; }

 private:
  template <typename Work>
  auto WithDatabase(Work work);

  BrowserProfile profile_;
};

// A store for each profile of `profiles` that has a cookie database.
std::vector<std::unique_ptr<CookieStore>> BrowserCookieStores(
    const std::vector<BrowserProfile>& profiles);

}  // namespace quillmere
