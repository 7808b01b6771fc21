#include <windows.h>
#include <wininet.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "app/ActiveForm.h"
#include "app/EraserForm.h"
#include "cleaners/CleanupRun.h"
#include "common/SizeFigure.h"
#include "gauges/Gauges.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32LocaleTime.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32UrlCache.h"
#include "tests/fakes/FakeHistoryStore.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeUrlCache.h"
#include "tests/support/CleanerTestSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/MainWindowTest.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

class GaugeFormTest : public MainWindowTest {
 protected:
  void SetUp() override {
    for (const std::uint64_t size : {1'000'000, 49'599}) {
      cache.Add("http://cache.example/" + std::to_string(size), 0);
      cache.entries.back().entry.size = size;
    }
    history.Add("http://a.example/", "A");
    history.Add("http://b.example/", "b");
    history.Add("http://c.example/", "");
    OpenMainWindow(Ports{locale, shell, files, registry, history, cache, desktop});
  }
  win32::CheckListBox& Tasks() { return form->TaskPage().TaskList(); }
  int Ticked() {
    int n = 0;
    for (int i = 0; i < Tasks().Count(); ++i) n += Tasks().Checked(i);
    return n;
  }

  win32::Win32LocaleTime locale;
  win32::Win32Shell shell;
  win32::Win32Files files;
  FakeRegistry registry;
  FakeHistoryStore history;
  FakeUrlCache cache;
};

// The captions as the user reads them, misspellings and all: a spelling fix of the
// constant that fills the list must fail here.
TEST_F(GaugeFormTest, TheTaskListHoldsEveryTaskUntickedUnderTheToolBar) {
  const char* const shown[] = {
      "Clear Internet Explorer URL Drop Down Cache",
      "Clear Internet Explorer URL History    (Index.dat)",
      "Clear Internet Explorer Cached Pages",
      "Clear Widows Media Player URL History",
      "Clear Start / Run Menu Hustory",
      "Clear Start / Recent Documents",
      "Empty Recycle Bin",
      "Clear Netscape Browser Cache",
      "Clear AOL (2 - 6)  Browser Cache",
      "Clear Chrome, Edge, Brave, Vivaldi and Opera Cache",
      "Clear Chrome, Edge, Brave, Vivaldi and Opera History",
      "Clear Firefox Cache",
      "Clear Firefox History",
  };
  ASSERT_EQ(Tasks().Count(), 13);
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(Tasks().Text(i), shown[i]);
    EXPECT_FALSE(Tasks().Checked(i));
  }
  EXPECT_EQ(SendMessageA(Tasks().list(), LB_GETITEMHEIGHT, 0, 0), 13);
  RECT list, bar, page;
  GetWindowRect(Tasks().hwnd(), &list);
  GetWindowRect(form->TaskPage().ToolBar().host(), &bar);
  GetWindowRect(GetParent(Tasks().hwnd()), &page);
  EXPECT_EQ(list.top, bar.bottom);
  EXPECT_EQ(list.bottom, page.bottom);
  EXPECT_EQ(list.right - list.left, page.right - page.left);
}

TEST_F(GaugeFormTest, CheckAllAndUnCheckAllTickAndUntickEveryTask) {
  form->SetActivePageIndex(1);
  ClickToolButton(form->TaskPage().ToolBar().hwnd(), ToolButton7);
  EXPECT_EQ(Ticked(), kCleanupTaskCount);
  ClickToolButton(form->TaskPage().ToolBar().hwnd(), ToolButton8);
  EXPECT_EQ(Ticked(), 0);
  // A click on an item's box ticks it; on its text it does not.
  RECT item;
  SendMessageA(Tasks().list(), LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&item));
  SendMessageA(Tasks().list(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, item.top + 5));
  SendMessageA(Tasks().list(), WM_LBUTTONUP, 0, MAKELPARAM(5, item.top + 5));
  SendMessageA(Tasks().list(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, item.top + 5));
  SendMessageA(Tasks().list(), WM_LBUTTONUP, 0, MAKELPARAM(100, item.top + 5));
  EXPECT_TRUE(Tasks().Checked(4));
  EXPECT_EQ(Ticked(), 1);
  SendMessageA(Tasks().list(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(Ticked(), 0);
  // A quick second click on the box comes as a double click and ticks back again.
  const LPARAM box = MAKELPARAM(5, item.top + 5);
  SendMessageA(Tasks().list(), WM_LBUTTONDOWN, MK_LBUTTON, box);
  SendMessageA(Tasks().list(), WM_LBUTTONUP, 0, box);
  SendMessageA(Tasks().list(), WM_LBUTTONDBLCLK, MK_LBUTTON, box);
  SendMessageA(Tasks().list(), WM_LBUTTONUP, 0, box);
  EXPECT_EQ(Ticked(), 0);
}

TEST_F(GaugeFormTest, ReturningToTheWindowGivesTheFocusBackToTheTaskList) {
  form->Show();
  form->SetActivePageIndex(1);
  SetFocus(Tasks().list());
  ASSERT_EQ(GetFocus(), Tasks().list());
  SendMessageA(form->hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
  SetFocus(nullptr);
  SendMessageA(form->hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), Tasks().list());
}

TEST_F(GaugeFormTest, RefreshGaugesLeavesOneFigureOnEachGaugedTaskAndNoTicks) {
  const std::int64_t bin = *shell.QueryRecycleBinSize("C:\\WINDOWS\\SYSTEM32");
  for (int run = 0; run < 2; ++run) {
    ClickToolButton(form->TaskPage().ToolBar().hwnd(), ToolButton7);
    form->RefreshGauges();
    EXPECT_EQ(Ticked(), 0);
    EXPECT_EQ(Tasks().Count(), kCleanupTaskCount);
    EXPECT_EQ(Tasks().Text(1), std::string(kTaskCaptions[1]) + std::string(17, ' ') + "3 Entries");
    EXPECT_EQ(Tasks().Text(2), std::string(kTaskCaptions[2]) + std::string(21, ' ') + "1024 KB");
    EXPECT_EQ(Tasks().Text(6), std::string(kTaskCaptions[6]) + std::string(44, ' ') +
                                   SizeFigure(static_cast<std::uint64_t>(bin)));
    for (int i : {0, 3, 4, 5, 7, 8}) EXPECT_EQ(Tasks().Text(i), kTaskCaptions[i]);
  }
  // The disk line is the last status; the pie shows the used share it names.
  const auto used = UsedPercent(files.CurrentDriveSpace());
  ASSERT_TRUE(used);
  EXPECT_EQ(form->Gauges().Pie().Position(), *used);
  EXPECT_THAT(
      StatusBarText(form->StatusBar()),
      ::testing::StartsWith("  Hard Disk Is " + std::to_string(100 - *used) + " % Free   :   "));
  EXPECT_THAT(activity->Lines(), ::testing::Contains("Finished Sizing IE Cache"));
}

TEST_F(GaugeFormTest, AFileDeletedToTheRealRecycleBinShowsInTheBinsFigure) {
  char temp[MAX_PATH];
  ASSERT_TRUE(GetTempPathA(MAX_PATH, temp));
  const std::string path = std::string(temp) + "quillmere-gauge-bin.dat";
  { std::ofstream(path, std::ios::binary) << std::string(3'000'000, 'x'); }
  Recycle(path);
  ASSERT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);

  const std::int64_t bin = *shell.QueryRecycleBinSize("C:\\WINDOWS\\SYSTEM32");
  EXPECT_GE(bin, 3'000'000);
  form->RefreshGauges();
  EXPECT_EQ(Tasks().Text(6), std::string(kTaskCaptions[6]) + std::string(44, ' ') +
                                 SizeFigure(static_cast<std::uint64_t>(bin)));
  EXPECT_THAT(Tasks().Text(6), ::testing::EndsWith(" MB"));
}

