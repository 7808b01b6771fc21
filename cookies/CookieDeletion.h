#pragma once

#include <span>
#include <string>
#include <vector>

#include "common/RunReport.h"
#include "cookies/CookieStore.h"

namespace quillmere {

// One row of a deletion run: the store its cookie is in (nullptr when that store is
// gone), the cookie, and whether it is to go.
struct CookieChoice {
  CookieStore* store = nullptr;
  const StoreCookie* cookie = nullptr;
  bool chosen = false;
};

// A store that kept its cookies, and why.
struct StoreFailure {
  std::string store;  // "Chrome (Default)"; empty for the URL cache
  std::string message;
  bool held = false;  // its browser runs
};

struct DeletionResult {
  int deleted = 0;
  std::vector<StoreFailure> failures;
};

// Walks the rows in order, the progress at each row's index, and deletes the chosen
// cookies from their own stores: one at a time where the store deletes so (the URL
// cache), or all of a store's at once when its first chosen row comes (a browser
// profile, in one transaction). A cookie that stays is named on a line of its own
// ("Could Not Delete : " + its Full Address) and not counted; a store that cannot be
// written is passed over with its cookies, and the answer says which and why. The
// count ends the run ("Deleted " + count + " Cookies"); the progress stays at the
// last row, for the caller to reset once it has read the stores again.
DeletionResult DeleteCookies(std::span<const CookieChoice> rows, RunReport& report);

// Lists `store` and deletes every cookie it lists, as above; the progress is reset.
DeletionResult DeleteEveryCookie(CookieStore& store, RunReport& report);

}  // namespace quillmere
