#include "cleaners/ShellCleaners.h"

#include <gtest/gtest.h>

#include "tests/fakes/FakeShell.h"

namespace quillmere {
namespace {

TEST(EmptyRecycleBin, AsksSilentlyAndSpeaksOnlyWhenTheLibraryIsMissing) {
  testing::FakeShell shell;
  EXPECT_EQ(EmptyRecycleBin(shell, 0x1234), std::nullopt);
  EXPECT_EQ(shell.emptyCalls, 1);
  EXPECT_EQ(shell.lastEmptyFlags, 7u);

  shell.emptyResult = EmptyRecycleBinResult::kFunctionMissing;
  EXPECT_EQ(EmptyRecycleBin(shell, 0), std::nullopt);

  shell.emptyResult = EmptyRecycleBinResult::kLibraryMissing;
  EXPECT_EQ(EmptyRecycleBin(shell, 0), "Failed to load Shell32.dll.");
}

TEST(ClearRecentDocuments, IsOneShellRequest) {
  testing::FakeShell shell;
  ClearRecentDocuments(shell);
  EXPECT_EQ(shell.clearRecentCalls, 1);
  EXPECT_EQ(shell.emptyCalls, 0);
}

}  // namespace
}  // namespace quillmere
