#include "platform/win32/Win32Files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

namespace quillmere::win32 {
namespace {

class Win32FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    folder = std::string(temp) + "quillmere-files-test";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::ofstream(folder + "\\a.txt") << "a";
    std::ofstream(folder + "\\b.txt") << "b";
    CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
  }
  void TearDown() override {
    SetFileAttributesA((folder + "\\b.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((folder + "\\a.txt").c_str());
    DeleteFileA((folder + "\\b.txt").c_str());
    RemoveDirectoryA((folder + "\\sub").c_str());
    RemoveDirectoryA(folder.c_str());
  }

  std::vector<std::string> Names(const std::string& pattern) {
    std::vector<std::string> names;
    const auto search = files.Search(pattern);
    while (const auto entry = search->Next()) names.push_back(entry->name);
    std::sort(names.begin(), names.end());
    return names;
  }

  Win32Files files;
  std::string folder;
};

TEST_F(Win32FilesTest, SearchListsEveryEntryWithItsAttributes) {
  EXPECT_EQ(Names(folder + "\\*.*"),
            (std::vector<std::string>{".", "..", "a.txt", "b.txt", "sub"}));
  EXPECT_EQ(Names(folder + "\\a.txt"), (std::vector<std::string>{"a.txt"}));
  EXPECT_TRUE(Names(folder + "\\missing\\*.*").empty());
  EXPECT_EQ(files.Attributes(folder + "\\sub").value_or(0) & kAttributeDirectory,
            kAttributeDirectory);
  EXPECT_FALSE(files.Attributes(folder + "\\missing"));
}

TEST_F(Win32FilesTest, RemoveFileReportsWhetherTheFileWent) {
  SetFileAttributesA((folder + "\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(files.RemoveFile(folder + "\\a.txt"));
  EXPECT_FALSE(files.RemoveFile(folder + "\\a.txt"));
  EXPECT_FALSE(files.RemoveFile(folder + "\\b.txt"));
  EXPECT_FALSE(files.RemoveFile(folder + "\\sub"));
  EXPECT_TRUE(files.Attributes(folder + "\\b.txt"));
}

// A file is written whole, a shorter text leaving nothing of a longer one, and read
// back only within the size asked.
TEST_F(Win32FilesTest, WriteFileReplacesTheWholeFileAndReadFileKeepsToTheLimit) {
  const std::string path = folder + "\\a.txt";
  EXPECT_TRUE(files.WriteFile(path, "[One]\r\nTop=5\r\n"));
  EXPECT_TRUE(files.WriteFile(path, "[One]\r\n"));
  EXPECT_EQ(files.ReadFile(path, 100), "[One]\r\n");
  EXPECT_FALSE(files.ReadFile(path, 3)) << "larger than the limit";
  EXPECT_FALSE(files.ReadFile(folder + "\\missing.txt", 100));
  EXPECT_FALSE(files.WriteFile(folder + "\\missing\\panel.ini", "[One]\r\n"));
}

TEST_F(Win32FilesTest, TheCurrentDriveHasASizeAndFreeSpace) {
  const DriveSpace space = files.CurrentDriveSpace();
  EXPECT_GT(space.totalBytes, 0);
  EXPECT_GE(space.freeBytes, 0);
  EXPECT_LE(space.freeBytes, space.totalBytes);
}

}  // namespace
}  // namespace quillmere::win32
