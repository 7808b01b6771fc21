#pragma once

#include <string>
#include <vector>

#include "common/RunReport.h"
#include "cookies/CookieStore.h"

namespace quillmere {

// Cookies of one store that are to go.
struct CookieBatch {
  CookieStore* store = nullptr;
  std::vector<StoreCookie> cookies;
};

// A store that kept all its cookies, and why.
struct StoreFailure {
  std::string store;  // "Chrome (Default)"; empty for the URL cache
  std::string message;
  bool held = false;  // its browser runs
};

struct DeletionResult {
  int deleted = 0;
  std::vector<StoreFailure> failures;
};

// Deletes each batch from its own store, together as the store allows. A cookie
// that stays is named on a line of its own ("Could Not Delete : " + its Full Address)
// and not counted; a store that cannot be written is passed over, its cookies kept
// (the failures say which and why), and the rest go on. The count ends the run
// ("Deleted " + count + " Cookies"); the progress runs over all the cookies.
DeletionResult DeleteCookies(std::vector<CookieBatch>& batches, RunReport& report);

// Lists `store` and deletes every cookie it lists, as above.
DeletionResult DeleteEveryCookie(CookieStore& store, RunReport& report);

}  // namespace quillmere
