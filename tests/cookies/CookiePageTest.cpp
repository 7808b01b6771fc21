// The cookie page of the main window over a fake URL cache.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ActiveForm.h"
#include "app/EraserForm.h"
#include "common/FuncUnit.h"
#include "toolkit/Controls.h"
#include "tests/fakes/FakeLocaleTime.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/MainWindowTest.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;
using Texts = std::vector<std::string>;

enum Column { Address, Hits, Modified, Expires, FullAddress };

class CookiePageTest : public FakePortsMainWindowTest {
 protected:
  void SetUp() override {
    ShlwapiMajorVersion = 6;
    win32::SetTopLevelErrorHandler([this](const std::string& m) { errors.push_back(m); });
  }
  void TearDown() override {
    CloseMainWindow();
    win32::SetTopLevelErrorHandler(nullptr);
  }

  void Click(int id) { SendMessageA(form->hwnd(), WM_COMMAND, id, 0); }
  // A header click as the platform list reports it.
  void ClickColumn(int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = List().ListWindow();
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(List().hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
  }
  TAdvListView& List() { return form->CookiePage().CookieList(); }
  Texts ColumnTexts(int column) {
    Texts texts;
    for (int i = 0; i < List().ItemCount(); ++i) texts.push_back(List().Item(i).Cell(column));
    return texts;
  }
  std::vector<bool> Ticks() {
    std::vector<bool> ticks;
    for (int i = 0; i < List().ItemCount(); ++i) ticks.push_back(List().Item(i).Checked());
    return ticks;
  }
  std::string CountText() { return win32::WindowText(form->CookiePage().CookieCountEdit()); }
  bool Enabled(int id) { return form->CookiePage().ToolBar().IsEnabled(id); }
  int ProgressPosition() {
    return static_cast<int>(SendMessageA(form->ProgressBarWindow(), PBM_GETPOS, 0, 0));
  }
  int ProgressMax() {
    return static_cast<int>(SendMessageA(form->ProgressBarWindow(), PBM_GETRANGE, FALSE, 0));
  }
  // Five cookies on hosts a to e.
  void AddFiveCookies() {
    for (const char* host : {"a", "b", "c", "d", "e"})
      cache.Add(std::string("Cookie:jane@") + host + ".test/");
  }

  std::vector<std::string> errors;
};

TEST_F(CookiePageTest, ListsTheCookiesOfTheCacheInItsOrderWithTheirFiveCells) {
  const FileTime modified = FileTimeOf({2026, 12, 8, 19, 4, 30});
  const FileTime expires = FileTimeOf({2030, 1, 1, 5, 0, 0});
  cache.Add("Cookie:jane@www.example.com/", kCookieCacheEntry, 3, modified, expires);
  cache.Add("http://www.example.com/index.html", 0x1);
  cache.Add("Visited:jane@http://www.example.com/", kUrlHistoryCacheEntry);
  cache.Add("Cookie:jane@shop.example.org/cart/", kCookieCacheEntry | 0x1, 0);
  cache.Add("Cookie:noat.test/", kCookieCacheEntry, 12);
  MakeForm();

  EXPECT_EQ(ColumnTexts(Address),
            (Texts{"www.example.com", "shop.example.org/cart", "Cookie:noat.test"}));
  EXPECT_EQ(ColumnTexts(Hits), (Texts{"3", "0", "12"}));
  EXPECT_EQ(ColumnTexts(Modified)[0], FileTimeToText(locale, modified));
  EXPECT_EQ(ColumnTexts(Expires)[0], FileTimeToText(locale, expires));
  EXPECT_EQ(ColumnTexts(Expires)[1], kFallbackDateText);
  EXPECT_EQ(ColumnTexts(FullAddress),
            (Texts{"Cookie:jane@www.example.com/", "Cookie:jane@shop.example.org/cart/",
                   "Cookie:noat.test/"}));
  EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(CountText(), "3");
  for (int id : {ToolButton1, ToolButton2, ToolButton4, ToolButton5}) EXPECT_TRUE(Enabled(id));
  EXPECT_EQ(cache.openSearches, 0);
  EXPECT_TRUE(errors.empty());
}

TEST_F(CookiePageTest, AnEmptyCacheShowsNoRowsACountOfZeroAndDisablesTheFourCookieButtons) {
  cache.Add("http://page.test/", 0x1);  // no cookie among the entries
  MakeForm();
  EXPECT_EQ(List().ItemCount(), 0);
  EXPECT_EQ(CountText(), "0");
  for (int id : {ToolButton1, ToolButton2, ToolButton4, ToolButton5}) EXPECT_FALSE(Enabled(id));
  EXPECT_TRUE(Enabled(ToolButton3));
}

TEST_F(CookiePageTest, ReadingShowsTheHourglassAndRestoresTheCursorAfterwards) {
  const HCURSOR wait = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
  std::vector<HCURSOR> seen;
  cache.onSearch = [&] { seen.push_back(GetCursor()); };
  cache.Add("Cookie:jane@a.test/");
  MakeForm();
  ASSERT_FALSE(seen.empty());
  for (HCURSOR c : seen) EXPECT_EQ(c, wait);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

TEST_F(CookiePageTest, ACacheThatStopsAnsweringKeepsTheRowsReadCountsThemAndReportsTheError) {
  AddFiveCookies();
  cache.failWith = 1;
  cache.failFrom = 2;
  MakeForm();  // the window is made all the same
  EXPECT_EQ(ColumnTexts(Address), (Texts{"a.test", "b.test"}));
  EXPECT_EQ(CountText(), "2");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("error 1"), std::string::npos);
  EXPECT_EQ(cache.openSearches, 0);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

TEST_F(CookiePageTest, CheckAllAndUnCheckAllTickAndUntickEveryRow) {
  cache.Add("Cookie:jane@a.test/");
  cache.Add("Cookie:jane@b.test/");
  MakeForm();
  Click(ToolButton1);
  EXPECT_EQ(Ticks(), (std::vector<bool>{true, true}));
  List().Item(0).SetChecked(false);
  Click(ToolButton1);
  EXPECT_EQ(Ticks(), (std::vector<bool>{true, true}));
  Click(ToolButton2);
  EXPECT_EQ(Ticks(), (std::vector<bool>{false, false}));
}

TEST_F(CookiePageTest, RefreshReadsTheCacheAgainWithoutTicksAndSelectsTheFirstRow) {
  cache.Add("Cookie:jane@a.test/");
  cache.Add("Cookie:jane@b.test/");
  MakeForm();
  form->Show();
  List().Item(1).SetChecked(true);
  List().MakeCurrent(1);
  cache.Add("Cookie:jane@c.test/");
  Click(ToolButton3);
  EXPECT_EQ(ColumnTexts(Address), (Texts{"a.test", "b.test", "c.test"}));
  EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(CountText(), "3");
  EXPECT_EQ(List().ItemSelected(), 0);
  EXPECT_EQ(List().ItemFocused(), 0);
  EXPECT_EQ(GetFocus(), List().ListWindow());

  cache.entries.clear();
  Click(ToolButton3);
  EXPECT_EQ(CountText(), "0");
  EXPECT_FALSE(Enabled(ToolButton1));
}

TEST_F(CookiePageTest, OnTheSecondPageARefreshReadsTheListButLeavesTheFocusWhereItIs) {
  cache.Add("Cookie:jane@a.test/");
  MakeForm();
  form->Show();
  form->SetActivePageIndex(1);
  SetFocus(form->PageControl());
  cache.Add("Cookie:jane@b.test/");
  Click(ToolButton3);
  EXPECT_EQ(CountText(), "2");
  EXPECT_EQ(GetFocus(), form->PageControl());
  EXPECT_EQ(List().ItemSelected(), -1);

  SendMessageA(form->hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);  // page 1: not to the list
  EXPECT_NE(GetFocus(), List().ListWindow());
  form->SetActivePageIndex(0);
  SendMessageA(form->hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), List().ListWindow());
  EXPECT_EQ(List().ItemFocused(), 0);
}

class CookieSortTest : public CookiePageTest {
 protected:
  void SetUp() override {
    CookiePageTest::SetUp();
    const auto at = [](int day, int hour) { return FileTimeOf({2030, 5, day, hour, 0, 0}); };
    cache.Add("Cookie:jane@b.test/", kCookieCacheEntry, 9, at(2, 15), at(20, 1));
    cache.Add("Cookie:ann@A.test/", kCookieCacheEntry, 10, at(2, 9), at(3, 1));
    cache.Add("Cookie:zed@c.test/", kCookieCacheEntry, 2, at(1, 23), at(9, 1));
    MakeForm();
  }
};

TEST_F(CookieSortTest, HitsSortAsNumbersAndEachClickOnTheSameColumnReverses) {
  ClickColumn(Hits);
  EXPECT_EQ(ColumnTexts(Hits), (Texts{"2", "9", "10"}));
  ClickColumn(Hits);
  EXPECT_EQ(ColumnTexts(Hits), (Texts{"10", "9", "2"}));
  ClickColumn(Hits);
  EXPECT_EQ(ColumnTexts(Hits), (Texts{"2", "9", "10"}));
}

TEST_F(CookieSortTest, AddressesSortByTheLocaleAndDatesAsPointsInTime) {
  ClickColumn(Address);
  EXPECT_EQ(ColumnTexts(Address), (Texts{"A.test", "b.test", "c.test"}));
  ClickColumn(Address);
  EXPECT_EQ(ColumnTexts(Address), (Texts{"c.test", "b.test", "A.test"}));
  ClickColumn(Expires);
  EXPECT_EQ(ColumnTexts(Address), (Texts{"A.test", "c.test", "b.test"}));
  ClickColumn(Modified);  // a new column starts ascending
  EXPECT_EQ(ColumnTexts(Address), (Texts{"c.test", "A.test", "b.test"}));
  ClickColumn(Modified);
  EXPECT_EQ(ColumnTexts(Address), (Texts{"b.test", "A.test", "c.test"}));
  ClickColumn(FullAddress);
  EXPECT_EQ(ColumnTexts(FullAddress),
            (Texts{"Cookie:ann@A.test/", "Cookie:jane@b.test/", "Cookie:zed@c.test/"}));
  EXPECT_TRUE(errors.empty());
}

TEST_F(CookieSortTest, ARefreshAfterASortShowsCacheOrderAndTheNextClickReversesTheLastSort) {
  ClickColumn(Hits);
  Click(ToolButton3);
  EXPECT_EQ(ColumnTexts(Hits), (Texts{"9", "10", "2"}));
  ClickColumn(Hits);
  EXPECT_EQ(ColumnTexts(Hits), (Texts{"10", "9", "2"}));
}

TEST_F(CookieSortTest, AHitCountBeyondASigned32BitNumberEndsTheSortWithAnError) {
  cache.Add("Cookie:jane@big.test/", kCookieCacheEntry, 2147483648u);
  Click(ToolButton3);
  ClickColumn(Hits);
  EXPECT_EQ(errors, (Texts{"'2147483648' is not a valid integer value"}));
  EXPECT_EQ(List().ItemCount(), 4);
}

class CookieDeleteTest : public CookiePageTest {
 protected:
  struct Seen {
    std::string url;
    bool activityVisible;
    std::size_t logLines;
    int position;
    int max;
  };
  void SetUp() override {
    CookiePageTest::SetUp();
    AddFiveCookies();
    MakeForm();
    activity->AddLine("left from before");
    cache.onDelete = [this](const std::string& url) {
      deletes.push_back({url, IsWindowVisible(activity->hwnd()) != 0, activity->Lines().size(),
                         ProgressPosition(), ProgressMax()});
    };
    cache.onSearch = [this] {
      positions.push_back(ProgressPosition());
      statuses.push_back(StatusBarText(form->StatusBar()));
    };
  }
  // The run's own lines in the activity window, then the gauges' three.
  void ExpectLog(const Texts& own) {
    const Texts lines = activity->Lines();
    ASSERT_EQ(lines.size(), own.size() + 3);
    EXPECT_EQ(Texts(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(own.size())), own);
    EXPECT_EQ(lines[own.size()], "Sizing IE Cache");
    EXPECT_EQ(lines[own.size() + 1], "Finished Sizing IE Cache");
    EXPECT_EQ(lines.back().rfind("Hard Disk", 0), 0u) << lines.back();
    EXPECT_EQ(StatusBarText(form->StatusBar()), "  " + lines.back());
  }
  // The refresh of the list searches the cache first, then the cache gauge does.
  void ExpectRefreshSaw(int position, const std::string& status) {
    ASSERT_GE(positions.size(), 2u);
    EXPECT_EQ(positions[0], position);
    EXPECT_EQ(statuses[0], status);
  }
  std::vector<Seen> deletes;
  std::vector<int> positions;
  Texts statuses;
};

TEST_F(CookieDeleteTest, DeletesTheTickedCookiesReportsTheCountAndListsWhatRemains) {
  List().Item(1).SetChecked(true);
  List().Item(3).SetChecked(true);
  Click(ToolButton5);

  EXPECT_EQ(cache.deleted, (Texts{"Cookie:jane@b.test/", "Cookie:jane@d.test/"}));
  ASSERT_EQ(deletes.size(), 2u);
  EXPECT_TRUE(deletes[0].activityVisible);
  EXPECT_EQ(deletes[0].logLines, 0u);  // emptied when the run began
  EXPECT_EQ(deletes[0].max, 5);        // the row count, not the ticked count
  EXPECT_EQ(deletes[0].position, 0);
  EXPECT_EQ(deletes[1].position, 2);
  ExpectRefreshSaw(4, "  Deleted 2 Cookies");  // n - 1 when the loop ends
  ExpectLog({"Deleted 2 Cookies"});
  EXPECT_FALSE(IsWindowVisible(activity->hwnd()));
  EXPECT_EQ(ColumnTexts(Address), (Texts{"a.test", "c.test", "e.test"}));
  EXPECT_EQ(CountText(), "3");
  EXPECT_EQ(ProgressPosition(), 0);
}

TEST_F(CookieDeleteTest, ACookieTheCacheDoesNotDeleteIsNamedAndNotCounted) {
  cache.undeletable = {"Cookie:jane@c.test/"};
  for (int i : {0, 2}) List().Item(i).SetChecked(true);
  Click(ToolButton5);
  ExpectLog({"Could Not Delete : Cookie:jane@c.test/", "Deleted 1 Cookies"});
  EXPECT_EQ(ColumnTexts(Address), (Texts{"b.test", "c.test", "d.test", "e.test"}));
}

TEST_F(CookieDeleteTest, WithNothingTickedNothingIsDeletedAndTheListIsStillReadAgain) {
  Click(ToolButton5);
  EXPECT_TRUE(deletes.empty());
  ExpectRefreshSaw(4, "  Deleted 0 Cookies");
  ExpectLog({"Deleted 0 Cookies"});
  EXPECT_EQ(List().ItemCount(), 5);
  EXPECT_EQ(ProgressPosition(), 0);
}

class CookieTimerTest : public CookiePageTest {
 protected:
  void Tick() { SendMessageA(form->hwnd(), WM_TIMER, 1, 0); }
};

TEST_F(CookieTimerTest, TheFirstTickWithNoInternetPropertiesReadsTheListAndSwitchesTheTimerOff) {
  MakeForm();
  cache.Add("Cookie:jane@late.test/");
  Tick();
  EXPECT_EQ(CountText(), "1");
  cache.Add("Cookie:jane@later.test/");
  Tick();  // the timer is off: nothing more
  EXPECT_EQ(CountText(), "1");
}

TEST_F(CookieTimerTest, WhileAnInternetPropertiesSheetIsOpenTheTickWaits) {
  MakeForm();
  const win32::UniqueWindow sheet(CreateWindowExA(0, "#32770", "Internet Properties", WS_POPUP, 0,
                                                  0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(sheet);
  cache.Add("Cookie:jane@late.test/");
  std::string countWhileOpen;
  desktop.beforePump = [&] {  // the sheet closes after the watch's second look
    if (desktop.finds.size() != 2) return;
    countWhileOpen = CountText();
    DestroyWindow(sheet.get());
  };
  Tick();
  EXPECT_EQ(countWhileOpen, "0");
  EXPECT_EQ(desktop.finds.size(), 3u);
  EXPECT_EQ(CountText(), "1");
}

}  // namespace
}  // namespace quillmere
