#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/ActiveForm.h"
#include "app/EraserForm.h"
#include "common/FuncUnit.h"
#include "common/SizeFigure.h"
#include "cleaners/CacheCleaner.h"
#include "cleaners/CleanupRun.h"
#include "cleaners/RegistryCleaner.h"
#include "gauges/Gauges.h"
#include "platform/win32/Win32Platform.h"
#include "tests/support/CleanerTestSupport.h"
#include "tests/support/CookieStoreSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/MainWindowTest.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// Made, with its link, by make-cleaner-links.sh.
const std::string kRunBase = "C:\\quillmere-run-test";
const std::string kHistoryFolder = kRunBase + "\\History";

std::string GetText(const std::string& key, const char* name) {
  char text[MAX_PATH] = {};
  DWORD size = sizeof text;
  if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) !=
      ERROR_SUCCESS)
    return {};
  return text;
}

// The UTC file time that the program shows as this local wall-clock moment (it
// converts with the present distance from UTC, as FileTimeToLocalFileTime does).
FILETIME LocalMoment(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
  const SYSTEMTIME local{year, month, 0, day, hour, minute, 0, 0};
  FILETIME localTime{};
  FILETIME result{};
  SystemTimeToFileTime(&local, &localTime);
  LocalFileTimeToFileTime(&localTime, &result);
  return result;
}

// The position of `line` in `lines`; the end when it is missing.
std::ptrdiff_t At(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) - lines.begin();
}

// A persistent cookie and a cached page in the sandbox's real URL cache.
void SeedCache() {
  ASSERT_EQ(
      RunCookieTool({"set", "http://cleanup.test/", "c=1; expires=Sat, 01-Jan-2039 00:00:00 GMT"}),
      0u);
  CachePage("http://cleanup.test/page.htm");
  ASSERT_THAT(CacheSources(), Contains(CookieSource("cleanup.test/")));
  ASSERT_THAT(CacheSources(), Contains("http://cleanup.test/page.htm"));
}

void ExpectCacheSeedGone() {
  EXPECT_THAT(CacheSources(), Not(Contains(::testing::HasSubstr("cleanup.test"))));
  EXPECT_EQ(RunCookieTool({"get", "http://cleanup.test/"}), 0u);
}

TEST(RealUrlCache, DeleteCachedPagesTakesPagesAndCookiesAlike) {
  SeedCache();
  win32::Win32UrlCache cache;
  DeleteCachedPages(cache);
  ExpectCacheSeedGone();
  EXPECT_THAT(CacheSources(), IsEmpty());
}

class CleanupRunWinTest : public MainWindowTest {
 protected:
  void SetUp() override {
    savedHistory = GetText(kShellFolders, "History");
    OpenMainWindow(platform.ports());
    form->Show();
    form->SetActivePageIndex(1);
    PumpMessages();
  }
  void TearDown() override {
    if (savedHistory.empty()) {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kShellFolders, "History");
    } else {
      SetRegistryText(kShellFolders, "History", savedHistory);
    }
    form->UrlHistory().ClearStore();
    CloseMainWindow();
  }

  void Press(int button) {
    ClickToolButton(form->TaskPage().ToolBar().hwnd(), button);
    PumpMessages();
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> captions;
    for (int i = 0; i < form->TaskPage().TaskList().Count(); ++i)
      captions.push_back(form->TaskPage().TaskList().Text(i));
    return captions;
  }

  win32::Win32Platform platform;
  std::string savedHistory;
};

