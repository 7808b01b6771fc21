#include "cleaners/FolderPurge.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeRunReport.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

constexpr std::uint32_t kLink = kAttributeDirectory | kAttributeReparsePoint;

class PurgeFolderTest : public ::testing::Test {
 protected:
  FakeFiles files;
  FakeRunReport report;
};

TEST_F(PurgeFolderTest, DeletesFilesDepthFirstAndKeepsEveryFolder) {
  files.AddFolder("C:\\t");
  files.AddFile("C:\\t\\a.txt");
  files.AddFolder("C:\\t\\sub");
  files.AddFile("C:\\t\\sub\\b.txt");
  files.AddFolder("C:\\t\\sub\\deeper");
  files.AddFile("C:\\t\\sub\\deeper\\c.txt");
  files.AddFolder("C:\\t\\empty");
  files.AddFile("C:\\t\\z.txt");

  PurgeFolder(files, report, "C:\\t");

  EXPECT_THAT(report.lines,
              ElementsAre("Deleting : a.txt", "Deleted !", "Deleting : b.txt", "Deleted !",
                          "Deleting : c.txt", "Deleted !", "Deleting : z.txt", "Deleted !"));
  for (const char* folder : {"C:\\t", "C:\\t\\sub", "C:\\t\\sub\\deeper", "C:\\t\\empty"}) {
    EXPECT_TRUE(files.Exists(folder)) << folder;
  }
  EXPECT_EQ(files.openSearches, 0);
  EXPECT_EQ(files.maxOpenSearches, 3);
  EXPECT_THAT(report.maxima, IsEmpty());
}

TEST_F(PurgeFolderTest, AFolderThatCannotBeListedIsNamedAndThePurgeGoesOn) {
  files.AddFolder("C:\\t");
  files.AddFolder("C:\\t\\locked");
  files.AddFile("C:\\t\\locked\\kept.txt");
  files.AddFile("C:\\t\\after.txt");
  files.unlistable = {"c:\\t\\locked"};

  PurgeFolder(files, report, "C:\\t");

  EXPECT_THAT(report.lines,
              ElementsAre("Could Not Delete : locked", "Deleting : after.txt", "Deleted !"));
  EXPECT_TRUE(files.Exists("C:\\t\\locked\\kept.txt"));

  report.lines.clear();
  files.unlistable = {"c:\\t"};
  PurgeFolder(files, report, "C:\\t\\");
  EXPECT_THAT(report.lines, ElementsAre("Could Not Delete : t"));
}

TEST_F(PurgeFolderTest, ATrailingBackslashMakesNoDifference) {
  files.AddFolder("C:\\t");
  files.AddFile("C:\\t\\a.txt");
  PurgeFolder(files, report, "C:\\t\\");
  EXPECT_THAT(files.removed, ElementsAre("C:\\t\\a.txt"));
}

TEST_F(PurgeFolderTest, FoldersWithAnyOtherAttributeAndProtectedFilesAreReportedAndKept) {
  files.AddFolder("C:\\t");
  files.AddFolder("C:\\t\\hidden", kAttributeDirectory | kAttributeHidden);
  files.AddFile("C:\\t\\hidden\\inside.txt");
  files.AddFolder("C:\\t\\archived", kAttributeDirectory | kAttributeArchive);
  files.AddFile("C:\\t\\archived\\inside.txt");
  files.AddFile("C:\\t\\locked.txt", kAttributeReadOnly);
  files.AddFile("C:\\t\\inuse.txt");
  files.undeletable.insert("c:\\t\\inuse.txt");

  PurgeFolder(files, report, "C:\\t");

  EXPECT_THAT(report.lines, ElementsAre("Deleting : hidden", "Could Not Delete : hidden",
                                        "Deleting : archived", "Could Not Delete : archived",
                                        "Deleting : locked.txt", "Could Not Delete : locked.txt",
                                        "Deleting : inuse.txt", "Could Not Delete : inuse.txt"));
  EXPECT_TRUE(files.Exists("C:\\t\\hidden\\inside.txt"));
  EXPECT_TRUE(files.Exists("C:\\t\\archived\\inside.txt"));
  EXPECT_THAT(files.removed, IsEmpty());
}

