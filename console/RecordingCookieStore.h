#pragma once

#include <set>
#include <string>

#include "console/Ledger.h"
#include "cookies/CookieKeepList.h"
#include "cookies/CookieStore.h"

namespace quillmere {

// A browser's cookie store as a run sees it: the cookies `keep` names are in no
// listing and cannot be deleted; every deletion is entered in the ledger and reaches
// the store only in a clean, all of a batch in the store's one transaction. In a
// preview what it would delete is left out of later listings.
class RecordingCookieStore final : public CookieStore {
 public:
  RecordingCookieStore(CookieStore& store, Ledger& ledger, const CookieKeepList& keep)
      : store_(store), ledger_(ledger), keep_(keep) {}

  std::string Name() const override { return store_.Name(); }
  bool DeletesTogether() const override { return store_.DeletesTogether(); }
  void ForEachCookie(const std::function<void(const StoreCookie&)>& visit) override;
  std::vector<bool> Delete(std::span<const StoreCookie> cookies) override;
  CookieRow Row(const LocaleTime& locale, const StoreCookie& cookie) const override {
    return store_.Row(locale, cookie);
  }
  std::string Host(const StoreCookie& cookie) const override { return store_.Host(cookie); }
  std::string FullAddress(const StoreCookie& cookie) const override {
    return store_.FullAddress(cookie);
  }

 private:
  bool Visible(const StoreCookie& cookie) const;

  CookieStore& store_;
  Ledger& ledger_;
  const CookieKeepList& keep_;
  std::set<std::string> gone_;  // keys deleted in a preview
};

}  // namespace quillmere
