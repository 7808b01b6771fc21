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

HWND MemoOf(const TActiveForm& form) {
  return FindWindowExA(form.hwnd(), nullptr, "QuillmereLogView", nullptr);
}

// The lines the memo shows: its scroll range ends at the empty line after the last.
int ShownLines(HWND memo) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE;
  GetScrollInfo(memo, SB_VERT, &info);
  return info.nMax;
}

// A run pumps no messages while it reports thousands of lines a second: the shown
// memo takes them in batches, a few times a second, and the last batch as soon as
// the message loop runs again.
TEST(ActiveForm, TheMemoFollowsARunInBatchesAndGetsEveryLineOnceTheLoopRuns) {
  TActiveForm form(nullptr);
  form.Show();
  const HWND memo = MemoOf(form);
  ASSERT_TRUE(memo);
  int added = 0;
  int updates = 0;
  // Long enough for a few batches, with lines enough that a loaded machine, slowing
  // each line, cannot make every line a batch of its own.
  for (const DWORD start = GetTickCount(); GetTickCount() - start < 700 || added < 100;) {
    const int before = ShownLines(memo);
    form.AddLine("Deleting : file" + std::to_string(added++));
    if (ShownLines(memo) != before) ++updates;
    Sleep(1);
  }
  EXPECT_GE(updates, 3);
  EXPECT_LT(updates, added / 2);
  EXPECT_EQ(form.Lines().size(), static_cast<std::size_t>(added));
  testing::PumpMessages();
  EXPECT_EQ(ShownLines(memo), added);
  EXPECT_EQ(form.Lines().back(), "Deleting : file" + std::to_string(added - 1));
}

// A run shows the window and pumps no messages until it ends: the window is
// painted whole the moment it is shown, its header too.
TEST(ActiveForm, IsPaintedWholeTheMomentItIsShown) {
  TActiveForm form(nullptr);
  testing::PumpMessages();
  form.Show();
  const HWND header = ChildWindowFromPoint(form.hwnd(), POINT{20, 13});
  const HWND memo = MemoOf(form);
  ASSERT_TRUE(header && header != form.hwnd() && memo);
  for (const HWND window : {form.hwnd(), header, memo}) {
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
  }
  const HDC dc = GetDC(header);
  const COLORREF beside = GetPixel(dc, 20, 13);
  ReleaseDC(header, dc);
  EXPECT_EQ(beside, RGB(99, 148, 198));
}

// The user may have scrolled up and clicked into the memo between two batches: the
// next batch still brings the newest line into view.
TEST(ActiveForm, EachBatchBringsTheNewestLineIntoViewWhereverTheUserLeftIt) {
  TActiveForm form(nullptr);
  form.Show();
  for (int i = 0; i < 100; ++i) form.AddLine("line " + std::to_string(i));
  testing::PumpMessages();
  const HWND memo = MemoOf(form);
  ASSERT_TRUE(memo);
  SendMessageA(memo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  SendMessageA(memo, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
  SendMessageA(memo, WM_VSCROLL, SB_TOP, 0);
  ASSERT_EQ(GetScrollPos(memo, SB_VERT), 0);
  form.AddLine("newest");
  testing::PumpMessages();
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(memo, SB_VERT, &info);
  EXPECT_EQ(info.nMax, 101);
  EXPECT_EQ(info.nPos + static_cast<int>(info.nPage), info.nMax + 1);  // the end in view
  EXPECT_EQ(form.Lines().back(), "newest");
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
