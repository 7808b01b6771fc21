// Today's browsers' four tasks in the real window and through the console's routines,
// over the browsers' own files in a folder of the sandbox, with the real files and
// SQLite on Windows: what a running browser's hold looks like is only seen here.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "cleaners/CleanupRun.h"
#include "console/Commands.h"
#include "gauges/Gauges.h"
#include "platform/Database.h"
#include "tests/console/ConsoleWorld.h"
#include "tests/support/HeldByAnotherProcess.h"
#include "tests/support/MainWindowTest.h"

namespace quillmere {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using namespace quillmere::testing;
namespace fs = std::filesystem;

const fs::path kBase = "C:\\quillmere-browser-test";
const fs::path kChrome = kBase / "Local\\Google\\Chrome\\User Data";
const fs::path kChromeDefault = kChrome / "Default";
const fs::path kFirefox = kBase / "Roaming\\Mozilla\\Firefox\\Profiles\\k3x8a1qz.default-release";
const fs::path kFirefoxLocal =
    kBase / "Local\\Mozilla\\Firefox\\Profiles\\k3x8a1qz.default-release";

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::int64_t Count(const fs::path& database, const std::string& sql) {
  Database db(database.string());
  Statement count = db.Prepare(sql);
  return count.Step() ? count.Int(0) : -1;
}

std::vector<std::string> FilesBelow(const fs::path& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) found.push_back(fs::relative(entry.path(), folder).string());
  }
  return found;
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
  for (const fs::path& canary :
       {kChromeDefault / "Extensions\\canary.txt", kChromeDefault / "canary.txt",
        kFirefoxLocal / "canary.txt", kFirefox / "canary.txt"}) {
    fs::create_directories(canary.parent_path());
    std::ofstream(canary) << "canary";
  }
  shell.folders[UserFolder::kLocalAppData] = (kBase / "Local").string();
  shell.folders[UserFolder::kRoamingAppData] = (kBase / "Roaming").string();
}

void ExpectCanariesAndBookmarksKept() {
  for (const fs::path& canary :
       {kChromeDefault / "Extensions\\canary.txt", kChromeDefault / "canary.txt",
        kFirefoxLocal / "canary.txt", kFirefox / "canary.txt"})
    EXPECT_EQ(Bytes(canary), "canary") << canary;
  EXPECT_EQ(Count(kChromeDefault / "History",
                  "SELECT count(*) FROM urls WHERE url = 'http://www.example.org/recipes/bread'"),
            1);
  EXPECT_EQ(Count(kFirefox / "places.sqlite", "SELECT count(*) FROM moz_bookmarks"), 9);
  EXPECT_EQ(Count(kFirefox / "places.sqlite", "SELECT count(*) FROM moz_places"), 2);
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
  const std::string cookies = Bytes(kChromeDefault / "Network\\Cookies");
  const std::string bookmarks = Bytes(kChromeDefault / "Bookmarks");

  for (const int task :
       {kChromiumCacheTask, kChromiumHistoryTask, kFirefoxCacheTask, kFirefoxHistoryTask})
    form->TaskPage().TaskList().SetChecked(task, true);
  ClickToolButton(form->TaskPage().ToolBar().hwnd(), ToolButton11);
  PumpMessages();

  const std::vector<std::string> lines = activity->Lines();
  EXPECT_THAT(lines, Contains("Clearing Chrome (Zoë) History..."));
  EXPECT_THAT(lines, Contains("Deleted : http://shop.test/cart"));
  EXPECT_THAT(lines, Contains("Deleting : the-real-index"));
  EXPECT_THAT(lines, Contains("Deleted 5 Cache Files"));
  EXPECT_EQ(Count(kChromeDefault / "History", "SELECT count(*) FROM visits"), 0);
  EXPECT_EQ(Count(kFirefox / "places.sqlite", "SELECT count(*) FROM moz_historyvisits"), 0);
  EXPECT_FALSE(fs::exists(kChromeDefault / "Visited Links"));
  EXPECT_THAT(FilesBelow(kChromeDefault / "Cache"), IsEmpty());
  EXPECT_THAT(FilesBelow(kFirefoxLocal), ElementsAre("canary.txt"));
  EXPECT_EQ(Bytes(kChromeDefault / "Network\\Cookies"), cookies);
  EXPECT_EQ(Bytes(kChromeDefault / "Bookmarks"), bookmarks);
  ExpectCanariesAndBookmarksKept();
  // The figures measured again after the run.
  EXPECT_THAT(Caption(kChromiumCacheTask), EndsWith("    0 KB"));
  EXPECT_THAT(Caption(kChromiumHistoryTask), EndsWith("    0 Entries"));
  EXPECT_THAT(Caption(kFirefoxCacheTask), EndsWith("    0 KB"));
  EXPECT_THAT(Caption(kFirefoxHistoryTask), EndsWith("    0 Entries"));
}

// The item lines of a JSON run with `outcome`, the outcome left out.
std::vector<std::string> Items(const std::vector<std::string>& lines, const std::string& outcome) {
  std::vector<std::string> items;
  for (const std::string& line : lines) {
    if (line.ends_with("\"outcome\":\"" + outcome + "\"}"))
      items.push_back(line.substr(0, line.find(",\"outcome\"")));
  }
  return items;
}

TEST_F(BrowserTasksWinTest, AHeldHistoryIsNamedAndLeftWhileTheOtherTargetsClean) {
  const fs::path history = kChromeDefault / "History";
  const std::string before = Bytes(history);
  FakeConsole preview;
  FakeConsole clean;
  {
    HeldByAnotherProcess chrome(history.string(), /*exclusive=*/true);
    ASSERT_TRUE(chrome.Holding());
    const char* targets[] = {"chromium-history", "firefox-history", "chromium-cache",
                             "firefox-cache"};
    EXPECT_EQ(RunCommand(ParseArguments(
                             {"preview", targets[0], targets[1], targets[2], targets[3], "--json"}),
                         preview, *this),
              kExitFailed);
    EXPECT_EQ(RunCommand(ParseArguments(
                             {"clean", targets[0], targets[1], targets[2], targets[3], "--json"}),
                         clean, *this),
              kExitFailed);
  }
  EXPECT_THAT(clean.out, Contains(AllOf(HasSubstr("\"target\":\"chromium-history\",\"error\""),
                                        HasSubstr("Chrome (Zoë) is open in its browser"))));
  EXPECT_THAT(clean.err, Contains(HasSubstr("close Chrome")));
  EXPECT_EQ(Items(preview.out, "planned"), Items(clean.out, "removed"));
  EXPECT_THAT(Items(clean.out, "removed"), Contains(HasSubstr("http://badexample.org/")));
  EXPECT_EQ(Bytes(history), before);
  EXPECT_EQ(Count(kFirefox / "places.sqlite", "SELECT count(*) FROM moz_historyvisits"), 0);
  EXPECT_THAT(FilesBelow(kChromeDefault / "Cache"), IsEmpty());
  ExpectCanariesAndBookmarksKept();
}

}  // namespace
}  // namespace quillmere
