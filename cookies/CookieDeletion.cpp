#include "cookies/CookieDeletion.h"

#include <exception>

namespace quillmere {

DeletionResult DeleteCookies(std::vector<CookieBatch>& batches, RunReport& report) {
  int total = 0;
  for (const CookieBatch& batch : batches) total += static_cast<int>(batch.cookies.size());
  report.SetProgressMax(total);
  DeletionResult result;
  int done = 0;
  for (CookieBatch& batch : batches) {
    if (batch.cookies.empty()) continue;
    std::vector<bool> gone;
    try {
      gone = batch.store->Delete(batch.cookies);
    } catch (const StoreHeld& held) {
      result.failures.push_back({held.storeName(), held.what(), true});
    } catch (const std::exception& error) {
      result.failures.push_back({batch.store->Name(), error.what(), false});
    }
    for (std::size_t i = 0; i < gone.size(); ++i) {
      if (gone[i]) {
        ++result.deleted;
      } else {
        report.ShowStatus("Could Not Delete : " + batch.store->FullAddress(batch.cookies[i]));
      }
    }
    done += static_cast<int>(batch.cookies.size());
    report.SetProgressPosition(done - 1);
  }
  report.ShowStatus("Deleted " + std::to_string(result.deleted) + " Cookies");
  report.SetProgressPosition(0);
  return result;
}

DeletionResult DeleteEveryCookie(CookieStore& store, RunReport& report) {
  // The list is read whole first, so that no deletion disturbs the walk.
  std::vector<CookieBatch> batches{{&store, {}}};
  store.ForEachCookie([&](const StoreCookie& cookie) { batches[0].cookies.push_back(cookie); });
  return DeleteCookies(batches, report);
}

}  // namespace quillmere