TEST_F(CleanupRunWinTest, CheckAllAndCleanUpRemovesEveryTraceAndNothingElse) {
  ASSERT_TRUE(PathExists(kHistoryFolder + "\\link\\canary.txt"))
      << "run through ctest, whose set-up makes the link";
  // One trace or more for every task, and look-alikes that must stay.
  SetRegistryText(kTypedUrlsKey, "url1", "http://typed.example/");
  SetRegistryText(kTypedUrlsKey, "url2", "http://typed2.example/");
  SetRegistryText(std::string(kTypedUrlsKey) + "\\Quillmere Sub", "kept", "stays");
  SetRegistryText(kMediaPlayerRecentKey, "File0", "C:\\music\\song.mp3");
  SetRegistryText(kRunMruKey, "a", "notepad\\1");
  SetRegistryText(kRunMruKey, "MRUList", "a");
  Visit("http://visited.example/", LocalMoment(2030, 6, 1, 14, 30));
  MakeFolders(kHistoryFolder + "\\Today");
  WriteFile(kHistoryFolder + "\\index.dat");
  WriteFile(kHistoryFolder + "\\Today\\index.dat");
  MakeFolders(kRunBase + "\\Sibling");
  WriteFile(kRunBase + "\\Sibling\\canary.txt");
  const std::string recent = RecentFolder();
  WriteFile(recent + "\\Quillmere run.lnk");
  WriteFile(kRunBase + "\\recycled.txt", "to the bin");
  Recycle(kRunBase + "\\recycled.txt");
  const std::string netscape = "C:\\Program Files\\Netscape\\Users\\default";
  MakeFolders(netscape + "\\Cache");
  WriteFile(netscape + "\\Cache\\page.htm");
  WriteFile(netscape + "\\cookies.txt");
  MakeFolders("C:\\AOL40\\CACHE");
  WriteFile("C:\\AOL40\\CACHE\\aolpage.htm");
  MakeFolders(kRunBase + "\\lookalikes");
  WriteFile(kRunBase + "\\lookalikes\\cookies.txt");
  WriteFile(kRunBase + "\\lookalikes\\Netscape.hst");
  SeedCache();
  ASSERT_GT(RecycleBinBytes(), 0);
  activity->AddLine("left from before");

  Press(ToolButton7);
  for (int i = 0; i < kCleanupTaskCount; ++i)
    ASSERT_TRUE(form->TaskPage().TaskList().Checked(i)) << i;
  // Set last: Wine's shell writes its own History folder there whenever a program
  // asks for it, and the cookie tool's WinINet does.
  SetRegistryText(kShellFolders, "History", kHistoryFolder);
  Press(ToolButton11);
  EXPECT_EQ(GetText(kShellFolders, "History"), kHistoryFolder);

  // The guarded tasks' lines come in table order, after the window was emptied.
  const std::vector<std::string> lines = activity->Lines();
  EXPECT_THAT(lines, Not(Contains("left from before")));
  const std::vector<std::string> order = {"Enumerating History Files...",
                                          "Deleting History Files...",
                                          "Clearing Netscape History Files...",
                                          "NetScape Clean!",
                                          "Clearing AOL 2.0 History Files...",
                                          "Deleting : aolpage.htm",
                                          "AOL 6.0 Clean!"};
  for (std::size_t i = 0; i < order.size(); ++i) {
    ASSERT_LT(At(lines, order[i]), static_cast<std::ptrdiff_t>(lines.size())) << order[i];
    if (i) {
      EXPECT_LT(At(lines, order[i - 1]), At(lines, order[i])) << order[i];
    }
  }
  EXPECT_THAT(lines, Contains("Could Not Delete : link"));
  EXPECT_THAT(lines.back(), ::testing::StartsWith("Hard Disk Is "));  // the gauges came last
  EXPECT_TRUE(IsWindowVisible(activity->hwnd()));

  // Every task unticked, the three figures fresh and single.
  for (int i = 0; i < kCleanupTaskCount; ++i)
    EXPECT_FALSE(form->TaskPage().TaskList().Checked(i)) << i;
  const std::vector<std::string> captions = Captions();
  EXPECT_THAT(captions[1], ::testing::EndsWith(" 0 Entries"));
  EXPECT_THAT(captions[6], ::testing::EndsWith(" " + SizeFigure(0)));
  form->RefreshGauges();
  EXPECT_EQ(Captions(), captions);

  // The traces are gone.
  EXPECT_EQ(ValueCount(kTypedUrlsKey), 0);
  EXPECT_EQ(ValueCount(kMediaPlayerRecentKey), 0);
  EXPECT_EQ(ValueCount(kRunMruKey), 0);
  EXPECT_EQ(form->UrlHistory().Refresh(), 0);
  EXPECT_EQ(RecycleBinBytes(), 0);
  ExpectCacheSeedGone();
  for (const std::string& gone :
       {kHistoryFolder + "\\index.dat", kHistoryFolder + "\\Today\\index.dat",
        recent + "\\Quillmere run.lnk", netscape + "\\Cache\\page.htm", netscape + "\\cookies.txt",
        std::string("C:\\AOL40\\CACHE\\aolpage.htm")}) {
    EXPECT_FALSE(PathExists(gone)) << gone;
  }
  // And nothing else is.
  for (const std::string& kept :
       {kHistoryFolder + "\\Today", kRunBase + "\\Sibling\\canary.txt",
        kRunBase + "\\Outside\\canary.txt", kRunBase + "\\lookalikes\\cookies.txt",
        kRunBase + "\\lookalikes\\Netscape.hst", netscape + "\\Cache",
        std::string("C:\\AOL40\\CACHE")}) {
    EXPECT_TRUE(PathExists(kept)) << kept;
  }
  EXPECT_EQ(GetText(std::string(kTypedUrlsKey) + "\\Quillmere Sub", "kept"), "stays");
  RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(kTypedUrlsKey) + "\\Quillmere Sub").c_str());
  RemoveTree("C:\\Program Files\\Netscape");
  RemoveTree("C:\\AOL40");
}

