// Today's browsers' four tasks in the real window and through the console's routines,
// over the browsers' own files in a folder of the sandbox, with the real files and
// SQLite on Windows: what a running browser's hold looks like is only seen here.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cleaners/CleanupRun.h"
#include "console/Commands.h"
#include "gauges/Gauges.h"
#include "platform/Database.h"
#include "tests/console/ConsoleWorld.h"
#include "tests/support/FileContents.h"
#include "tests/support/HeldByAnotherProcess.h"
#include "tests/support/MainWindowTest.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;
namespace fs = std::filesystem;

const fs::path kBase = "C:\\quillmere-browser-test";
const fs::path kChrome = kBase / "Local\\Google\\Chrome\\User Data";
const fs::path kChromeDefault = kChrome / "Default";
const fs::path kFirefox = kBase / "Roaming\\Mozilla\\Firefox\\Profiles\\k3x8a1qz.default-release";
const fs::path kFirefoxLocal =
    kBase / "Local\\Mozilla\\Firefox\\Profiles\\k3x8a1qz.default-release";

// Beside the caches and in each profile: no task may touch them.
const fs::path kCanaries[] = {kChromeDefault / "Extensions\\canary.txt",
                              kChromeDefault / "canary.txt", kFirefoxLocal / "canary.txt",
                              kFirefox / "canary.txt"};

std::int64_t Count(const fs::path& database, const std::string& sql) {
  Database db(database.string());
  Statement count = db.Prepare(sql);
  return count.Step() ? count.Int(0) : -1;
}

// Chrome and Firefox as the test data has them, with a canary beside the caches and
// in each profile, and the shell's data folders pointing at them.
void InstallBrowsers(FakeShell& shell) {
  fs::remove_all(kBase);
  const fs::path data = fs::path(TestProgramFolder()) / "browsers";
  const auto copy = [&](const char* from, const fs::path& to) {
    fs::create_directories(to);
    fs::copy(data / from, to, fs::copy_options::recursive);
  };
  copy("chromium\\User Data", kChrome);
  copy("firefox", kBase / "Roaming\\Mozilla\\Firefox");
  copy("firefox-local", kBase / "Local\\Mozilla\\Firefox");
  for (const fs::path& canary : kCanaries) {
    fs::create_directories(canary.parent_path());
    std::ofstream(canary) << "canary";
  }
  shell.folders[UserFolder::kLocalAppData] = (kBase / "Local").string();
  shell.folders[UserFolder::kRoamingAppData] = (kBase / "Roaming").string();
}

// What no task may touch survives, and every database the tasks wrote stays whole.
void ExpectCanariesKeptAndDatabasesWhole() {
  for (const fs::path& canary : kCanaries) EXPECT_EQ(Bytes(canary), "canary") << canary;
  for (const fs::path& database : {kChromeDefault / "History", kChromeDefault / "Top Sites",
                                   kChromeDefault / "Shortcuts", kFirefox / "places.sqlite"})
    Database(database.string()).CheckIntegrity();
}

// The main window, or the console's routines, over the real files and SQLite.
class BrowserTasksWinTest : public FakePortsMainWindowTest, public PortsSource {
 protected:
  void SetUp() override { InstallBrowsers(shell); }
  void TearDown() override {
    CloseMainWindow();
    fs::remove_all(kBase);
  }
  Ports Open() override { return Ports{locale, shell, files, registry, history, cache, desktop}; }
  void OpenTaskPage() {
    MakeForm();
    form->Show();
    form->SetActivePageIndex(1);
    PumpMessages();
  }
  std::string Caption(int task) { return form->TaskPage().TaskList().Text(task); }
};

TEST_F(BrowserTasksWinTest, TheFourTasksShowTheirFiguresAndClearEveryProfileKeepingTheRest) {
  OpenTaskPage();
  ASSERT_EQ(form->TaskPage().TaskList().Count(), 13);
  EXPECT_THAT(Caption(kChromiumCacheTask),
              AllOf(HasSubstr(kTaskCaptions[kChromiumCacheTask]), EndsWith(" KB")));
  EXPECT_EQ(Caption(kChromiumHistoryTask),
            std::string(kTaskCaptions[kChromiumHistoryTask]) + "    7 Entries");
  EXPECT_EQ(Caption(kFirefoxHistoryTask),
            std::string(kTaskCaptions[kFirefoxHistoryTask]) + "    7 Entries");

  for (const int task :
       {kChromiumCacheTask, kChromiumHistoryTask, kFirefoxCacheTask, kFirefoxHistoryTask})
    form->TaskPage().TaskList().SetChecked(task, true);
  ClickToolButton(form->TaskPage().ToolBar().hwnd(), ToolButton11);
  PumpMessages();

  // The activity window logs the run; what the tasks take and say, the native suite
  // checks row by row and line by line over the same files (BrowserCaches,
  // BrowserHistory). Here: the real files went, and the figures measured again.
  EXPECT_THAT(activity->Lines(), Contains("Clearing Chrome (Zoë) History..."));
  EXPECT_THAT(FilesBelow(kFirefoxLocal), ElementsAre("canary.txt"));
  ExpectCanariesKeptAndDatabasesWhole();
  EXPECT_THAT(Caption(kChromiumCacheTask), EndsWith("    0 KB"));
  EXPECT_THAT(Caption(kChromiumHistoryTask), EndsWith("    0 Entries"));
  EXPECT_THAT(Caption(kFirefoxCacheTask), EndsWith("    0 KB"));
  EXPECT_THAT(Caption(kFirefoxHistoryTask), EndsWith("    0 Entries"));
}

// Chromium holds its History with no sharing while it runs, which only Windows shows:
// that database is named and left as it is, the other targets still clean.
TEST_F(BrowserTasksWinTest, AHeldHistoryIsNamedAndLeftWhileTheOtherTargetsClean) {
  const fs::path history = kChromeDefault / "History";
  const std::string before = Bytes(history);
  // A browser that holds its History runs: the rest of its profile's history is left too.
  const std::int64_t topSites =
      Count(kChromeDefault / "Top Sites", "SELECT count(*) FROM top_sites");
  ASSERT_GT(topSites, 0);
  FakeConsole clean;
  {
    HeldByAnotherProcess chrome(history.string(), /*exclusive=*/true);
    ASSERT_TRUE(chrome.Holding());
    EXPECT_EQ(RunCommand(ParseArguments({"clean", "chromium-history", "firefox-history",
                                         "chromium-cache", "firefox-cache", "--json"}),
                         clean, *this),
              kExitFailed);
  }
  EXPECT_THAT(clean.out, Contains(AllOf(HasSubstr("\"target\":\"chromium-history\",\"error\""),
                                        HasSubstr("Chrome (Zoë) is open in its browser"))));
  EXPECT_THAT(clean.err, Contains(HasSubstr("close Chrome")));
  EXPECT_EQ(Bytes(history), before);
  EXPECT_EQ(Count(kChromeDefault / "Top Sites", "SELECT count(*) FROM top_sites"), topSites);
  EXPECT_TRUE(fs::exists(kChromeDefault / "Visited Links"));
  EXPECT_EQ(Count(kFirefox / "places.sqlite", "SELECT count(*) FROM moz_historyvisits"), 0);
  EXPECT_THAT(FilesBelow(kChromeDefault / "Cache"), IsEmpty());
  ExpectCanariesKeptAndDatabasesWhole();
}

}  // namespace
}  // namespace quillmere
