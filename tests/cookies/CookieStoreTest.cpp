// The cookie page against the sandbox's real cookie store.
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/ActiveForm.h"
#include "app/EraserForm.h"
#include "common/FuncUnit.h"
#include "toolkit/Controls.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32LocaleTime.h"
#include "platform/win32/Win32UrlCache.h"
#include "tests/fakes/FakeHistoryStore.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeShell.h"
#include "tests/support/CookieStoreSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/MainWindowTest.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

struct Seeded {
  const char* url;       // where the cookie was set
  const char* data;      // name=value; attributes
  const char* hostPath;  // the host and path its source address names
  const char* address;   // what the Address column shows
};
const Seeded kCookies[] = {
    {"http://www.example.com/", "a=1; expires=Sat, 01-Jan-2039 00:00:00 GMT", "www.example.com/",
     "www.example.com"},
    {"http://shop.example.org/cart/", "b=2; expires=Sun, 01-Jan-2040 00:00:00 GMT",
     "shop.example.org/cart/", "shop.example.org/cart"},
    {"http://news.test/", "c=3; expires=Mon, 01-Jan-2041 00:00:00 GMT; path=/daily/",
     "news.test/daily/", "news.test/daily"},
    {"http://deep.test/a/b/", "d=4; expires=Tue, 01-Jan-2041 00:00:00 GMT", "deep.test/a/b/",
     "deep.test/a/b"},
    {"http://other.test/", "e=5; expires=Wed, 01-Jan-2042 00:00:00 GMT", "other.test/",
     "other.test"},
};

FileTime FileTimeValue(const FILETIME& t) {
  return (static_cast<FileTime>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

class CookieStoreTest : public MainWindowTest {
 protected:
  void SetUp() override {
    EmptyCache();
    ShlwapiMajorVersion = 6;
  }
  void TearDown() override {
    CloseMainWindow();
    EmptyCache();
  }
  void SeedCookies() {
    for (const Seeded& c : kCookies) ASSERT_EQ(RunCookieTool({"set", c.url, c.data}), 0u) << c.url;
  }
  void MakeForm() {
    OpenMainWindow(Ports{locale, shell, files, registry, history, cache, desktop});
  }
  // The rows by their Full Address.
  std::map<std::string, TListItem*> Rows() {
    std::map<std::string, TListItem*> rows;
    for (int i = 0; i < form->CookiePage().CookieList().ItemCount(); ++i) {
      TListItem& row = form->CookiePage().CookieList().Item(i);
      rows[row.Cell(4)] = &row;
    }
    return rows;
  }
  // Bit i set when WinINet, in a fresh process, still has cookie i.
  DWORD CookiesStillSet() {
    return RunCookieTool({"get", kCookies[0].url, kCookies[1].url, "http://news.test/daily/",
                          kCookies[3].url, kCookies[4].url});
  }

  win32::Win32LocaleTime locale;
  FakeShell shell;
  win32::Win32Files files;
  FakeRegistry registry;
  FakeHistoryStore history;
  win32::Win32UrlCache cache;
};

TEST_F(CookieStoreTest, ListsEveryPersistentCookieWithTheFieldsTheCacheHolds) {
  SeedCookies();
  ASSERT_EQ(RunCookieTool({"set", "http://session.test/", "s=1"}), 0u);  // kept in memory only
  ASSERT_EQ(CookiesStillSet(), 0x1Fu);
  MakeForm();
  const auto rows = Rows();
  ASSERT_EQ(rows.size(), std::size(kCookies));
  EXPECT_EQ(win32::WindowText(form->CookiePage().CookieCountEdit()), "5");
  for (const Seeded& c : kCookies) {
    const std::string source = CookieSource(c.hostPath);
    ASSERT_TRUE(rows.count(source)) << source;
    const TListItem& row = *rows.at(source);
    EXPECT_EQ(row.Caption(), c.address);
    DWORD size = 0;
    GetUrlCacheEntryInfoA(source.c_str(), nullptr, &size);
    std::vector<std::byte> buffer(size);
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    info->dwStructSize = size;
    ASSERT_TRUE(GetUrlCacheEntryInfoA(source.c_str(), info, &size));
    EXPECT_EQ(row.Cell(1), std::to_string(info->dwHitRate));
    EXPECT_EQ(row.Cell(2), FileTimeToText(locale, FileTimeValue(info->LastModifiedTime)));
    EXPECT_EQ(row.Cell(3), FileTimeToText(locale, FileTimeValue(info->ExpireTime)));
  }
}

TEST_F(CookieStoreTest, CleanUpErasesTheTickedCookiesFromTheStoreAndListsTheRest) {
  SeedCookies();
  MakeForm();
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 5u);
  rows.at(CookieSource(kCookies[1].hostPath))->SetChecked(true);
  rows.at(CookieSource(kCookies[3].hostPath))->SetChecked(true);
  SendMessageA(form->hwnd(), WM_COMMAND, ToolButton5, 0);

  const auto lines = activity->Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "Deleted 2 Cookies");  // the gauges' lines follow it
  EXPECT_EQ(CookiesStillSet(), 0x1u | 0x4u | 0x10u);
  rows = Rows();
  EXPECT_EQ(rows.size(), 3u);
  EXPECT_FALSE(rows.count(CookieSource(kCookies[1].hostPath)));
  EXPECT_FALSE(rows.count(CookieSource(kCookies[3].hostPath)));
  EXPECT_EQ(win32::WindowText(form->CookiePage().CookieCountEdit()), "3");
}

// Under Wine a cookie set through WinINet has no dates; one committed as the first
// run's sample traces are shows its dates and hit count as a browser's would.
TEST_F(CookieStoreTest, ACookieCommittedWithItsDatesAndHitCountShowsThem) {
  const FILETIME modified = DaysFromNow(-3.5);
  const FILETIME expires = DaysFromNow(400);
  ASSERT_TRUE(CommitCookie(CookieSource("dated.example.org/"), modified, expires, 512));
  MakeForm();
  const auto rows = Rows();
  ASSERT_TRUE(rows.count(CookieSource("dated.example.org/")));
  const TListItem& row = *rows.at(CookieSource("dated.example.org/"));
  EXPECT_EQ(row.Caption(), "dated.example.org");
  EXPECT_EQ(row.Cell(1), "512");
  EXPECT_EQ(row.Cell(2), FileTimeToText(locale, FileTimeValue(modified)));
  EXPECT_EQ(row.Cell(3), FileTimeToText(locale, FileTimeValue(expires)));
  EXPECT_NE(row.Cell(2), "01/01/80 12:00:00 AM");
  EXPECT_NE(row.Cell(3), "01/01/80 12:00:00 AM");
}

TEST_F(CookieStoreTest, AnEmptyStoreShowsZeroAndDisablesTheFourCookieButtons) {
  MakeForm();
  EXPECT_EQ(form->CookiePage().CookieList().ItemCount(), 0);
  EXPECT_EQ(win32::WindowText(form->CookiePage().CookieCountEdit()), "0");
  for (int id : {ToolButton1, ToolButton2, ToolButton4, ToolButton5})
    EXPECT_FALSE(form->CookiePage().ToolBar().IsEnabled(id)) << id;
}

}  // namespace
}  // namespace quillmere