TEST_F(CleanupRunWinTest, TheIndexReportListsTheHistoryOncePerPress) {
  form->UrlHistory().ClearStore();
  Visit("http://report-b.example/", LocalMoment(2030, 6, 1, 14, 30));
  Visit("http://report-a.example/", LocalMoment(2031, 1, 2, 0, 0));

  Press(ToolButton15);
  Press(ToolButton15);

  const std::vector<std::string> lines = activity->Lines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "Reading Index.Dat...");
  EXPECT_EQ(lines[1], "  ");
  // Wine's history keeps no titles, so the two entries tie on the sort key.
  EXPECT_THAT(
      std::vector<std::string>(lines.begin() + 2, lines.begin() + 4),
      UnorderedElementsAreArray({" : http://report-b.example/ : Expires - 6/1/2030 2:30:00 PM",
                                 " : http://report-a.example/ : Expires - 1/2/2031"}));
  EXPECT_THAT(std::vector<std::string>(lines.begin() + 4, lines.end()),
              ElementsAre("  ", "  ", "Index.dat Report Finished!"));
  EXPECT_EQ(StatusBarText(form->StatusBar()), "  Index.dat Report Finished!");
  EXPECT_TRUE(IsWindowVisible(activity->hwnd()));
  EXPECT_EQ(form->UrlHistory().Refresh(), 2);  // the report changes nothing
}

TEST_F(CleanupRunWinTest, AHistoryValueNamingADriveRootDeletesNothing) {
  // Under Wine Z: would be the whole Linux file system; the sandbox has none.
  ASSERT_EQ(GetFileAttributesA("Z:\\"), INVALID_FILE_ATTRIBUTES);
  WriteFile("C:\\quillmere-root-canary.txt");
  MakeFolders(kRunBase + "\\Sibling");
  WriteFile(kRunBase + "\\Sibling\\canary.txt");
  for (const char* root : {"C:\\", "Z:\\", "C:"}) {
    SetRegistryText(kShellFolders, "History", root);
    form->TaskPage().TaskList().SetChecked(1, true);
    Press(ToolButton11);
    const std::vector<std::string> lines = activity->Lines();
    EXPECT_EQ(At(lines, "Error Removing Data From Index.Dat"),
              At(lines, "Deleting History Files...") + 1)
        << root;
    EXPECT_THAT(activity->Lines(), Not(Contains(::testing::StartsWith("Deleting : ")))) << root;
  }
  EXPECT_TRUE(PathExists("C:\\quillmere-root-canary.txt"));
  EXPECT_TRUE(PathExists(kRunBase + "\\Sibling\\canary.txt"));
  EXPECT_TRUE(PathExists("C:\\windows\\system32\\kernel32.dll"));
  DeleteFileA("C:\\quillmere-root-canary.txt");
}

}  // namespace
}  // namespace quillmere
