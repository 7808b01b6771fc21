#include "history/UrlHistory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/fakes/FakeHistoryStore.h"
#include "tests/fakes/FakeLocaleTime.h"

namespace quillmere {
namespace {

using ::testing::ElementsAre;
using testing::FakeHistoryStore;
using testing::FakeLocaleTime;
using testing::FileTimeOf;

std::vector<std::string> Titles(const TUrlHistory& h) {
  std::vector<std::string> titles;
  for (const TEntry& e : h.Items()) titles.push_back(e.Title);
  return titles;
}
std::vector<std::string> Urls(const TUrlHistory& h) {
  std::vector<std::string> urls;
  for (const TEntry& e : h.Items()) urls.push_back(e.Url);
  return urls;
}

class UrlHistoryTest : public ::testing::Test {
 protected:
  FileTime At(int year, int month, int day, int hour = 0) {
    return FileTimeOf({year, month, day, hour, 0, 0});
  }
  FakeLocaleTime locale;
  FakeHistoryStore store;
  TUrlHistory history{store, locale};
};

TEST_F(UrlHistoryTest, AnEmptyStoreGivesNothingToListOrDelete) {
  EXPECT_EQ(history.Refresh(), 0);
  EXPECT_TRUE(history.Items().empty());
  history.OnDelete = [](auto&&, auto&&, auto, auto, auto, bool& d) { d = true; };
  EXPECT_EQ(history.DeleteEntries(), 0);
}

TEST_F(UrlHistoryTest, AStoreThatCannotBeReadCountsAsEmpty) {
  store.Add("http://a/", "a");
  history.Refresh();
  store.unreadable = true;
  EXPECT_EQ(history.Refresh(), 0);
  EXPECT_TRUE(history.Items().empty());
  history.OnDelete = [](auto&&, auto&&, auto, auto, auto, bool& d) { d = true; };
  EXPECT_EQ(history.DeleteEntries(), 0);
}

TEST_F(UrlHistoryTest, SortsTitlesByteByByteWithTheEmptyTitleFirst) {
  store.Add("http://a/", "a");
  store.Add("http://b/", "B");
  store.Add("http://c/", "");
  store.Add("http://d/", "Ba");
  store.Add("http://e/", "\xE9t\xE9");  // code-page letters sort after ASCII
  EXPECT_EQ(history.Refresh(), 5);
  EXPECT_THAT(Titles(history), ElementsAre("", "B", "Ba", "a", "\xE9t\xE9"));
  history.SortDirection = sdDescending;
  history.Refresh();
  EXPECT_THAT(Titles(history), ElementsAre("\xE9t\xE9", "a", "Ba", "B", ""));
}

TEST_F(UrlHistoryTest, SortsOnEveryFieldInBothDirections) {
  store.Add("http://b/", "x", At(2024, 3, 1), At(2023, 1, 1), At(2025, 1, 1));
  store.Add("http://a/", "y", At(2024, 1, 1), At(2023, 6, 1), 0);
  store.Add("http://c/", "z", At(2024, 2, 1), At(2022, 1, 1), At(2024, 1, 1));
  const struct {
    TSortFieldOption field;
    std::vector<std::string> ascending;
  } cases[] = {
      {sfURL, {"http://a/", "http://b/", "http://c/"}},
      {sfLastVisited, {"http://a/", "http://c/", "http://b/"}},
      {sfLastUpdated, {"http://c/", "http://b/", "http://a/"}},
      // An expiry stamp of zero has no date and sorts before every dated one.
      {sfExpires, {"http://a/", "http://c/", "http://b/"}},
  };
  for (const auto& c : cases) {
    history.SortField = c.field;
    history.SortDirection = sdAscending;
    history.Refresh();
    EXPECT_EQ(Urls(history), c.ascending) << c.field;
    history.SortDirection = sdDescending;
    history.Refresh();
    EXPECT_EQ(Urls(history), std::vector(c.ascending.rbegin(), c.ascending.rend())) << c.field;
  }
}

TEST_F(UrlHistoryTest, ConvertsStampsToLocalDatesAtTheTwoSecondGrain) {
  locale.utcOffsetMinutes = 120;
  store.Add("http://a/", "", FileTimeOf({2024, 6, 1, 12, 30, 15}), 0,
            FileTimeOf({1970, 1, 1, 0, 0, 0}));
  history.Refresh();
  const TEntry& e = history.Items().front();
  EXPECT_DOUBLE_EQ(e.LastVisited, EncodeDateTime({2024, 6, 1, 14, 30, 14}));
  EXPECT_DOUBLE_EQ(e.LastVisited, 45444 + (14 * 3600 + 30 * 60 + 14) / 86400.0);
  EXPECT_EQ(e.LastUpdated, 0);  // stamp zero
  EXPECT_EQ(e.Expires, 0);      // before 1980
  EXPECT_DOUBLE_EQ(EncodeDateTime({1899, 12, 30, 0, 0, 0}), 0);
  EXPECT_DOUBLE_EQ(EncodeDateTime({1900, 3, 1, 6, 0, 0}), 61.25);
}

TEST_F(UrlHistoryTest, AcceptVetoesAndSearchFiltersBeforeIt) {
  store.Add("http://news/", "Daily");
  store.Add("http://shop/", "news of the day");
  store.Add("http://mail/", "Inbox");
  std::vector<std::string> asked;
  history.OnAccept = [&](const std::string& title, const std::string& url, auto, auto, auto,
                         bool& accept) {
    asked.push_back(url);
    accept = title != "Inbox";
  };
  EXPECT_EQ(history.Refresh(), 2);
  EXPECT_EQ(asked.size(), 3u);

  history.Search = "news";
  asked.clear();
  EXPECT_EQ(history.Refresh(), 2);
  EXPECT_THAT(asked, ElementsAre("http://news/", "http://shop/"));
  history.SearchField = seURL;
  EXPECT_THAT((history.Refresh(), Urls(history)), ElementsAre("http://news/"));
  history.SearchField = seTitle;
  EXPECT_THAT((history.Refresh(), Urls(history)), ElementsAre("http://shop/"));
  history.Search = "NEWS";  // case matters
  EXPECT_EQ(history.Refresh(), 0);

  history.Search.clear();
  history.OnAccept = [](auto&&, auto&&, auto, auto, auto, bool& accept) { accept = false; };
  EXPECT_EQ(history.Refresh(), 0);
  EXPECT_EQ(store.entries.size(), 3u);
}

TEST_F(UrlHistoryTest, RefreshReplacesTheListAndStopsAtTheFirstFailure) {
  store.Add("http://a/", "a");
  store.Add("http://b/", "b");
  store.Add("http://c/", "c");
  EXPECT_EQ(history.Refresh(), 3);
  EXPECT_EQ(history.Refresh(), 3);
  store.failAfter = 2;
  EXPECT_EQ(history.Refresh(), 2);
  history.ClearItems();
  EXPECT_TRUE(history.Items().empty());
}

TEST_F(UrlHistoryTest, AnErrorInTheHandlerLeavesWhatWasReadUnsorted) {
  store.Add("http://b/", "b");
  store.Add("http://a/", "a");
  store.Add("http://c/", "c");
  int calls = 0;
  history.OnAccept = [&](auto&&, auto&&, auto, auto, auto, bool&) {
    if (++calls == 3) throw std::runtime_error("stop");
  };
  EXPECT_THROW(history.Refresh(), std::runtime_error);
  EXPECT_THAT(Titles(history), ElementsAre("b", "a"));
}

TEST_F(UrlHistoryTest, DeleteEntriesDeletesWhatTheHandlerApprovesAndCountsOnlyRealDeletions) {
  store.Add("http://a/", "a", At(2024, 1, 1));
  store.Add("http://b/", "b");
  store.Add("http://c/", "c");
  store.refused = {"http://c/"};
  std::vector<std::string> offered;
  history.OnDelete = [&](const std::string&, const std::string& url, TDateTime visited, auto, auto,
                         bool& remove) {
    offered.push_back(url);
    if (url == "http://a/") {
      EXPECT_DOUBLE_EQ(visited, EncodeDateTime({2024, 1, 1, 0, 0, 0}));
    }
    remove = url != "http://b/";
  };
  EXPECT_EQ(history.DeleteEntries(), 1);
  EXPECT_THAT(offered, ElementsAre("http://a/", "http://b/", "http://c/"));
  EXPECT_THAT(store.deletedKeys, ElementsAre("key:http://a/", "key:http://c/"));
  EXPECT_EQ(history.Refresh(), 2);
}

TEST_F(UrlHistoryTest, WithoutAHandlerNothingIsDeletedAndItemsStay) {
  store.Add("http://a/", "a");
  history.Refresh();
  EXPECT_EQ(history.DeleteEntries(), 0);
  EXPECT_TRUE(store.deletedKeys.empty());
  history.OnDelete = [](auto&&, auto&&, auto, auto, auto, bool& d) { d = true; };
  EXPECT_EQ(history.DeleteEntries(), 1);
  EXPECT_EQ(history.Items().size(), 1u);  // the list is not touched
  EXPECT_EQ(history.Refresh(), 0);
}

TEST_F(UrlHistoryTest, RemoveUrlAndClearStoreGoToTheStore) {
  store.Add("http://a/", "a");
  store.Add("http://b/", "b");
  EXPECT_TRUE(history.RemoveUrl("http://a/"));
  EXPECT_FALSE(history.RemoveUrl("http://zzz/"));
  EXPECT_EQ(history.Refresh(), 1);
  EXPECT_TRUE(history.ClearStore());
  EXPECT_EQ(history.Refresh(), 0);
}

}  // namespace
}  // namespace quillmere
