#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "cleaners/FolderPurge.h"
#include "platform/win32/Win32Files.h"
#include "tests/fakes/FakeRunReport.h"
#include "tests/support/CleanerTestSupport.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

class RealFolderPurgeTest : public ::testing::Test {
 protected:
  win32::Win32Files files;
  FakeRunReport report;
};

TEST_F(RealFolderPurgeTest, KeepsEveryFolderAndWhatCannotGo) {
  const std::string base = "C:\\quillmere-purge-test";
  RemoveTree(base);
  const std::string tree = base + "\\tree";
  MakeFolders(tree + "\\sub\\deeper");
  MakeFolders(tree + "\\empty");
  MakeFolders(tree + "\\hidden");
  MakeFolders(base + "\\sibling");
  WriteFile(tree + "\\a.txt");
  WriteFile(tree + "\\sub\\b.txt");
  WriteFile(tree + "\\sub\\deeper\\c.txt");
  WriteFile(tree + "\\hidden\\secret.txt");
  WriteFile(tree + "\\locked.txt");
  WriteFile(base + "\\sibling\\canary.txt");
  WriteFile(base + "\\canary.txt");
  ASSERT_TRUE(SetFileAttributesA((tree + "\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesA((tree + "\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));

  PurgeFolder(files, report, tree);

  for (const char* folder : {"", "\\sub", "\\sub\\deeper", "\\empty", "\\hidden"}) {
    EXPECT_TRUE(PathExists(tree + folder)) << folder;
  }
  for (const char* gone : {"\\a.txt", "\\sub\\b.txt", "\\sub\\deeper\\c.txt"}) {
    EXPECT_FALSE(PathExists(tree + gone)) << gone;
  }
  for (const std::string& kept : {tree + "\\hidden\\secret.txt", tree + "\\locked.txt",
                                  base + "\\sibling\\canary.txt", base + "\\canary.txt"}) {
    EXPECT_TRUE(PathExists(kept)) << kept;
  }
  EXPECT_THAT(report.lines, Contains("Could Not Delete : hidden"));
  EXPECT_THAT(report.lines, Contains("Could Not Delete : locked.txt"));
  EXPECT_THAT(report.lines, Contains("Deleting : c.txt"));
  EXPECT_EQ(std::count(report.lines.begin(), report.lines.end(), "Deleted !"), 3);
  RemoveTree(base);
}

TEST_F(RealFolderPurgeTest, ASymbolicLinkToAFolderIsNotFollowed) {
  // Made from the Linux side by make-cleaner-links.sh before this program runs.
  const std::string base = "C:\\quillmere-link-test";
  const std::string link = base + "\\purged\\link";
  ASSERT_TRUE(PathExists(link)) << "run through ctest, whose set-up makes the link";
  ASSERT_EQ(GetFileAttributesA(link.c_str()),
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
  ASSERT_TRUE(PathExists(base + "\\purged\\link\\canary1.txt"));  // the link does lead there

  PurgeFolder(files, report, base + "\\purged");

  EXPECT_FALSE(PathExists(base + "\\purged\\plain.txt"));
  EXPECT_TRUE(PathExists(base + "\\target\\canary1.txt"));
  EXPECT_TRUE(PathExists(base + "\\target\\inner\\canary2.txt"));
  EXPECT_THAT(report.lines, Contains("Could Not Delete : link"));
  EXPECT_THAT(report.lines, ::testing::Not(Contains("Deleting : canary1.txt")));

  // Given the link itself, the purge does not enter it either.
  report.lines.clear();
  if (PathExists(link)) PurgeFolder(files, report, link);
  EXPECT_THAT(report.lines, IsEmpty());
  EXPECT_TRUE(PathExists(base + "\\target\\canary1.txt"));
}

}  // namespace
}  // namespace quillmere
