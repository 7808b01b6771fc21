#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/CleanerTestSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "helpers/Sandbox.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

// This process's environment block with one variable set to another value.
std::string EnvironmentWith(const std::string& name, const std::string& value) {
  std::string block;
  char* const strings = GetEnvironmentStringsA();
  for (const char* entry = strings; *entry; entry += std::strlen(entry) + 1) {
    if (!std::string(entry).starts_with(name + "=")) block.append(entry).push_back('\0');
  }
  FreeEnvironmentStringsA(strings);
  block.append(name + "=" + value).push_back('\0');
  block.push_back('\0');
  return block;
}

// The guard itself: this very test program, started with a recycle bin outside the
// sandbox in its environment and asked to run the test that empties the bin, runs
// nothing, and the file in the bin stays.
TEST(SandboxGuard, AProgramOutsideTheSandboxRunsNoTestAndChangesNothing) {
  const std::string folder = "C:\\quillmere-guard-test";
  MakeFolders(folder);
  WriteFile(folder + "\\kept.txt", "must outlive the refused run");
  Recycle(folder + "\\kept.txt");
  const auto before = RecycleBinBytes();
  ASSERT_GT(before, 0);

  std::string environment = EnvironmentWith("XDG_DATA_HOME", "/nowhere/outside/the/sandbox");
  EXPECT_EQ(ExitCodeOfProgram(
                "\"" + TestProgramFile() +
                    "\" --gtest_filter=RealShellCleaners.EmptyRecycleBinEmptiesTheSandboxesBin",
                60000, &environment),
            static_cast<DWORD>(kRefusedOutsideSandbox));
  EXPECT_EQ(RecycleBinBytes(), before);
  SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
  RemoveTree(folder);
}

// The sample traces of a newcomer's first run are made in scripts/run's sandbox
// alone: started in the tests' sandbox, the seeding program refuses and makes none.
TEST(SandboxGuard, TheSampleTracesAreMadeOnlyInTheRunSandbox) {
  EXPECT_EQ(ExitCodeOfProgram("\"" + TestProgramFolder() + "seed_traces.exe\"", 60000),
            static_cast<DWORD>(kRefusedOutsideSandbox));
  EXPECT_FALSE(PathExists("C:\\AOL40\\CACHE\\ART\\logo.art"));
  EXPECT_FALSE(PathExists("C:\\Program Files\\Netscape\\Users\\default\\Mail\\Trash"));
}

}  // namespace
}  // namespace quillmere