TEST_F(PurgeFolderTest, NothingBehindALinkIsTouched) {
  // The fake cannot alias folders; what a link would show is placed below it, and
  // every path the purge deletes must lie below the purged folder and not behind one.
  files.AddFolder("C:\\t");
  files.AddFolder("C:\\t\\link", kLink);
  files.AddFile("C:\\t\\link\\canary.txt");
  files.AddFolder("C:\\t\\junction", kLink | kAttributeSystem);
  files.AddFile("C:\\t\\junction\\canary.txt");
  files.AddFile("C:\\t\\plain.txt");
  files.AddFolder("C:\\elsewhere");
  files.AddFile("C:\\elsewhere\\canary.txt");

  PurgeFolder(files, report, "C:\\t");

  EXPECT_THAT(files.removed, ElementsAre("C:\\t\\plain.txt"));
  EXPECT_THAT(report.lines,
              ElementsAre("Deleting : link", "Could Not Delete : link", "Deleting : junction",
                          "Could Not Delete : junction", "Deleting : plain.txt", "Deleted !"));
  EXPECT_EQ(files.maxOpenSearches, 1);
}

TEST_F(PurgeFolderTest, AStartingFolderThatIsALinkIsNotEntered) {
  files.AddFolder("C:\\AOL20\\CACHE", kLink);
  files.AddFile("C:\\AOL20\\CACHE\\canary.txt");
  PurgeFolder(files, report, "C:\\AOL20\\CACHE");
  EXPECT_TRUE(files.Exists("C:\\AOL20\\CACHE\\canary.txt"));
  EXPECT_THAT(report.lines, IsEmpty());
}

TEST(FileAndFolderTests, TellFoldersFromFiles) {
  FakeFiles files;
  files.AddFolder("C:\\f", kAttributeDirectory | kAttributeHidden);
  files.AddFile("C:\\f\\x.txt", kAttributeHidden | kAttributeReadOnly);
  EXPECT_TRUE(FolderExists(files, "C:\\f"));
  EXPECT_FALSE(FolderExists(files, "C:\\f\\x.txt"));
  EXPECT_FALSE(FolderExists(files, "C:\\missing"));
  EXPECT_TRUE(FileExists(files, "C:\\f\\x.txt"));
  EXPECT_FALSE(FileExists(files, "C:\\f"));
  EXPECT_FALSE(FileExists(files, "C:\\f\\missing.txt"));
  EXPECT_EQ(files.openSearches, 0);
}

// Every Netscape path of the cleaner, seeded.
void SeedNetscape(FakeFiles& files) {
  for (const char* folder :
       {"C:\\Program Files", "C:\\Program Files\\Netscape", "C:\\Program Files\\Netscape\\Cache",
        "C:\\Program Files\\Netscape\\Navigator", "C:\\Program Files\\Netscape\\Navigator\\Cache",
        "C:\\Program Files\\Netscape\\Users", "C:\\Program Files\\Netscape\\Users\\default",
        "C:\\Program Files\\Netscape\\Users\\default\\Cache",
        "C:\\Program Files\\Netscape\\Navigator\\Mail",
        "C:\\Program Files\\Netscape\\Navigator\\Mail\\Trash",
        "C:\\Program Files\\Netscape\\Navigator\\Mail\\Sent",
        "C:\\Program Files\\Netscape\\Users\\default\\Mail",
        "C:\\Program Files\\Netscape\\Users\\default\\Mail\\Trash",
        "C:\\Program Files\\Netscape\\Users\\default\\Mail\\Sent"}) {
    files.AddFolder(folder);
  }
  files.AddFile("C:\\Program Files\\Netscape\\Cache\\c1");
  files.AddFile("C:\\Program Files\\Netscape\\Navigator\\Cache\\c2");
  files.AddFile("C:\\Program Files\\Netscape\\Users\\default\\Cache\\c3");
  files.AddFile("C:\\Program Files\\Netscape\\Users\\default\\Netscape.hst");
  files.AddFile("C:\\Program Files\\Netscape\\Users\\default\\cookies.txt");
  files.AddFile("C:\\Program Files\\Netscape\\Users\\default\\history.dat");
  files.AddFile("C:\\Program Files\\Netscape\\Navigator\\Netscape.hst");
  files.AddFile("C:\\Program Files\\Netscape\\Navigator\\cookies.txt");
  files.AddFile("C:\\Program Files\\Netscape\\Navigator\\Mail\\Trash\\m9");
  files.AddFile("C:\\Program Files\\Netscape\\Navigator\\Mail\\Sent\\m10");
  files.AddFile("C:\\Program Files\\Netscape\\Users\\default\\Mail\\Trash\\m11");
  files.AddFile("C:\\Program Files\\Netscape\\Users\\default\\Mail\\Sent\\m12");
}

