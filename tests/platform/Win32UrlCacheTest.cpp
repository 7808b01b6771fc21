// The WinINet URL cache of the sandbox, through Win32UrlCache.
#include "platform/win32/Win32UrlCache.h"

#include <windows.h>
#include <wininet.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "tests/support/CookieStoreSupport.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

const char* const kExpires = "; expires=Sat, 01-Jan-2039 00:00:00 GMT";

class Win32UrlCacheTest : public ::testing::Test {
 protected:
  void SetUp() override { EmptyCache(); }
  void TearDown() override { EmptyCache(); }

  // A cached page with its file, as a browser leaves one.
  static void AddPage(const char* url) { ASSERT_TRUE(CommitPage(url, "hello")) << GetLastError(); }
  static void AddVisit(const std::string& url) {
    const FILETIME none{};
    ASSERT_TRUE(CommitUrlCacheEntryA(("Visited:" + UserName() + "@" + url).c_str(), nullptr, none,
                                     none, URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY, nullptr, 0,
                                     nullptr, nullptr));
  }

  win32::Win32UrlCache cache;
};

TEST_F(Win32UrlCacheTest, AnEmptyCacheHasNoFirstEntry) {
  const auto search = cache.Search();
  EXPECT_FALSE(search->Next());
  EXPECT_EQ(search->Error(), kErrorNoMoreItems);
}

TEST_F(Win32UrlCacheTest, GivesPagesCookiesAndVisitsEachExactlyOnce) {
  AddPage("http://page.test/index.html");
  AddVisit("http://visited.test/");
  ASSERT_EQ(RunCookieTool({"set", "http://one.test/", std::string("a=1") + kExpires,
                           "http://two.test/shop/", std::string("b=2") + kExpires}),
            0u);
  const std::vector<std::string> sources = CacheSources();
  const std::multiset<std::string> all(sources.begin(), sources.end());
  EXPECT_EQ(all.size(), std::set<std::string>(sources.begin(), sources.end()).size());
  for (const std::string& want : {std::string("http://page.test/index.html"),
                                  "Visited:" + UserName() + "@http://visited.test/",
                                  CookieSource("one.test/"), CookieSource("two.test/shop/")}) {
    EXPECT_EQ(all.count(want), 1u) << want;
  }
}

// The history store reads the visits without walking every cookie and page.
TEST_F(Win32UrlCacheTest, ScopedToTheHistoryASearchGivesTheVisitsAlone) {
  AddPage("http://page.test/index.html");
  AddVisit("http://visited.test/");
  AddVisit("http://visited.test/again.html");
  ASSERT_EQ(RunCookieTool({"set", "http://one.test/", std::string("a=1") + kExpires}), 0u);
  win32::Win32UrlCache history(win32::Win32UrlCache::Scope::kHistory);
  std::vector<std::string> sources;
  ForEachUrlCacheEntry(history, [&](const UrlCacheEntry& e) { sources.push_back(e.sourceUrl); });
  EXPECT_THAT(sources, ::testing::UnorderedElementsAre(
                           "Visited:" + UserName() + "@http://visited.test/",
                           "Visited:" + UserName() + "@http://visited.test/again.html"));
}

// A search keeps one record buffer and grows it to the size WinINet asks for: a short
// address, one beyond the buffer a search starts with, and short ones after it come
// whole, one after the other.
TEST_F(Win32UrlCacheTest, EntriesOfEveryLengthComeWhole) {
  const std::string longUrl = "http://long.test/" + std::string(6000, 'x') + ".html";
  AddPage("http://s.test/");
  ASSERT_TRUE(CommitPage(longUrl)) << GetLastError();  // no file: its name would be too long
  AddPage("http://t.test/");
  const auto search = cache.Search();
  std::vector<std::string> seen;
  while (const auto entry = search->Next()) seen.push_back(entry->sourceUrl);
  EXPECT_EQ(search->Error(), kErrorNoMoreItems);
  EXPECT_THAT(seen, ::testing::UnorderedElementsAre("http://s.test/", longUrl, "http://t.test/"));
}

TEST_F(Win32UrlCacheTest, ReadsTheFieldsWinInetReportsForTheEntry) {
  ASSERT_EQ(RunCookieTool({"set", "http://fields.test/deep/path/", std::string("f=1") + kExpires}),
            0u);
  UrlCacheEntry found;
  ForEachUrlCacheEntry(cache, [&](const UrlCacheEntry& e) { found = e; });
  const std::string source = CookieSource("fields.test/deep/path/");
  ASSERT_EQ(found.sourceUrl, source);
  DWORD size = 0;
  GetUrlCacheEntryInfoA(source.c_str(), nullptr, &size);
  std::vector<std::byte> buffer(size);
  auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  info->dwStructSize = size;
  ASSERT_TRUE(GetUrlCacheEntryInfoA(source.c_str(), info, &size));
  EXPECT_TRUE(found.entryType & kCookieCacheEntry);
  EXPECT_EQ(found.entryType, info->CacheEntryType);
  EXPECT_EQ(found.hitRate, info->dwHitRate);
  EXPECT_EQ(found.size, info->dwSizeLow);
  EXPECT_EQ(found.lastModified,
            (static_cast<FileTime>(info->LastModifiedTime.dwHighDateTime) << 32) |
                info->LastModifiedTime.dwLowDateTime);
  EXPECT_EQ(found.expire, (static_cast<FileTime>(info->ExpireTime.dwHighDateTime) << 32) |
                              info->ExpireTime.dwLowDateTime);
}

TEST_F(Win32UrlCacheTest, DeletesByTheSourceAddressAndSaysWhenThereIsNone) {
  ASSERT_EQ(RunCookieTool({"set", "http://gone.test/", std::string("g=1") + kExpires}), 0u);
  EXPECT_TRUE(cache.DeleteEntry(CookieSource("gone.test/")));
  EXPECT_TRUE(CacheSources().empty());
  EXPECT_FALSE(cache.DeleteEntry(CookieSource("gone.test/")));
}

}  // namespace
}  // namespace quillmere
