#include "app/ActiveForm.h"

#include <gtest/gtest.h>

#include "tests/windows/GuiTestSupport.h"

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
