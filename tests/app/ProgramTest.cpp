// Quillmere.exe itself, started as a user starts it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/EraserForm.h"
#include "toolkit/Controls.h"
#include "platform/win32/Handles.h"
#include "tests/support/GuiTestSupport.h"

namespace quillmere {
namespace {

using UniqueProcessHandle = win32::UniqueKernelHandle;

std::string ProgramPath() { return testing::TestProgramFolder() + QUILLMERE_EXE_FROM_TESTS; }

struct FoundWindow {
  DWORD process;
  const char* className;
  HWND hwnd = nullptr;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
  auto& want = *reinterpret_cast<FoundWindow*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  char name[64];
  GetClassNameA(hwnd, name, sizeof name);
  if (process != want.process || std::string(name) != want.className) return TRUE;
  want.hwnd = hwnd;
  return FALSE;
}

HWND WaitForWindow(DWORD process, const char* className) {
  for (int i = 0; i < 300; ++i) {
    FoundWindow found{process, className};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&found));
    if (found.hwnd && IsWindowVisible(found.hwnd) == (std::string(className) == "TEraserForm")) {
      return found.hwnd;
    }
    Sleep(50);
  }
  return nullptr;
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(testing::StartProgram("\"" + ProgramPath() + "\"", info));
    process.reset(info.hProcess);
    CloseHandle(info.hThread);
    id = info.dwProcessId;
    mainWindow = WaitForWindow(id, "TEraserForm");
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
  const HWND activity = WaitForWindow(id, "TActiveForm");
  ASSERT_NE(activity, nullptr);
  EXPECT_FALSE(IsWindowVisible(activity));
  EXPECT_TRUE(GetWindowLongA(activity, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(ExitCodeAfterClosing(ToolButton6), 0u);
}

TEST_F(ProgramTest, TheTaskPageCloseButtonEndsTheProgramToo) {
  EXPECT_EQ(ExitCodeAfterClosing(ToolButton12), 0u);
}

}  // namespace
}  // namespace quillmere