// A cached page of `bytes` bytes, as the browser stores one.
void CachePage(const std::string& url, std::size_t bytes) {
  char file[MAX_PATH] = {};
  ASSERT_TRUE(CreateUrlCacheEntryA(url.c_str(), static_cast<DWORD>(bytes), "htm", file, 0));
  { std::ofstream(file, std::ios::binary) << std::string(bytes, 'p'); }
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ASSERT_TRUE(CommitUrlCacheEntryA(url.c_str(), file, FILETIME{}, now, NORMAL_CACHE_ENTRY, nullptr,
                                   0, nullptr, nullptr))
      << GetLastError();
}

TEST_F(GaugeFormTest, TheRealCacheIsSizedEntryByEntry) {
  win32::Win32UrlCache real;
  const std::uint64_t before = CacheBytes(real);
  const std::string page = "http://gauges.example/big.htm";
  CachePage(page, 2'500'000);
  const std::uint64_t after = CacheBytes(real);
  EXPECT_EQ(after - before, 2'500'000u);

  TEraserForm withRealCache(Ports{locale, shell, files, registry, history, real, desktop});
  withRealCache.RefreshGauges();
  EXPECT_EQ(withRealCache.TaskPage().TaskList().Text(2),
            std::string(kTaskCaptions[2]) + std::string(21, ' ') + SizeFigure(after));
  EXPECT_TRUE(DeleteUrlCacheEntryA(page.c_str()));
  EXPECT_EQ(CacheBytes(real), before);
}

TEST_F(GaugeFormTest, ShowingTheWindowRunsTheGaugesOnce) {
  EXPECT_EQ(Tasks().Text(1), kTaskCaptions[1]);
  form->Show();
  EXPECT_EQ(history.passes, 1);
  EXPECT_THAT(Tasks().Text(1), ::testing::EndsWith(" 3 Entries"));
  ShowWindow(form->hwnd(), SW_HIDE);
  ShowWindow(form->hwnd(), SW_SHOW);
  EXPECT_EQ(history.passes, 1);
}

TEST_F(GaugeFormTest, TheHeaderCarriesThePieAt432By1) {
  TSimplePie& pie = form->Gauges().Pie();
  EXPECT_EQ(pie.Left(), 432);
  EXPECT_EQ(pie.Top(), 1);
  EXPECT_EQ(pie.Width(), 67);
  EXPECT_EQ(pie.Height(), 47);
  EXPECT_EQ(pie.Position(), 64);
  EXPECT_EQ(pie.Basecolor(), clYellow);
  EXPECT_EQ(pie.Usedcolor(), clBlue);
  EXPECT_EQ(pie.Hint, "Blue    : Denotes Used Memory\r\nYellow : Denotes Free Memory");

  // The header's painting copies the picture to the pie's place.
  const HWND header = form->Gauges().Panel().hwnd();
  const SIZE size = ClientSize(header);
  const win32::UniqueDC dc(CreateCompatibleDC(nullptr));
  const win32::UniqueBitmap bitmap = win32::MakeDibSection(size.cx, size.cy);
  const win32::SelectObjectScope select(dc.get(), bitmap.get());
  SendMessageA(header, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  for (const POINT p : {POINT{10, 12}, POINT{20, 26}, POINT{34, 1}, POINT{63, 32}}) {
    EXPECT_EQ(GetPixel(dc.get(), 432 + p.x, 1 + p.y), GetPixel(pie.PictureDC(), p.x, p.y))
        << p.x << "," << p.y;
  }
}

}  // namespace
}  // namespace quillmere
