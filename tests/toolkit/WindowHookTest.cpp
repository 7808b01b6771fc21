// The hook between a platform window and its class's procedure: errors stop at it,
// and its going never cuts off a procedure that subclassed the window after it.
#include "toolkit/WindowHook.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "tests/support/GuiTestSupport.h"
#include "toolkit/Window.h"

namespace quillmere {
namespace {

constexpr UINT kProbe = WM_APP + 7;

// What a procedure that subclassed the window after the hook saw.
std::vector<UINT> laterSeen;
WNDPROC laterNext = nullptr;

LRESULT CALLBACK LaterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) laterSeen.push_back(message);
  return CallWindowProcW(laterNext, hwnd, message, wParam, lParam);
}

class WindowHookTest : public ::testing::Test {
 protected:
  WindowHookTest() {
    win32::SetTopLevelErrorHandler([this](const std::string& m) { errors.push_back(m); });
    laterSeen.clear();
  }
  ~WindowHookTest() override { win32::SetTopLevelErrorHandler(nullptr); }

  std::string Text() const {
    wchar_t text[32] = {};
    SendMessageW(edit.get(), WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
    return std::string(text, text + lstrlenW(text));
  }

  win32::UniqueWindow edit{CreateWindowExW(0, L"EDIT", L"abc", WS_POPUP, 0, 0, 80, 20, nullptr,
                                           nullptr, nullptr, nullptr)};
  std::vector<std::string> errors;
};

TEST_F(WindowHookTest, AnErrorOfTheHandlerIsReportedAndTheMessageAnsweredWithNought) {
  win32::WindowHook hook(edit.get(), [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == kProbe) throw std::runtime_error("probe failed");
    return hook.CallNext(message, wParam, lParam);
  });
  EXPECT_EQ(SendMessageW(edit.get(), kProbe, 0, 0), 0);
  EXPECT_THAT(errors, ::testing::ElementsAre("probe failed"));
  EXPECT_EQ(Text(), "abc");
}

TEST_F(WindowHookTest, GoingWhileStillTheWindowsProcedureGivesTheOldProcedureBack) {
  const LONG_PTR before = GetWindowLongPtrW(edit.get(), GWLP_WNDPROC);
  {
    win32::WindowHook hook(edit.get(), [&](UINT message, WPARAM wParam, LPARAM lParam) {
      return hook.CallNext(message, wParam, lParam);
    });
    EXPECT_NE(GetWindowLongPtrW(edit.get(), GWLP_WNDPROC), before);
  }
  EXPECT_EQ(GetWindowLongPtrW(edit.get(), GWLP_WNDPROC), before);
  EXPECT_EQ(GetWindowLongPtrW(edit.get(), GWLP_USERDATA), 0);
}

TEST_F(WindowHookTest, GoingUnderALaterProcedureLeavesThatOneInPlaceAndTheWindowAnswering) {
  int hooked = 0;
  std::unique_ptr<win32::WindowHook> hook;
  hook = std::make_unique<win32::WindowHook>(edit.get(),
                                             [&](UINT message, WPARAM wParam, LPARAM lParam) {
                                               if (message == kProbe) ++hooked;
                                               return hook->CallNext(message, wParam, lParam);
                                             });
  laterNext = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
  hook.reset();
  SendMessageW(edit.get(), kProbe, 0, 0);
  EXPECT_EQ(laterSeen.size(), 1u) << "the later procedure still takes the window's messages";
  EXPECT_EQ(hooked, 0);
  EXPECT_EQ(Text(), "abc") << "the class's own procedure still answers";
  edit.reset();  // the window goes through both procedures without harm
}

}  // namespace
}  // namespace quillmere
