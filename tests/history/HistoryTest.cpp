#include <windows.h>
#include <wininet.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/EraserForm.h"
#include "history/UrlHistory.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Shell.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeUrlCache.h"
#include "platform/win32/Win32HistoryStore.h"
#include "platform/win32/Win32LocaleTime.h"
#include "helpers/Traces.h"

namespace quillmere {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using testing::UserName;

// Puts an entry into the URL cache as the browser records a visit or a cookie.
void Commit(const std::string& sourceName, DWORD type) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ASSERT_TRUE(CommitUrlCacheEntryA(sourceName.c_str(), nullptr, FILETIME{}, now, type, nullptr, 0,
                                   nullptr, nullptr))
      << sourceName << " " << GetLastError();
}

void Visit(const std::string& url) {
  Commit("Visited: " + UserName() + "@" + url, NORMAL_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY);
}

bool InCache(const std::string& sourceName) {
  DWORD size = 0;
  GetUrlCacheEntryInfoA(sourceName.c_str(), nullptr, &size);
  return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

std::vector<std::string> Urls(const TUrlHistory& history) {
  std::vector<std::string> urls;
  for (const TEntry& e : history.Items()) urls.push_back(e.Url);
  return urls;
}

class HistoryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    history.ClearStore();
    ASSERT_EQ(history.Refresh(), 0);
  }
  void TearDown() override { history.ClearStore(); }

  win32::Win32LocaleTime locale;
  win32::Win32HistoryStore store;
  TUrlHistory history{store, locale};
};

TEST_F(HistoryStoreTest, WineListsItsHistoryFromTheUrlCache) {
  // Wine's own store object answers "not implemented" to enumeration.
  EXPECT_EQ(store.backing(), win32::Win32HistoryStore::Backing::kUrlCacheHistory);
}

TEST_F(HistoryStoreTest, RefreshReadsTheVisitsOfTheCacheWithTheirUrls) {
  Visit("http://b.example/page");
  Visit("http://a.example/");
  Visit("https://c.example/x?q=1");
  EXPECT_EQ(history.Refresh(), 3);
  EXPECT_THAT(Urls(history), UnorderedElementsAre("http://a.example/", "http://b.example/page",
                                                  "https://c.example/x?q=1"));
  for (const TEntry& e : history.Items()) {
    EXPECT_EQ(e.Title, "");  // the cache keeps no titles
    EXPECT_GT(e.LastUpdated, 40000.0);
  }
  history.SortField = sfURL;
  history.Refresh();
  EXPECT_THAT(Urls(history),
              ElementsAre("http://a.example/", "http://b.example/page", "https://c.example/x?q=1"));
  history.SortDirection = sdDescending;
  history.Refresh();
  EXPECT_EQ(Urls(history).front(), "https://c.example/x?q=1");
}

TEST_F(HistoryStoreTest, DeleteEntriesWithAnApprovingHandlerEmptiesTheStore) {
  Visit("http://a.example/");
  Visit("http://b.example/");
  std::vector<std::string> offered;
  history.OnDelete = [&](const std::string&, const std::string& url, auto, auto, auto,
                         bool& remove) {
    offered.push_back(url);
    remove = true;
  };
  EXPECT_EQ(history.DeleteEntries(), 2);
  EXPECT_EQ(offered.size(), 2u);
  EXPECT_EQ(history.Refresh(), 0);
  EXPECT_EQ(history.DeleteEntries(), 0);
}

TEST_F(HistoryStoreTest, RemoveUrlAndClearStoreTouchOnlyTheHistory) {
  const std::string cookie = "Cookie:" + UserName() + "@canary.example/";
  Commit(cookie, COOKIE_CACHE_ENTRY);
  Visit("http://a.example/");
  Visit("http://b.example/");
  EXPECT_TRUE(history.RemoveUrl("http://a.example/"));
  EXPECT_FALSE(history.RemoveUrl("http://never.example/"));
  EXPECT_EQ(history.Refresh(), 1);
  EXPECT_TRUE(history.ClearStore());
  EXPECT_EQ(history.Refresh(), 0);
  EXPECT_TRUE(InCache(cookie));  // the canary outside the history survives
  DeleteUrlCacheEntryA(cookie.c_str());
}

TEST_F(HistoryStoreTest, TheHistoryTaskShowsTheNumberOfVisits) {
  Visit("http://a.example/");
  Visit("http://b.example/");
  win32::Win32Shell shell;
  win32::Win32Files files;
  testing::FakeRegistry registry;
  testing::FakeUrlCache cache;
  win32::Win32Desktop desktop;
  TEraserForm form(Ports{locale, shell, files, registry, store, cache, desktop});
  form.RefreshGauges();
  EXPECT_EQ(
      form.TaskPage().TaskList().Text(1),
      "Clear Internet Explorer URL History    (Index.dat)" + std::string(17, ' ') + "2 Entries");
  EXPECT_EQ(form.UrlHistory().Items().size(), 2u);
}

}  // namespace
}  // namespace quillmere