TEST(CleanNetscape, WithoutAnInstallationWritesItsTwoLines) {
  FakeFiles files;
  FakeRunReport report;
  CleanNetscape(files, report);
  EXPECT_THAT(report.lines, ElementsAre("Clearing Netscape History Files...", "NetScape Clean!"));
}

TEST(CleanNetscape, WorksThroughItsTwelveStepsInOrderAndTouchesNothingElse) {
  FakeFiles files;
  SeedNetscape(files);
  files.AddFolder("C:\\Program Files\\Netscape\\Users\\other");
  files.AddFile("C:\\Program Files\\Netscape\\Users\\other\\cookies.txt");
  files.AddFile("C:\\Program Files\\Netscape\\Users\\default\\bookmarks.htm");
  files.AddFolder("C:\\Documents");
  files.AddFile("C:\\Documents\\Netscape.hst");
  files.AddFile("C:\\Documents\\history.dat");
  FakeRunReport report;

  CleanNetscape(files, report);

  EXPECT_THAT(files.removed,
              ElementsAre("C:\\Program Files\\Netscape\\Cache\\c1",
                          "C:\\Program Files\\Netscape\\Navigator\\Cache\\c2",
                          "C:\\Program Files\\Netscape\\Users\\default\\Cache\\c3",
                          "C:\\Program Files\\Netscape\\Users\\default\\Netscape.hst",
                          "C:\\Program Files\\Netscape\\Users\\default\\cookies.txt",
                          "C:\\Program Files\\Netscape\\Users\\default\\history.dat",
                          "C:\\Program Files\\Netscape\\Navigator\\Netscape.hst",
                          "C:\\Program Files\\Netscape\\Navigator\\cookies.txt",
                          "C:\\Program Files\\Netscape\\Navigator\\Mail\\Trash\\m9",
                          "C:\\Program Files\\Netscape\\Navigator\\Mail\\Sent\\m10",
                          "C:\\Program Files\\Netscape\\Users\\default\\Mail\\Trash\\m11",
                          "C:\\Program Files\\Netscape\\Users\\default\\Mail\\Sent\\m12"));
  // The single files go silently; only the purged folders report.
  EXPECT_THAT(report.lines, ElementsAre("Clearing Netscape History Files...", "Deleting : c1",
                                        "Deleted !", "Deleting : c2", "Deleted !", "Deleting : c3",
                                        "Deleted !", "Deleting : m9", "Deleted !", "Deleting : m10",
                                        "Deleted !", "Deleting : m11", "Deleted !",
                                        "Deleting : m12", "Deleted !", "NetScape Clean!"));
  EXPECT_TRUE(files.Exists("C:\\Program Files\\Netscape\\Users\\default\\Cache"));
}

TEST(CleanNetscape, AFilePathThatNamesAFolderIsLeftAlone) {
  FakeFiles files;
  files.AddFolder("C:\\Program Files\\Netscape\\Navigator\\cookies.txt");
  files.AddFile("C:\\Program Files\\Netscape\\Navigator\\cookies.txt\\inside");
  FakeRunReport report;
  CleanNetscape(files, report);
  EXPECT_THAT(files.removed, IsEmpty());
  EXPECT_THAT(report.lines, ElementsAre("Clearing Netscape History Files...", "NetScape Clean!"));
}

