// Quillmere.exe itself, started as a user starts it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/EraserForm.h"
#include "common/ProgramCursors.h"
#include "toolkit/Controls.h"
#include "platform/win32/Handles.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/StartedProgram.h"

namespace quillmere {
namespace {

using UniqueProcessHandle = win32::UniqueKernelHandle;

std::string ProgramPath() { return testing::TestProgramFolder() + QUILLMERE_EXE_FROM_TESTS; }

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(testing::StartProgram("\"" + ProgramPath() + "\"", info));
    process.reset(info.hProcess);
    CloseHandle(info.hThread);
    id = info.dwProcessId;
    mainWindow = testing::WaitForWindow(id, "TEraserForm");
    ASSERT_NE(mainWindow, nullptr);
  }
  void TearDown() override {
    if (process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(process.get(), 1);
    }
  }

  DWORD ExitCodeAfterClosing(int closeButton) {
    PostMessageA(mainWindow, WM_COMMAND, closeButton, 0);
    if (WaitForSingleObject(process.get(), 20000) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.get(), &code);
    return code;
  }

  UniqueProcessHandle process;
  DWORD id = 0;
  HWND mainWindow = nullptr;
};

TEST_F(ProgramTest, ShowsTheMainWindowAndKeepsTheActivityWindowHidden) {
  EXPECT_EQ(win32::WindowText(mainWindow).rfind("Quillmere : ", 0), 0u);
  const HWND activity = testing::WaitForWindow(id, "TActiveForm");
  ASSERT_NE(activity, nullptr);
  EXPECT_FALSE(IsWindowVisible(activity));
  EXPECT_TRUE(GetWindowLongA(activity, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(ExitCodeAfterClosing(ToolButton6), 0u);
}

TEST_F(ProgramTest, TheTaskPageCloseButtonEndsTheProgramToo) {
  EXPECT_EQ(ExitCodeAfterClosing(ToolButton12), 0u);
}

// The cookie list shows the program's own pointing hand over links, from the
// program's resources.
TEST(ProgramResources, QuillmereCarriesTheLinkCursor) {
  const win32::UniqueModule program(
      LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(program);
  EXPECT_TRUE(FindResourceA(program.get(), MAKEINTRESOURCEA(IDC_LINK_HAND), RT_GROUP_CURSOR));
}

}  // namespace
}  // namespace quillmere
