// A large cookie store and a large cache folder, met by the real program in the
// sandbox, and a cookie list larger than Wine's cookie store can hold: the runs end,
// and the memory they take grows with what they must show and no more. The size is
// QUILLMERE_LARGE_COUNT when it is set (100000 for the full check, made by hand), else one the
// suite runs in seconds; the cache folder is filled before the program runs, with that many files.
// ctest runs each store in a process of its own, so that each peak is its own.
#include <windows.h>
#include <psapi.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "cleaners/FolderPurge.h"
#include "platform/win32/Win32Platform.h"
#include "tests/support/CleanerTestSupport.h"
#include "tests/fakes/FakeLocaleTime.h"
#include "tests/fakes/FakeUrlCache.h"
#include "tests/support/CookieStoreSupport.h"
#include "tests/support/MainWindowTest.h"

namespace quillmere {
namespace {

using ::testing::Contains;
using namespace quillmere::testing;

constexpr SIZE_T kMegabyte = 1 << 20;

std::size_t LargeCount(std::size_t inTheSuite) {
  const char* count = std::getenv("QUILLMERE_LARGE_COUNT");
  return count && std::atol(count) > 0 ? static_cast<std::size_t>(std::atol(count)) : inTheSuite;
}

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters;
}

// How far the peak working set rose above the working set at `before`.
SIZE_T Growth(const PROCESS_MEMORY_COUNTERS& before) {
  const SIZE_T peak = Memory().PeakWorkingSetSize;
  return peak > before.WorkingSetSize ? peak - before.WorkingSetSize : 0;
}

// A run report that keeps no lines, so that only the run's own memory shows.
class CountingReport final : public RunReport {
 public:
  void ShowStatus(std::string_view message) override {
    ++lines;
    deleted += message == "Deleted !";
    last = message;
  }
  void SetProgressMax(int) override {}
  void SetProgressPosition(int) override {}
  std::size_t lines = 0;
  std::size_t deleted = 0;
  std::string last;
};

// The files in `folder`, counted as the purge will meet them.
std::size_t FileCount(const std::string& folder) {
  std::size_t count = 0;
  const auto search = win32::Win32Files().Search(folder + "\\*.*");
  while (const auto entry = search->Next()) count += !(entry->attributes & kAttributeDirectory);
  return count;
}

TEST(LargeFileStore, ACacheFolderOfManyFilesIsPurgedInMemoryThatDoesNotGrowWithThem) {
  // Filled from the Linux side by make-large-folder.sh before this program runs.
  const std::string cache = "C:\\AOL60\\CACHE";
  const std::size_t count = FileCount(cache);
  ASSERT_GT(count, 0u) << "run through ctest, whose set-up fills " << cache;
  win32::Win32Files files;
  CountingReport report;
  const PROCESS_MEMORY_COUNTERS before = Memory();

  CleanAol(files, report);

  const SIZE_T growth = Growth(before);
  std::printf("%zu files purged: peak working set %zu KB above the %zu KB before\n", count,
              growth / 1024, before.WorkingSetSize / 1024);
  EXPECT_EQ(report.deleted, count);
  EXPECT_EQ(report.lines, 2 * count + 9);  // and the AOL task's own nine
  EXPECT_EQ(report.last, "AOL 6.0 Clean!");
  EXPECT_EQ(FileCount(cache), 0u);
  EXPECT_LT(growth, 16 * kMegabyte);
  RemoveTree("C:\\AOL60");
}

// The cookie page over `ports`, whose URL cache holds `count` cookies and nothing
// else: made, it lists them all; Check All and Clean Up delete them all. The peak
// working set may rise by what the rows take, and no more.
class LargeCookies : public MainWindowTest {
 protected:
  void ListAndDeleteAll(const Ports& ports, std::size_t count) {
    const PROCESS_MEMORY_COUNTERS before = Memory();
    OpenMainWindow(ports);  // its creation lists the cookies
    const SIZE_T listing = Growth(before);
    TCookiePage& page = form->CookiePage();
    ASSERT_EQ(page.CookieList().ItemCount(), static_cast<int>(count));
    page.OnCommand(ToolButton1);  // Check All
    page.OnCommand(ToolButton5);  // Clean Up
    const SIZE_T cleaning = Growth(before);

    std::printf(
        "%zu cookies: peak working set %zu KB above the %zu KB before once listed (%zu "
        "bytes a row), %zu KB once all were deleted\n",
        count, listing / 1024, before.WorkingSetSize / 1024, listing / count, cleaning / 1024);
    EXPECT_THAT(activity->Lines(), Contains("Deleted " + std::to_string(count) + " Cookies"));
    EXPECT_EQ(page.CookieList().ItemCount(), 0);
    EXPECT_LT(cleaning, 32 * kMegabyte + count * 4096);
    CloseMainWindow();  // while the ports are still there
  }
};

// cookie_tool fills the real cache in a process of its own, which may take minutes;
// under Wine the cookie container takes some 60,000 entries and refuses more.
DWORD FillCookieStore(std::size_t count) {
  return ExitCodeOfProgram("\"" + TestProgramFolder() + "cookie_tool.exe\" fill " +
                           std::to_string(count));
}

class LargeCookieStore : public LargeCookies {};

TEST_F(LargeCookieStore, ManyCookiesAreListedAndDeletedInMemoryThatGrowsWithTheRowsAlone) {
  const std::size_t count = LargeCount(3000);
  EmptyCache();
  ASSERT_EQ(FillCookieStore(count), 0u);
  win32::Win32Platform platform;
  ListAndDeleteAll(platform.ports(), count);
}

// The same through the real window and list, the cache a fake one: it takes as many
// cookies as asked, beyond what Wine's container holds.
class LargeCookieList : public LargeCookies {};

TEST_F(LargeCookieList, ManyCookiesAreListedAndDeletedInMemoryThatGrowsWithTheRowsAlone) {
  const std::size_t count = LargeCount(3000);
  FakeUrlCache cache;
  for (std::size_t i = 0; i < count; ++i)
    cache.Add(CookieSource("h" + std::to_string(i) + ".large.test/"), kCookieCacheEntry,
              static_cast<std::uint32_t>(i % 5000), FileTimeOf({2026, 12, 8, 19, 4, 30}),
              FileTimeOf({2030, 1, 1, 5, 0, 0}));
  win32::Win32Platform platform;
  Ports ports = platform.ports();
  ListAndDeleteAll(Ports{ports.localeTime, ports.shell, ports.files, ports.registry,
                         ports.historyStore, cache, ports.desktop},
                   count);
}

}  // namespace
}  // namespace quillmere
