#include "console/RecordingCookieStore.h"

namespace quillmere {

bool RecordingCookieStore::Visible(const StoreCookie& cookie) const {
  return !keep_.KeepsHost(store_.Host(cookie)) && !gone_.contains(cookie.key);
}

void RecordingCookieStore::ForEachCookie(const std::function<void(const StoreCookie&)>& visit) {
  store_.ForEachCookie([&](const StoreCookie& cookie) {
    if (Visible(cookie)) visit(cookie);
  });
}

std::vector<bool> RecordingCookieStore::Delete(std::span<const StoreCookie> cookies) {
  std::vector<StoreCookie> allowed;
  for (const StoreCookie& cookie : cookies) {
    if (Visible(cookie)) allowed.push_back(cookie);
  }
  // One transaction for the whole batch: its answers are entered item by item.
  std::vector<bool> went;
  if (!ledger_.Previewing()) went = store_.Delete(allowed);
  std::vector<bool> gone(cookies.size(), false);
  std::size_t next = 0;
  for (std::size_t i = 0; i < cookies.size(); ++i) {
    if (!Visible(cookies[i])) continue;
    const std::size_t at = next++;
    gone[i] =
        ledger_.Remove(store_.FullAddress(cookies[i]), cookies[i].size, [&] { return went[at]; });
    if (gone[i] && ledger_.Previewing()) gone_.insert(cookies[i].key);
  }
  return gone;
}

}  // namespace quillmere
