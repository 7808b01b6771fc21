#include "cleaners/HistoryPurge.h"
#include "history/HistoryReport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeHistoryStore.h"
#include "tests/fakes/FakeLocaleTime.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeRunReport.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kHistory = "C:\\Users\\me\\History";

class HistoryPurgeTest : public ::testing::Test {
 protected:
  HistoryPurgeTest() : history(store, locale) {
    history.OnDelete = [this](const std::string&, const std::string& Url, TDateTime, TDateTime,
                              TDateTime,
                              bool& Delete) { ApproveHistoryDeletion(report, Url, Delete); };
  }

  void SeedHistoryFolder() {
    registry.SetText(kShellFolders, "History", kHistory);
    files.AddFolder("C:\\Users");
    files.AddFolder("C:\\Users\\me");
    files.AddFolder(kHistory, kAttributeDirectory | kAttributeSystem);
    files.AddFolder(std::string(kHistory) + "\\Today");
    files.AddFile(std::string(kHistory) + "\\Today\\index.dat");
    files.AddFile("C:\\Users\\me\\notes.txt");
  }

  FakeHistoryStore store;
  FakeLocaleTime locale;
  TUrlHistory history;
  FakeRegistry registry;
  FakeFiles files;
  FakeRunReport report;
};

TEST_F(HistoryPurgeTest, RemovesListedEntriesOffersTheRestClearsAndPurgesTheFolder) {
  store.Add("http://b.example/", "beta");
  store.Add("http://a.example/", "alpha");
  store.Add("http://late.example/", "gamma");
  store.failAfter = 2;  // the first reading sees two; the third is still there after
  SeedHistoryFolder();

  PurgeUrlHistory(history, registry, files, report);

  EXPECT_THAT(store.deletedUrls, ElementsAre("http://a.example/", "http://b.example/"));
  EXPECT_THAT(
      report.lines,
      ElementsAre("Enumerating History Files...", "Removing : http://late.example/ From Index.Dat",
                  "Removed : 1  Entries From Index.Dat", "Deleting History Files...",
                  "Deleting : index.dat", "Deleted !"));
  EXPECT_EQ(store.clears, 1);
  EXPECT_THAT(report.maxima, ElementsAre(2));
  EXPECT_THAT(report.positions, ElementsAre(0, 1, 0, 1, 0));
  EXPECT_TRUE(files.Exists(std::string(kHistory) + "\\Today"));
  EXPECT_TRUE(files.Exists("C:\\Users\\me\\notes.txt"));
}

TEST_F(HistoryPurgeTest, AnEmptyHistoryWithoutAFolderStillEndsNormally) {
  PurgeUrlHistory(history, registry, files, report);
  EXPECT_THAT(report.lines,
              ElementsAre("Enumerating History Files...", "Removed : 0  Entries From Index.Dat",
                          "Deleting History Files..."));
  EXPECT_THAT(report.maxima, ElementsAre(0));
  EXPECT_EQ(report.progressPosition, 0);
}

TEST_F(HistoryPurgeTest, AHistoryValueThatIsNoFolderPathDeletesNothing) {
  files.AddFolder("C:\\");
  files.AddFile("C:\\boot.ini");
  files.AddFolder("C:\\Users");
  files.AddFile("C:\\Users\\file.txt");
  for (const char* value : {"C:\\", "Z:\\", "C:", "Users", "\\Users", "C:\\Users\\..",
                            "C:\\Users\\.\\", "\\\\server\\share", "C:\\Users\\*"}) {
    report.lines.clear();
    registry.SetText(kShellFolders, "History", value);
    PurgeUrlHistory(history, registry, files, report);
    EXPECT_THAT(report.lines,
                ElementsAre("Enumerating History Files...", "Removed : 0  Entries From Index.Dat",
                            "Deleting History Files...", "Error Removing Data From Index.Dat"))
        << value;
  }
  EXPECT_THAT(files.removed, IsEmpty());

  report.lines.clear();
  registry.SetValue(kShellFolders, "History", {4, std::string(4, '\0')});
  PurgeUrlHistory(history, registry, files, report);
  EXPECT_EQ(report.lines.back(), "Error Removing Data From Index.Dat");
  EXPECT_EQ(store.clears, 10);  // the store was cleared before the folder was read
}

