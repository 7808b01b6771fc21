// The progress bar shows every position the moment it is set, as the platform's own
// control paints it, and answers for it as the control does.
#include "toolkit/ProgressBar.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "tests/support/ControlPixels.h"
#include "tests/support/GuiTestSupport.h"

namespace quillmere {
namespace {

constexpr int kWidth = 501;
constexpr int kHeight = 13;

class ProgressBarTest : public testing::ControlPixelsTest {
 protected:
  ProgressBarTest()
      : ControlPixelsTest(kWidth, kHeight, 10),
        bar_(std::make_unique<win32::ProgressBar>(win32::ProgressBar::Args{
            .parent = host(), .y = 10, .width = kWidth, .height = kHeight})) {
    testing::PumpMessages();
  }

  HWND control() const override { return bar_->hwnd(); }
  HWND bar() const { return bar_->hwnd(); }
  int Asked() const { return static_cast<int>(SendMessageW(bar(), PBM_GETPOS, 0, 0)); }

  // After each position of a run forwards, then back to 0: the screen as looked at
  // before anything else comes to the bar, against the control's painting once it
  // has been asked for the position.
  void ExpectEveryPositionShownAsTheControlPaintsIt(int max, int step) {
    bar_->SetMax(max);
    std::vector<int> positions;
    for (int p = 0; p < max; p += step) positions.push_back(p);
    positions.push_back(0);
    std::vector<std::uint32_t> previous;
    int fillMoves = 0;
    for (const int p : positions) {
      bar_->SetPosition(p);
      const auto shown = OnScreen();
      EXPECT_TRUE(NothingLeftToPaint()) << p;
      ASSERT_EQ(Asked(), p);
      ASSERT_EQ(shown, AsTheControlPaints()) << "position " << p << " of " << max;
      fillMoves += shown != previous;
      previous = shown;
    }
    // A run that never moved the fill would prove nothing of the painted position.
    EXPECT_GT(fillMoves, 2);
  }

  std::unique_ptr<win32::ProgressBar> bar_;
};

// Many more items than the bar has pixels (most positions leave the fill where it
// was), about as many, and fewer: in each the screen is never a position behind.
TEST_F(ProgressBarTest, EveryPositionIsOnTheScreenAsTheControlPaintsIt) {
  ExpectEveryPositionShownAsTheControlPaintsIt(10007, 7);
  ExpectEveryPositionShownAsTheControlPaintsIt(499, 1);
  ExpectEveryPositionShownAsTheControlPaintsIt(37, 1);
}

// Positions the bar kept without the control: whoever asks (for the position, a
// repaint, a new range) finds the last one set, held to the range as the control
// holds it.
TEST_F(ProgressBarTest, WhatAsksTheControlFindsTheLastPositionSet) {
  bar_->SetMax(10000);
  for (int p = 0; p <= 5; ++p) bar_->SetPosition(p);
  EXPECT_EQ(Asked(), 5);
  for (int p = 6; p <= 9; ++p) bar_->SetPosition(p);
  InvalidateRect(bar(), nullptr, TRUE);
  UpdateWindow(bar());
  EXPECT_EQ(OnScreen(), AsTheControlPaints());
  EXPECT_EQ(Asked(), 9);

  bar_->SetPosition(20000);
  EXPECT_EQ(Asked(), 10000);
  bar_->SetPosition(-3);
  EXPECT_EQ(Asked(), 0);
  bar_->SetPosition(4000);
  bar_->SetPosition(4001);
  bar_->SetMax(3);
  EXPECT_EQ(Asked(), 3);
  EXPECT_EQ(OnScreen(), AsTheControlPaints());

  // An empty run: its one position is 0.
  bar_->SetMax(0);
  bar_->SetPosition(0);
  EXPECT_EQ(Asked(), 0);
}

// Someone else moves the control (PBM_SETPOS from outside): the bar's next position
// is measured against where the control really is.
TEST_F(ProgressBarTest, APositionSetFromOutsideIsWhereTheNextOneIsMeasuredFrom) {
  bar_->SetMax(10000);
  bar_->SetPosition(2);
  SendMessageW(bar(), PBM_SETPOS, 9000, 0);
  UpdateWindow(bar());
  bar_->SetPosition(3);
  const auto shown = OnScreen();
  EXPECT_EQ(Asked(), 3);
  EXPECT_EQ(shown, AsTheControlPaints());
}

}  // namespace
}  // namespace quillmere
