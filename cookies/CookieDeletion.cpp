#include "cookies/CookieDeletion.h"

#include <exception>
#include <functional>
#include <map>
#include <optional>

namespace quillmere {
namespace {

// The answers of one store for its chosen cookies, in the rows' order; none when
// the store refused the whole set.
struct StoreAnswers {
  std::vector<bool> gone;
  std::size_t next = 0;
  bool failed = false;
};

// Runs `remove` on `store`; a failure of the whole store is entered in `result`.
bool StoreDeletes(CookieStore& store, DeletionResult& result, const std::function<void()>& remove) {
  try {
    remove();
    return true;
  } catch (const StoreHeld& held) {
    result.failures.push_back({held.storeName(), held.what(), true});
  } catch (const std::exception& error) {
    result.failures.push_back({store.Name(), error.what(), false});
  }
  return false;
}

}  // namespace

DeletionResult DeleteCookies(std::span<const CookieChoice> rows, RunReport& report) {
  report.SetProgressMax(static_cast<int>(rows.size()));
  DeletionResult result;
  std::map<CookieStore*, StoreAnswers> together;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const CookieChoice& row = rows[i];
    if (row.chosen && row.store) {
      CookieStore& store = *row.store;
      std::optional<bool> gone;
      if (!store.DeletesTogether()) {
        std::vector<bool> answer;
        if (StoreDeletes(store, result, [&] { answer = store.Delete(std::span(row.cookie, 1)); }))
          gone = !answer.empty() && answer.front();
      } else {
        auto [answers, first] = together.try_emplace(&store);
        if (first) {
          std::vector<StoreCookie> chosen;
          for (std::size_t k = i; k < rows.size(); ++k) {
            if (rows[k].chosen && rows[k].store == &store) chosen.push_back(*rows[k].cookie);
          }
          answers->second.failed =
              !StoreDeletes(store, result, [&] { answers->second.gone = store.Delete(chosen); });
        }
        StoreAnswers& of = answers->second;
        if (!of.failed && of.next < of.gone.size()) gone = of.gone[of.next++];
      }
      if (gone && *gone) {
        ++result.deleted;
      } else if (gone) {
        report.ShowStatus("Could Not Delete : " + store.FullAddress(*row.cookie));
      }
    }
    report.SetProgressPosition(static_cast<int>(i));
  }
  report.ShowStatus("Deleted " + std::to_string(result.deleted) + " Cookies");
  return result;
}

DeletionResult DeleteEveryCookie(CookieStore& store, RunReport& report) {
  // The list is read whole first, so that no deletion disturbs the walk.
  std::vector<StoreCookie> cookies;
  store.ForEachCookie([&](const StoreCookie& cookie) { cookies.push_back(cookie); });
  std::vector<CookieChoice> rows;
  rows.reserve(cookies.size());
  for (const StoreCookie& cookie : cookies) rows.push_back({&store, &cookie, true});
  DeletionResult result = DeleteCookies(rows, report);
  report.SetProgressPosition(0);
  return result;
}

}  // namespace quillmere
