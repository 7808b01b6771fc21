#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "cleaners/ShellCleaners.h"
#include "platform/win32/Win32Shell.h"
#include "tests/support/CleanerTestSupport.h"
#include "tests/support/Matchers.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

TEST(RealShellCleaners, EmptyRecycleBinEmptiesTheSandboxesBin) {
  const std::string folder = "C:\\quillmere-bin-test";
  MakeFolders(folder);
  WriteFile(folder + "\\doomed.txt", "recycled for the test");
  WriteFile(folder + "\\kept.txt");
  Recycle(folder + "\\doomed.txt");
  ASSERT_FALSE(PathExists(folder + "\\doomed.txt"));
  // Wine's bin is the Trash of the sandbox's own home.
  const std::string trash = std::string(std::getenv("XDG_DATA_HOME")) + "/Trash/files";
  ASSERT_GT(RecycleBinBytes(), 0) << trash;

  win32::Win32Shell shell;
  // The bin's own folder names each item where it was deleted from.
  std::vector<std::string> listed;
  for (const ShellItem& item : shell.RecycleBinItems()) listed.push_back(item.path);
  EXPECT_THAT(listed, Contains(folder + "\\doomed.txt"));
  EXPECT_EQ(EmptyRecycleBin(shell, 0), std::nullopt);

  EXPECT_EQ(RecycleBinBytes(), 0);
  EXPECT_THAT(shell.RecycleBinItems(), IsEmpty());
  EXPECT_TRUE(PathExists(folder + "\\kept.txt"));
  RemoveTree(folder);
}

std::vector<std::string> ShortcutsIn(const std::string& folder) {
  return FilesMatching(folder + "\\*.lnk");
}

TEST(RealShellCleaners, ClearRecentDocumentsRemovesTheShortcutsAndNothingElse) {
  const std::string recent = RecentFolder();
  ASSERT_FALSE(recent.empty());
  MakeFolders(recent + "\\Quillmere sub");
  MakeFolders(recent + "\\folder.lnk");
  WriteFile(recent + "\\Quillmere sub\\inner.lnk");
  WriteFile(recent + "\\Quillmere keep.txt");
  WriteFile(recent + "\\Quillmere made.lnk");
  const std::string document = "C:\\quillmere-recent-test\\report.txt";
  MakeFolders("C:\\quillmere-recent-test");
  WriteFile(document);
  SHAddToRecentDocs(SHARD_PATHA, document.c_str());
  ASSERT_FALSE(ShortcutsIn(recent).empty());
  std::vector<std::string> listed;
  for (const ShellItem& item : win32::Win32Shell().RecentDocuments()) listed.push_back(item.path);
  std::vector<std::string> shortcuts;
  for (const std::string& name : ShortcutsIn(recent)) shortcuts.push_back(recent + "\\" + name);
  EXPECT_THAT(listed, UnorderedElementsAreArray(shortcuts));

  ClearRecentDocuments(*std::make_unique<win32::Win32Shell>());

  EXPECT_THAT(ShortcutsIn(recent), IsEmpty());
  EXPECT_TRUE(PathExists(recent + "\\folder.lnk"));
  EXPECT_TRUE(PathExists(recent + "\\Quillmere sub\\inner.lnk"));
  EXPECT_TRUE(PathExists(recent + "\\Quillmere keep.txt"));
  EXPECT_TRUE(PathExists(document));
  RemoveTree(recent + "\\Quillmere sub");
  RemoveTree(recent + "\\folder.lnk");
  RemoveTree(recent + "\\Quillmere keep.txt");
  RemoveTree("C:\\quillmere-recent-test");
}

}  // namespace
}  // namespace quillmere
