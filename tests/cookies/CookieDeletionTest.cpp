#include "cookies/CookieDeletion.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cookies/CookieKeepList.h"
#include "cookies/UrlCacheCookieStore.h"
#include "platform/Utf8.h"
#include "tests/fakes/FakeRunReport.h"
#include "tests/fakes/FakeUrlCache.h"

namespace quillmere {
namespace {

using ::testing::ElementsAre;
using namespace quillmere::testing;

UrlCacheEntry Cookie(std::string source) {
  return UrlCacheEntry{.sourceUrl = std::move(source), .entryType = kCookieCacheEntry};
}

TEST(CookieKeepList, KeepsADomainAndWhatLiesBelowItOnly) {
  EXPECT_EQ(CookieHost("Cookie:me@.WWW.Example.org:8080/path/"), "www.example.org");
  EXPECT_EQ(CookieHost("Cookie:me@example.org"), "example.org");
  CookieKeepList keep;
  ASSERT_TRUE(keep.Add("example.org"));
  EXPECT_TRUE(keep.Keeps(Cookie("Cookie:me@example.org/")));
  EXPECT_TRUE(keep.Keeps(Cookie("Cookie:me@deep.www.EXAMPLE.org/cart/")));
  EXPECT_FALSE(keep.Keeps(Cookie("Cookie:me@badexample.org/")));
  EXPECT_FALSE(keep.Keeps(Cookie("Cookie:me@example.org.evil.test/")));
  EXPECT_FALSE(keep.Keeps(Cookie("Cookie:me@org/")));
  // Only cookies are kept: the pages and visits of the site are not.
  EXPECT_FALSE(keep.Keeps(UrlCacheEntry{.sourceUrl = "http://example.org/", .entryType = 0}));
  EXPECT_FALSE(CookieKeepList().Keeps(Cookie("Cookie:me@example.org/")));
}

TEST(CookieKeepList, TakesDomainsInAnyScriptAndCase) {
  const std::string bucher =
      "b\xC3\xBC"
      "cher";  // "bücher"
  CookieKeepList keep;
  EXPECT_TRUE(keep.Add(UpperCaseUtf8(bucher) + ".DE"));
  EXPECT_FALSE(keep.Add("bad\xFF.de")) << "no character at all";
  const auto keeps = [&](const std::string& host) {
    return keep.Keeps(
        {.sourceUrl = "Cookie:zo\xC3\xAB@" + host + "/", .entryType = kCookieCacheEntry});
  };
  EXPECT_TRUE(keeps("www." + bucher + ".de"));
  EXPECT_FALSE(keeps(bucher + ".com"));
}

TEST(DeleteEveryCookie, DeletesEachCookieCountsWhatWentAndNamesWhatStayed) {
  FakeUrlCache cache;
  cache.Add("Cookie:me@one.test/");
  cache.Add("http://one.test/page.htm", 0);
  cache.Add("Cookie:me@two.test/");
  cache.Add("Cookie:me@three.test/");
  cache.undeletable.insert("Cookie:me@two.test/");
  FakeRunReport report;
  UrlCacheCookieStore store(cache);
  DeleteEveryCookie(store, report);
  EXPECT_THAT(cache.deleted, ElementsAre("Cookie:me@one.test/", "Cookie:me@three.test/"));
  EXPECT_THAT(report.lines,
              ElementsAre("Could Not Delete : Cookie:me@two.test/", "Deleted 2 Cookies"));
  EXPECT_THAT(report.maxima, ElementsAre(3));
  EXPECT_EQ(report.progressPosition, 0);
}

}  // namespace
}  // namespace quillmere
