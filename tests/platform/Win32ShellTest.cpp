#include "platform/win32/Win32Shell.h"

#include <gtest/gtest.h>

#include "common/FuncUnit.h"

namespace quillmere::win32 {
namespace {

TEST(Win32Shell, AsksALoadedLibraryForItsVersion) {
  const auto version = Win32Shell().GetDllVersion("shlwapi.dll");
  ASSERT_TRUE(version);
  EXPECT_EQ(version->size, 20u);
  EXPECT_GE(version->major, 5u);
}

TEST(Win32Shell, AMissingLibraryOrFunctionGivesNoVersion) {
  EXPECT_FALSE(Win32Shell().GetDllVersion("no-such-library.dll"));
  EXPECT_FALSE(Win32Shell().GetDllVersion("kernel32.dll"));  // has no DllGetVersion
}

TEST(Win32Shell, ShlwapiMajorVersionComesFromTheRealLibrary) {
  GetShlwapiVersion(Win32Shell());
  EXPECT_EQ(ShlwapiMajorVersion, Win32Shell().GetDllVersion("shlwapi.dll")->major);
}

TEST(Win32Shell, TheRecycleBinQueryFindsShell32) {
  const auto size = Win32Shell().QueryRecycleBinSize("C:\\WINDOWS\\SYSTEM32");
  ASSERT_TRUE(size);
  EXPECT_GE(*size, 0);
}

}  // namespace
}  // namespace quillmere::win32
