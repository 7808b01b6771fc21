#include "cookies/CookieRow.h"

#include "common/FuncUnit.h"
#include "platform/Utf8.h"

namespace quillmere {

std::string CookieAddress(std::string_view sourceUrl) {
  if (const auto at = sourceUrl.find('@'); at != std::string_view::npos)
    sourceUrl.remove_prefix(at + 1);
  return TrimTrailingSlash(FirstCharacters(sourceUrl, kMaxAddressLength));
}

CookieRow MakeCookieRow(const LocaleTime& locale, const UrlCacheEntry& entry) {
  return CookieRow{.address = CookieAddress(entry.sourceUrl),
                   .hits = std::to_string(entry.hitRate),
                   .modified = FileTimeToText(locale, entry.lastModified),
                   .expires = FileTimeToText(locale, entry.expire),
                   .fullAddress = entry.sourceUrl};
}

}  // namespace quillmere
