// The status bar shows every text the moment it is set, and shows it as the
// platform's own control paints it.
#include "toolkit/StatusBar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/Pixels.h"
#include "tests/support/GuiTestSupport.h"

namespace quillmere {
namespace {

using testing::StatusBarText;

constexpr int kWidth = 501;
constexpr int kHeight = 19;

class StatusBarTest : public ::testing::Test {
 protected:
  StatusBarTest()
      : host_(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 40, 40, kWidth + 20, 60,
                              nullptr, nullptr, nullptr, nullptr)),
        font_(win32::MakeFont("MS Sans Serif", -11)),
        bar_(std::make_unique<win32::StatusBar>(win32::StatusBar::Args{
            .parent = host_, .y = 20, .width = kWidth, .height = kHeight, .font = font_.get()})) {
    testing::PumpMessages();
  }
  ~StatusBarTest() override {
    bar_.reset();
    DestroyWindow(host_);
  }

  HWND bar() const { return bar_->hwnd(); }

  // What the screen holds of the bar.
  std::vector<std::uint32_t> OnScreen() const {
    const HDC screen = GetDC(bar());
    auto pixels =
        Colours([&](HDC dc) { BitBlt(dc, 0, 0, kWidth, kHeight, screen, 0, 0, SRCCOPY); });
    ReleaseDC(bar(), screen);
    return pixels;
  }

  // The control's own painting of its present text.
  std::vector<std::uint32_t> AsTheControlPaints() const {
    return Colours([&](HDC dc) {
      SendMessageA(bar(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
  }

  // Red, green and blue of each pixel: the screen keeps no more.
  static std::vector<std::uint32_t> Colours(const std::function<void(HDC)>& paint) {
    auto pixels = win32::PaintedPixels(kWidth, kHeight, paint);
    for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
  }

  bool NothingLeftToPaint() const { return !GetUpdateRect(bar(), nullptr, FALSE); }

  HWND host_;
  win32::UniqueFont font_;
  std::unique_ptr<win32::StatusBar> bar_;
};

TEST_F(StatusBarTest, EveryTextIsOnTheScreenAsTheControlPaintsItBeforeTheNextIsSet) {
  for (const char* text : {"  No Errors", "  Deleting : file1.tmp", "  Deleted !",
                           "  Could Not Delete : read only.txt", "  Sizing IE Cache",
                           "  Hard Disk Is 25 % Free   :   63464 MBytes Free Space. "}) {
    bar_->SetText(text);
    // Looked at before anything else comes to the bar, which would make the control
    // paint the text once more.
    const auto shown = OnScreen();
    EXPECT_TRUE(NothingLeftToPaint()) << text;
    EXPECT_EQ(StatusBarText(bar()), text);
    EXPECT_EQ(shown, AsTheControlPaints()) << text;
  }
  // Under Wine's own theme the bar paints from its kept background; were it not to,
  // every text would cost the theme's pictures drawn again.
  EXPECT_TRUE(bar_->PaintsFromKeptBackground());
}

// Texts the bar has drawn itself and not yet handed to the control: a repaint (the
// bar uncovered) shows the last of them, and a question for the text answers it.
TEST_F(StatusBarTest, ARepaintAndAQuestionForTheTextFindTheLastTextSet) {
  bar_->SetText("  first");
  bar_->SetText("  Deleting : C:\\AOL40\\CACHE\\file2.dat");
  InvalidateRect(bar(), nullptr, FALSE);
  UpdateWindow(bar());
  const auto repainted = OnScreen();
  EXPECT_EQ(StatusBarText(bar()), "  Deleting : C:\\AOL40\\CACHE\\file2.dat");
  EXPECT_EQ(repainted, AsTheControlPaints());
}

TEST_F(StatusBarTest, AfterAChangeOfFontTheTextIsStillPaintedAsTheControlPaintsIt) {
  bar_->SetText("  before");
  const win32::UniqueFont bold = win32::MakeFont("MS Sans Serif", -11, true);
  SendMessageA(bar(), WM_SETFONT, reinterpret_cast<WPARAM>(bold.get()), TRUE);
  bar_->SetText("  Finished Sizing IE Cache");
  EXPECT_TRUE(NothingLeftToPaint());
  EXPECT_EQ(OnScreen(), AsTheControlPaints());
  SendMessageA(bar(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

// Tabs split the text into parts the control places left, centred and right: the
// control paints such a text itself.
TEST_F(StatusBarTest, ATextWithTabsIsPaintedAsTheControlPaintsIt) {
  bar_->SetText("  left\tcentre\tright");
  EXPECT_EQ(StatusBarText(bar()), "  left\tcentre\tright");
  EXPECT_TRUE(NothingLeftToPaint());
  EXPECT_EQ(OnScreen(), AsTheControlPaints());
}

}  // namespace
}  // namespace quillmere