TEST(CleanNetscape, AFileThatStaysIsNamedBeforeTheClosingLine) {
  FakeFiles files;
  SeedNetscape(files);
  files.undeletable = {"c:\\program files\\netscape\\navigator\\cookies.txt"};
  FakeRunReport report;
  CleanNetscape(files, report);
  EXPECT_THAT(report.lines,
              ::testing::Contains(
                  "Could Not Delete : c:\\Program Files\\Netscape\\Navigator\\cookies.txt"));
  EXPECT_EQ(report.lines.back(), "NetScape Clean!");
  EXPECT_EQ(files.removed.size(), 11u);  // the other eleven steps still went
}

TEST(CleanAol, WritesEveryVersionsLinesWhetherOrNotItsFolderExists) {
  FakeFiles files;
  files.AddFolder("C:\\AOL30\\CACHE");
  files.AddFile("C:\\AOL30\\CACHE\\page.htm");
  files.AddFolder("C:\\AOL60\\CACHE");
  files.AddFile("C:\\AOL60\\CACHE\\image.gif");
  files.AddFolder("C:\\AOL40");
  files.AddFile("C:\\AOL40\\CACHE");  // a file, not a cache folder
  FakeRunReport report;

  CleanAol(files, report);

  EXPECT_THAT(report.lines,
              ElementsAre("Clearing AOL 2.0 History Files...", "AOL 2.0 Clean!",
                          "Clearing AOL 3.0 History Files...", "Deleting : page.htm", "Deleted !",
                          "AOL 3.0 Clean!", "Clearing AOL 4.0 History Files...", "AOL 4.0 Clean!",
                          "Clearing AOL 5.0 History Files...", "AOL 5.0 Clean!",
                          "Deleting : image.gif", "Deleted !", "AOL 6.0 Clean!"));
  EXPECT_TRUE(files.Exists("C:\\AOL40\\CACHE"));
}

// A file system that fails once it is asked about `failAt`.
class FailingFiles final : public Files {
 public:
  explicit FailingFiles(FakeFiles& files, std::string failAt) : files_(files), failAt_(failAt) {}
  std::unique_ptr<DirectorySearch> Search(const std::string& pattern) const override {
    Check(pattern);
    return files_.Search(pattern);
  }
  bool RemoveFile(const std::string& path) override { return files_.RemoveFile(path); }
  std::optional<std::uint32_t> Attributes(const std::string& path) const override {
    Check(path);
    return files_.Attributes(path);
  }
  DriveSpace CurrentDriveSpace() const override { return {}; }
  std::optional<std::string> ReadFile(const std::string& path, std::size_t limit) const override {
    return files_.ReadFile(path, limit);
  }
  bool WriteFile(const std::string& path, std::string_view content) override {
    return files_.WriteFile(path, content);
  }

 private:
  void Check(const std::string& path) const {
    if (path.starts_with(failAt_)) throw std::runtime_error("device not ready");
  }
  FakeFiles& files_;
  std::string failAt_;
};

TEST(CleanNetscape, AnErrorEndsTheTaskWithItsOwnLine) {
  FakeFiles files;
  SeedNetscape(files);
  FailingFiles failing(files, "c:\\Program Files\\Netscape\\Users\\default\\cookies.txt");
  FakeRunReport report;
  CleanNetscape(failing, report);
  EXPECT_EQ(report.lines.back(), "Error Removing NetScape Files");
  EXPECT_EQ(files.removed.size(), 4u);  // steps 1 to 4 done, 5 to 12 skipped
  EXPECT_TRUE(files.Exists("C:\\Program Files\\Netscape\\Users\\default\\Mail\\Sent\\m12"));
}

TEST(CleanAol, AnErrorEndsTheTaskWithItsOwnLine) {
  FakeFiles files;
  files.AddFolder("C:\\AOL50\\CACHE");
  files.AddFile("C:\\AOL50\\CACHE\\page.htm");
  FailingFiles failing(files, "C:\\AOL40");
  FakeRunReport report;
  CleanAol(failing, report);
  EXPECT_THAT(report.lines,
              ElementsAre("Clearing AOL 2.0 History Files...", "AOL 2.0 Clean!",
                          "Clearing AOL 3.0 History Files...", "AOL 3.0 Clean!",
                          "Clearing AOL 4.0 History Files...", "Error Removing AOL Files"));
  EXPECT_TRUE(files.Exists("C:\\AOL50\\CACHE\\page.htm"));
}

}  // namespace
}  // namespace quillmere
