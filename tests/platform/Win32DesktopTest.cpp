#include "platform/win32/Win32Desktop.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace quillmere::win32 {
namespace {

// A request to quit met inside the pumping ends it, after what was queued before, and
// stays in the queue for the main loop.
TEST(Win32Desktop, PumpingHandlesTheQueueAndLeavesAQuitForTheMainLoop) {
  const HWND window =
      CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  Win32Desktop desktop;
  PostMessageA(window, WM_CLOSE, 0, 0);
  PostQuitMessage(7);
  EXPECT_FALSE(desktop.PumpMessages());
  EXPECT_FALSE(IsWindow(window));        // closed: it came before the quit
  EXPECT_FALSE(desktop.PumpMessages());  // still asked to quit
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_TRUE(desktop.PumpMessages());
}

}  // namespace
}  // namespace quillmere::win32