TEST(HistoryFolderPath, NamesAFolderBelowARootOrAShare) {
  for (const char* good : {"C:\\Users\\me\\History", "c:\\History\\", "D:\\a b\\History.IE5",
                           "\\\\server\\share\\History"}) {
    EXPECT_TRUE(IsHistoryFolderPath(good)) << good;
  }
  for (const char* bad : {"",
                          "C:\\",
                          "Z:\\",
                          "C:",
                          "C:History",
                          "History",
                          "\\History",
                          "C:\\\\",
                          "C:\\a\\\\b",
                          "C:\\a\\..",
                          "C:\\.",
                          "C:\\...",
                          "C:\\Users.",
                          "C:\\Users \\History",
                          "\\\\server\\share\\",
                          "\\\\server",
                          "C:/Users/me",
                          "C:\\a\\*",
                          "C:\\a\\b?",
                          "1:\\a",
                          "\\\\?\\C:\\a"}) {
    EXPECT_FALSE(IsHistoryFolderPath(bad)) << bad;
  }
}

TEST(GetHistoryFolder, ReadsTheTextAsStored) {
  FakeRegistry registry;
  EXPECT_EQ(GetHistoryFolder(registry), "");
  registry.AddKey(kShellFolders);
  EXPECT_EQ(GetHistoryFolder(registry), "");
  registry.SetValue(kShellFolders, "History", {kRegistryExpandString, "%APPDATA%\\History"});
  EXPECT_EQ(GetHistoryFolder(registry), "%APPDATA%\\History");
  registry.SetValue(kShellFolders, "History", {3, "C:\\"});
  EXPECT_THROW(GetHistoryFolder(registry), std::runtime_error);
  EXPECT_EQ(registry.openKeys, 0);
}

class IndexReportTest : public HistoryPurgeTest {};

TEST_F(IndexReportTest, ListsEveryEntryByTitleBetweenItsLines) {
  store.Add("http://b.example/", "beta", 0, 0, FileTimeOf({2024, 6, 1, 14, 30, 0}));
  store.Add("http://n.example/", "", 0, 0, FileTimeOf({2024, 6, 1, 0, 0, 0}));
  store.Add("http://a.example/", "Alpha", 0, 0, 0);

  ReportUrlHistory(history, locale, report);

  EXPECT_THAT(report.lines,
              ElementsAre("Reading Index.Dat...", "  ", " : http://n.example/ : Expires - 6/1/2024",
                          "Alpha : http://a.example/ : Expires - 12/30/1899",
                          "beta : http://b.example/ : Expires - 6/1/2024 2:30:00 PM", "  ", "  ",
                          "Index.dat Report Finished!"));
  EXPECT_THAT(report.positions, ElementsAre(0, 1, 2, 0));
  EXPECT_TRUE(store.deletedUrls.empty());
}

TEST_F(IndexReportTest, AnEmptyHistoryAndAFailure) {
  ReportUrlHistory(history, locale, report);
  EXPECT_THAT(report.lines,
              ElementsAre("Reading Index.Dat...", "  ", "  ", "  ", "Index.dat Report Finished!"));
  report.lines.clear();
  store.Add("http://a.example/", "a", 0, 0, FileTimeOf({2024, 6, 1, 14, 30, 0}));
  locale.formatFails = true;
  ReportUrlHistory(history, locale, report);
  EXPECT_THAT(report.lines,
              ElementsAre("Reading Index.Dat...", "  ", "Failed to Create Index.dat Report!"));
}

}  // namespace
}  // namespace quillmere
