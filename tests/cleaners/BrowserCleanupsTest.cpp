#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cleaners/BrowserCaches.h"
#include "cleaners/BrowserHistory.h"
#include "cleaners/CleanupRun.h"
#include "console/Commands.h"
#include "tests/console/BrowserConsole.h"
#include "tests/cookies/BrowserStoreWorld.h"
#include "tests/fakes/FakeRunReport.h"
#include "tests/support/FileContents.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;
namespace fs = std::filesystem;

constexpr const char* kChrome = "Local/Google/Chrome/User Data";
constexpr const char* kChromeDefault = "Local/Google/Chrome/User Data/Default";
constexpr const char* kFirefoxRelease = "Roaming/Mozilla/Firefox/Profiles/k3x8a1qz.default-release";
constexpr const char* kFirefoxLocal = "Local/Mozilla/Firefox/Profiles/k3x8a1qz.default-release";

void Write(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Column(const std::string& path, const std::string& sql) {
  Database db(path);
  Statement rows = db.Prepare(sql);
  std::vector<std::string> values;
  while (rows.Step()) values.push_back(rows.Text(0));
  return values;
}

void ExpectWhole(const std::string& path) { Database(path).CheckIntegrity(); }

// Chrome and Firefox with their profiles, caches and histories, the shader caches
// Chromium makes with a GPU, and the files beside them that no clean-up may touch.
struct BrowserHistoryWorld : BrowserStoreWorld {
  BrowserHistoryWorld() {
    InstallBrowsers();
    Copy("firefox-local", "Local/Mozilla/Firefox");
    Write(Path(std::string(kChrome) + "/GrShaderCache/data_1"), "shader");
    Write(Path(std::string(kChromeDefault) + "/Preferences"), "{}");
    Write(Path(std::string(kChromeDefault) + "/Extensions/canary.txt"), "canary");
    Write(Path(std::string(kFirefoxLocal) + "/canary.txt"), "canary");
  }
  std::string Chrome(const std::string& below) const {
    return Path(std::string(kChromeDefault) + "/" + below);
  }
  std::string Firefox(const std::string& below) const {
    return Path(std::string(kFirefoxRelease) + "/" + below);
  }
  FakeRunReport report;
};

TEST(BrowserCaches, EveryCacheFileGoesTheFoldersAndTheRestOfTheProfileStay) {
  BrowserHistoryWorld world;
  const std::string cookies = Bytes(world.Chrome("Network/Cookies"));
  const std::string history = Bytes(world.Chrome("History"));
  ASSERT_GT(BrowserCacheBytes(BrowserFamily::kChromium, world.files, world.shell), 0u);
  ASSERT_GT(BrowserCacheBytes(BrowserFamily::kFirefox, world.files, world.shell), 0u);

  ClearBrowserCaches(BrowserFamily::kChromium, world.files, world.shell, world.report);
  ClearBrowserCaches(BrowserFamily::kFirefox, world.files, world.shell, world.report);

  for (const char* folder : {"Cache", "Code Cache", "GPUCache"}) {
    EXPECT_TRUE(fs::is_directory(world.Chrome(folder))) << folder;
    EXPECT_THAT(FilesBelow(world.Chrome(folder)), IsEmpty()) << folder;
  }
  EXPECT_THAT(FilesBelow(world.Path(std::string(kChrome) + "/GrShaderCache")), IsEmpty());
  EXPECT_THAT(FilesBelow(world.Path(kFirefoxLocal)), ElementsAre("canary.txt"));
  EXPECT_TRUE(fs::is_directory(world.Path(std::string(kFirefoxLocal) + "/cache2/entries")));
  EXPECT_EQ(Bytes(world.Chrome("Network/Cookies")), cookies);
  EXPECT_EQ(Bytes(world.Chrome("History")), history);
  EXPECT_THAT(FilesBelow(world.Chrome("Extensions")), ElementsAre("canary.txt"));
  EXPECT_TRUE(fs::exists(world.Chrome("Preferences")));
  EXPECT_TRUE(fs::exists(world.Chrome("Bookmarks")));
  EXPECT_EQ(BrowserCacheBytes(BrowserFamily::kChromium, world.files, world.shell), 0u);
  EXPECT_EQ(BrowserCacheBytes(BrowserFamily::kFirefox, world.files, world.shell), 0u);
  EXPECT_THAT(world.report.lines, Contains("Deleting : the-real-index"));
  EXPECT_THAT(world.report.lines, Contains(HasSubstr(".png")));
  EXPECT_EQ(world.report.lines.back(), "Deleted 5 Cache Files");
}

TEST(BrowserCaches, AFirefoxProfileWithAnAbsolutePathKeepsItsCacheInItsOwnFolder) {
  BrowserStoreWorld world;
  world.Copy("edge-cases/profiles-ini-absolute", "Roaming/Mozilla/Firefox");
  const std::string profile = world.Path("Roaming/Mozilla/Firefox/elsewhere");
  std::string ini = Bytes(world.Path("Roaming/Mozilla/Firefox/profiles.ini"));
  ini.replace(ini.find("@ABSOLUTE_PROFILE@"), 18, profile);
  Write(world.Path("Roaming/Mozilla/Firefox/profiles.ini"), ini);
  Write(profile + "/cache2/entries/ABC", "entry");
  Write(profile + "/thumbnails/x.png", "png");
  EXPECT_EQ(BrowserCacheBytes(BrowserFamily::kFirefox, world.files, world.shell), 8u);
  FakeRunReport report;
  ClearBrowserCaches(BrowserFamily::kFirefox, world.files, world.shell, report);
  EXPECT_THAT(FilesBelow(profile), ElementsAre("cookies.sqlite"));
}

TEST(BrowserHistory, ChromiumLosesEveryVisitButKeepsItsBookmarkedPagesAndAllElse) {
  BrowserHistoryWorld world;
  const std::string bookmarks = Bytes(world.Chrome("Bookmarks"));
  const std::string cookies = Bytes(world.Chrome("Network/Cookies"));
  EXPECT_EQ(CountBrowserHistoryPages(BrowserFamily::kChromium, world.files, world.shell), 7);

  DirectRemoval direct;
  ClearBrowserHistory(BrowserFamily::kChromium, world.files, world.shell, direct, world.report);

  const std::string history = world.Chrome("History");
  for (const char* table :
       {"visits", "keyword_search_terms", "segments", "segment_usage", "visited_links", "downloads",
        "downloads_url_chains", "content_annotations", "context_annotations", "clusters",
        "clusters_and_visits"})
    EXPECT_EQ(CountRows(history, table), 0) << table;
  EXPECT_THAT(Column(history, "SELECT url FROM urls"),
              ElementsAre("http://www.example.org/recipes/bread"));
  EXPECT_EQ(CountRows(history, "meta"), 3);
  EXPECT_EQ(CountRows(world.Chrome("Top Sites"), "top_sites"), 0);
  EXPECT_EQ(CountRows(world.Chrome("Top Sites"), "meta"), 3);
  EXPECT_EQ(CountRows(world.Chrome("Shortcuts"), "omni_box_shortcuts"), 0);
  for (const char* database : {"History", "Top Sites", "Shortcuts"})
    ExpectWhole(world.Chrome(database));
  EXPECT_FALSE(fs::exists(world.Chrome("Visited Links")));
  EXPECT_EQ(Bytes(world.Chrome("Bookmarks")), bookmarks);
  EXPECT_EQ(Bytes(world.Chrome("Network/Cookies")), cookies);
  EXPECT_FALSE(fs::is_empty(world.Chrome("Cache/Cache_Data")));
  EXPECT_EQ(CountBrowserHistoryPages(BrowserFamily::kChromium, world.files, world.shell), 0);
  EXPECT_THAT(world.report.lines, Contains("Clearing Chrome (Zoë) History..."));
  EXPECT_THAT(world.report.lines, Contains("Deleted : http://shop.test/cart"));
  EXPECT_THAT(world.report.lines,
              Contains("Deleted : http://www.example.org/recipes/bread (its visits; the "
                       "bookmarked page stays)"));
  EXPECT_THAT(world.report.lines, Contains(HasSubstr("Deleted : Shortcuts: ")));
  EXPECT_THAT(world.report.lines, Not(Contains(HasSubstr("unvisited.example"))));
}

TEST(BrowserHistory, TablesAVersionLacksArePassedOverAndNeverMade) {
  BrowserHistoryWorld world;
  const std::string history = world.Chrome("History");
  {
    Database older(history);
    older.Execute("DROP TABLE clusters");
    older.Execute("DROP TABLE keyword_search_terms");
  }
  DirectRemoval direct;
  ClearBrowserHistory(BrowserFamily::kChromium, world.files, world.shell, direct, world.report);
  EXPECT_EQ(CountRows(history, "visits"), 0);
  EXPECT_THAT(Column(history,
                     "SELECT name FROM sqlite_master WHERE name IN ('clusters', "
                     "'keyword_search_terms')"),
              IsEmpty());
}

TEST(BrowserHistory, ADatabaseOfAnotherShapeOrWithUnreadableBookmarksIsNamedAndLeft) {
  BrowserHistoryWorld world;
  const std::string history = world.Chrome("History");
  Database(history).Execute("ALTER TABLE urls RENAME TO pages");
  const std::string before = Bytes(history);
  DirectRemoval direct;
  ClearBrowserHistory(BrowserFamily::kChromium, world.files, world.shell, direct, world.report);
  EXPECT_EQ(Bytes(history), before);
  EXPECT_THAT(world.report.lines, Contains(AllOf(HasSubstr(history), HasSubstr("\"urls\""))));
  EXPECT_EQ(CountRows(world.Chrome("Top Sites"), "top_sites"), 0);  // the profile goes on

  BrowserHistoryWorld broken;
  Write(broken.Chrome("Bookmarks"), "{\"roots\": [");
  ClearBrowserHistory(BrowserFamily::kChromium, broken.files, broken.shell, direct, broken.report);
  EXPECT_EQ(CountRows(broken.Chrome("History"), "visits"), 8);
  EXPECT_THAT(broken.report.lines, Contains(HasSubstr("bookmarked pages are not known")));
}

TEST(BrowserHistory, FirefoxKeepsItsBookmarksAndTheirPagesWithTheirFiguresReset) {
  BrowserHistoryWorld world;
  const std::string places = world.Firefox("places.sqlite");
  const std::string cookies = Bytes(world.Firefox("cookies.sqlite"));
  EXPECT_EQ(CountBrowserHistoryPages(BrowserFamily::kFirefox, world.files, world.shell), 7);

  DirectRemoval direct;
  ClearBrowserHistory(BrowserFamily::kFirefox, world.files, world.shell, direct, world.report);

  EXPECT_EQ(CountRows(places, "moz_historyvisits"), 0);
  EXPECT_EQ(CountRows(places, "moz_inputhistory"), 0);
  EXPECT_EQ(CountRows(places, "moz_bookmarks"), 9);
  EXPECT_THAT(Column(places,
                     "SELECT url || ' ' || visit_count || ' ' || frecency || ' ' || "
                     "ifnull(last_visit_date, '-') FROM moz_places ORDER BY id"),
              ElementsAre("http://www.example.org/recipes/bread 0 -1 -",
                          "http://unvisited.example/ 0 -1 -"));
  EXPECT_THAT(Column(places, "SELECT host FROM moz_origins ORDER BY host"),
              ElementsAre("unvisited.example", "www.example.org"));
  EXPECT_EQ(CountRows(places, "moz_places_metadata"), 2);  // the bookmarked page's
  ExpectWhole(places);
  EXPECT_EQ(Bytes(world.Firefox("cookies.sqlite")), cookies);
  EXPECT_EQ(CountBrowserHistoryPages(BrowserFamily::kFirefox, world.files, world.shell), 0);
  EXPECT_THAT(world.report.lines, Contains("Deleted : http://badexample.org/"));
  EXPECT_EQ(world.report.lines.back(), "Deleted 7 History Entries");
}

TEST(BrowserHistory, AHeldDatabaseIsNamedAndItsProfileSkippedWhileTheRestGoOn) {
  BrowserHistoryWorld world;
  world.Copy("firefox/Profiles/k3x8a1qz.default-release/places.sqlite",
             "Roaming/Mozilla/Firefox/Profiles/w7b2c9df.work/places.sqlite");
  const std::string held = world.Firefox("places.sqlite");
  const std::string other =
      world.Path("Roaming/Mozilla/Firefox/Profiles/w7b2c9df.work/places.sqlite");
  {
    const RunningFirefox running(held);
    EXPECT_EQ(CountBrowserHistoryPages(BrowserFamily::kFirefox, world.files, world.shell), 7);
    DirectRemoval direct;
    ClearBrowserHistory(BrowserFamily::kFirefox, world.files, world.shell, direct, world.report);
  }
  EXPECT_THAT(world.report.lines,
              Contains(AllOf(HasSubstr("Firefox (default-release) is open in its browser"),
                             HasSubstr("close Firefox"))));
  EXPECT_EQ(CountRows(held, "moz_historyvisits"), 8);
  EXPECT_EQ(CountRows(other, "moz_historyvisits"), 0);
  ExpectWhole(held);
}

// What the console's preview lists is what its clean then takes, and the preview
// changes nothing.
TEST(BrowserHistoryTargets, APreviewListsExactlyWhatTheCleanRemoves) {
  BrowserConsole console;
  console.world.InstallBrowsers();
  const std::string history = console.world.Path(std::string(kChromeDefault) + "/History");
  const std::string before = Bytes(history);
  FakeConsole preview;
  ASSERT_EQ(RunCommand(ParseArguments({"preview", "chromium-history", "firefox-history",
                                       "chromium-cache", "firefox-cache", "--json"}),
                       preview, console),
            kExitDone);
  EXPECT_EQ(Bytes(history), before);
  FakeConsole clean;
  ASSERT_EQ(RunCommand(ParseArguments({"clean", "chromium-history", "firefox-history",
                                       "chromium-cache", "firefox-cache", "--json"}),
                       clean, console),
            kExitDone);
  auto Items = [](const std::vector<std::string>& lines, const std::string& outcome) {
    std::vector<std::string> items;
    for (const std::string& line : lines) {
      if (line.ends_with("\"outcome\":\"" + outcome + "\"}"))
        items.push_back(line.substr(0, line.find(",\"outcome\"")));
    }
    return items;
  };
  EXPECT_EQ(Items(preview.out, "planned"), Items(clean.out, "removed"));
  EXPECT_THAT(Items(clean.out, "removed"), Contains(HasSubstr("http://shop.test/cart")));
  EXPECT_THAT(Items(clean.out, "removed"), Contains(HasSubstr("Visited Links")));
  EXPECT_EQ(CountRows(history, "visits"), 0);
}

TEST(BrowserHistoryTargets, AHeldHistoryFailsItsTargetByName) {
  BrowserConsole console;
  console.world.InstallBrowsers();
  const std::string places = console.world.Path(std::string(kFirefoxRelease) + "/places.sqlite");
  FakeConsole out;
  {
    const RunningFirefox running(places);
    EXPECT_EQ(RunCommand(ParseArguments({"clean", "firefox-history", "chromium-history", "--json"}),
                         out, console),
              kExitFailed);
  }
  EXPECT_THAT(out.out,
              Contains(AllOf(HasSubstr("\"error\""), HasSubstr("Firefox (default-release)"))));
  EXPECT_EQ(CountRows(console.world.Path(std::string(kChromeDefault) + "/History"), "visits"), 0);
}

}  // namespace
}  // namespace quillmere
