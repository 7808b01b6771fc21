#include "cookies/CookieRow.h"

#include <gtest/gtest.h>

#include <string>

#include "common/FuncUnit.h"
#include "platform/Utf8.h"
#include "tests/fakes/FakeLocaleTime.h"

namespace quillmere {
namespace {

using testing::FakeLocaleTime;
using testing::FileTimeOf;

TEST(CookieAddress, IsTheHostAndPathAfterTheFirstAtLessOneFinalSlash) {
  EXPECT_EQ(CookieAddress("Cookie:jane@www.example.com/"), "www.example.com");
  EXPECT_EQ(CookieAddress("Cookie:jane@shop.example.org/cart/"), "shop.example.org/cart");
  EXPECT_EQ(CookieAddress("Cookie:jane@news.test/daily"), "news.test/daily");
  EXPECT_EQ(CookieAddress("Cookie:jane@a.test//"), "a.test/");
  EXPECT_EQ(CookieAddress("Cookie:jane@mail@b.test/"), "mail@b.test");
}

TEST(CookieAddress, WithoutAnAtIsTheWholeAddressAndWithNothingAfterItIsEmpty) {
  EXPECT_EQ(CookieAddress("Cookie:plain.test/"), "Cookie:plain.test");
  EXPECT_EQ(CookieAddress("Cookie:jane@"), "");
  EXPECT_EQ(CookieAddress(""), "");
}

TEST(CookieAddress, IsCutTo260CharactersBeforeTheSlashIsTrimmed) {
  const std::string host(300, 'h');
  EXPECT_EQ(CookieAddress("Cookie:jane@" + host + "/"), std::string(260, 'h'));
  const std::string longNoAt = "Cookie:" + std::string(400, 'x');
  EXPECT_EQ(CookieAddress(longNoAt), longNoAt.substr(0, 260));
  // The 260th character is a slash: it goes too.
  EXPECT_EQ(CookieAddress("Cookie:jane@" + std::string(259, 'p') + "/more"), std::string(259, 'p'));
  // 260 characters of two bytes each: no letter cut in two.
  std::string cyrillic = "Cookie:user@";
  for (int i = 0; i < 300; ++i) cyrillic += "\xD0\x96";
  const std::string address = CookieAddress(cyrillic);
  EXPECT_EQ(CharacterCount(address), kMaxAddressLength);
  EXPECT_EQ(ValidUtf8(address), address);
}

TEST(CookieRow, IsCookieLooksAtTheCookieBitAlone) {
  const auto ofType = [](std::uint32_t type) {
    return UrlCacheEntry{.sourceUrl = "", .entryType = type};
  };
  EXPECT_TRUE(IsCookie(ofType(kCookieCacheEntry)));
  EXPECT_TRUE(IsCookie(ofType(kCookieCacheEntry | 0x1 | 0x00400000)));
  EXPECT_FALSE(IsCookie(ofType(kUrlHistoryCacheEntry)));
  EXPECT_FALSE(IsCookie(ofType(0x1)));
}

TEST(CookieRow, CarriesHitsDatesAndTheUncutAddress) {
  FakeLocaleTime locale;
  locale.utcOffsetMinutes = -5 * 60;
  const std::string source = "Cookie:jane@" + std::string(270, 'w') + "/";
  const CookieRow row = MakeCookieRow(locale, {.sourceUrl = source,
                                               .entryType = kCookieCacheEntry,
                                               .hitRate = 4294967295u,
                                               .lastModified = FileTimeOf({2026, 12, 8, 19, 4, 31}),
                                               .expire = FileTimeOf({2031, 1, 1, 5, 0, 0})});
  EXPECT_EQ(row.address, std::string(260, 'w'));
  EXPECT_EQ(row.hits, "4294967295");
  EXPECT_EQ(row.modified, "12/8/2026 2:04:30 PM");
  EXPECT_EQ(row.expires, "1/1/2031");
  EXPECT_EQ(row.fullAddress, source);
  const CookieRow zero = MakeCookieRow(locale, {.sourceUrl = "Cookie:x@y/"});
  EXPECT_EQ(zero.hits, "0");
  EXPECT_EQ(zero.modified, kFallbackDateText);
  EXPECT_EQ(zero.expires, kFallbackDateText);
}

}  // namespace
}  // namespace quillmere
