#include "app/ActiveForm.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/GuiTestSupport.h"

namespace quillmere {
namespace {

using testing::ClientSize;

TEST(ActiveForm, IsAHiddenTopmostDialogOfTheGivenSize) {
  TActiveForm form(nullptr);
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  EXPECT_TRUE(GetWindowLongA(form.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongA(form.hwnd(), GWL_STYLE) & WS_THICKFRAME);
  EXPECT_EQ(ClientSize(form.hwnd()).cx, 537);
  EXPECT_EQ(ClientSize(form.hwnd()).cy, 289);
  char caption[64];
  GetWindowTextA(form.hwnd(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Activity");
}

TEST(ActiveForm, KeepsEveryLineAsGivenUntilCleared) {
  TActiveForm form(nullptr);
  form.ClearLines();
  EXPECT_TRUE(form.Lines().empty());
  form.AddLine("Deleted 2 Cookies");
  form.AddLine("Deleted 2 Cookies");
  form.AddLine("");
  const std::string wide(2000, 'x');
  form.AddLine(wide);
  EXPECT_EQ(form.Lines(),
            (std::vector<std::string>{"Deleted 2 Cookies", "Deleted 2 Cookies", "", wide}));
  form.ClearLines();
  EXPECT_TRUE(form.Lines().empty());
}

TEST(ActiveForm, TheMemoHoldsMoreThanAnEditBoxUsuallyAllows) {
  TActiveForm form(nullptr);
  const std::string line(100, 'y');
  for (int i = 0; i < 1000; ++i) form.AddLine(line);
  EXPECT_EQ(form.Lines().size(), 1000u);
}

// A run pumps no messages while it reports thousands of lines a second: the shown
// memo takes them in batches, a few times a second, and the last batch as soon as
// the message loop runs again.
TEST(ActiveForm, TheMemoFollowsARunInBatchesAndGetsEveryLineOnceTheLoopRuns) {
  TActiveForm form(nullptr);
  form.Show();
  const HWND memo = FindWindowExA(form.hwnd(), nullptr, "Edit", nullptr);
  ASSERT_TRUE(memo);
  const auto shownLines = [&] {
    return static_cast<int>(SendMessageA(memo, EM_GETLINECOUNT, 0, 0)) - 1;  // the last is empty
  };
  int added = 0;
  int updates = 0;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < 700;) {
    const int before = shownLines();
    form.AddLine("Deleting : file" + std::to_string(added++));
    if (shownLines() != before) ++updates;
    Sleep(1);
  }
  EXPECT_GE(updates, 3);
  EXPECT_LT(updates, added / 2);
  EXPECT_EQ(form.Lines().size(), static_cast<std::size_t>(added));
  testing::PumpMessages();
  EXPECT_EQ(shownLines(), added);
  EXPECT_EQ(form.Lines().back(), "Deleting : file" + std::to_string(added - 1));
}

// A run shows the window and pumps no messages until it ends: the window is
// painted whole the moment it is shown, its header too.
TEST(ActiveForm, IsPaintedWholeTheMomentItIsShown) {
  TActiveForm form(nullptr);
  testing::PumpMessages();
  form.Show();
  const HWND header = ChildWindowFromPoint(form.hwnd(), POINT{20, 13});
  const HWND memo = FindWindowExA(form.hwnd(), nullptr, "Edit", nullptr);
  ASSERT_TRUE(header && header != form.hwnd() && memo);
  for (const HWND window : {form.hwnd(), header, memo}) {
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
  }
  const HDC dc = GetDC(header);
  const COLORREF beside = GetPixel(dc, 20, 13);
  ReleaseDC(header, dc);
  EXPECT_EQ(beside, RGB(99, 148, 198));
}

// The user may have clicked into the memo between two runs: new lines still go
// after the last one.
TEST(ActiveForm, NewLinesGoAfterTheLastWhereverTheCaretWasLeft) {
  TActiveForm form(nullptr);
  form.Show();
  form.AddLine("first");
  testing::PumpMessages();
  const HWND memo = FindWindowExA(form.hwnd(), nullptr, "Edit", nullptr);
  ASSERT_TRUE(memo);
  SendMessageA(memo, EM_SETSEL, 0, 0);
  form.AddLine("second");
  testing::PumpMessages();
  EXPECT_EQ(form.Lines(), (std::vector<std::string>{"first", "second"}));
}

TEST(ActiveForm, ClosingOnlyHidesIt) {
  TActiveForm form(nullptr);
  form.Show();
  EXPECT_TRUE(IsWindowVisible(form.hwnd()));
  SendMessageA(form.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(form.hwnd()));
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
}

}  // namespace
}  // namespace quillmere
