// The help window as the user sees it: its frame, and the help page laid out in
// it at the stored size and narrowed. Screenshots of the client area at both sizes
// are written beside the test program (help-window-455.bmp, help-window-250.bmp)
// for people to look at.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "richtext/gui/GdiFonts.h"
#include "richtext/gui/HelpForm.h"
#include "tests/support/Picture.h"

namespace quillmere {
namespace {

using testing::ClientSize;
using testing::Picture;
using testing::PumpMessages;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kPicture = 32;

// What the window shows in its client area now. (On the virtual display no window
// manager draws the frame.)
void SaveScreenshot(HWND window, const std::string& name) {
  EXPECT_TRUE(testing::ScreenCopy(window).SaveBmp(testing::TestProgramFolder() + name));
}

class HelpFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<Thelpform>(nullptr);
    ShowWindow(form->hwnd(), SW_SHOWNOACTIVATE);  // Wine is slow to take an activation back
    UpdateWindow(form->hwnd());
    PumpMessages();
    text = GetSysColor(COLOR_WINDOWTEXT);
    // Line 1 is as high as its tallest item: the picture, unless the title's cell
    // is taller. Its text cells stand on its bottom.
    const HDC screen = GetDC(nullptr);
    richtext::GdiFonts fonts;
    const int titleCell = fonts.Get(screen, {"MS Sans Serif", 18, clBlack, 0}, 0).cellHeight;
    baseCell = fonts.Get(screen, {"MS Sans Serif", 8, clBlack, 0}, 0).cellHeight;
    ReleaseDC(nullptr, screen);
    lineBottom = 1 + std::max({kPicture, titleCell, baseCell});
  }
  void TearDown() override { form.reset(); }

  HWND Panel() { return form->AdvPanel1().hwnd(); }
  // The text of the paragraphs: everything below the rule, inside the bevel.
  RECT Paragraphs(const Picture& page) const {
    return page.Extent({2, lineBottom + 2, page.width() - 1, page.height() - 1}, text);
  }
  // What line 1 shows and the rule under it, on a page `width` pixels wide.
  void ExpectTitleLineAndRule(const Picture& page) const {
    const int right = page.width() - 1;  // inside the bevel
    const RECT picture = page.Extent({1, 1, 2 + kPicture + 2, lineBottom}, kWhite, true);
    EXPECT_GE(picture.left, 2);
    EXPECT_GE(picture.top, 1);
    EXPECT_LE(picture.right, 2 + kPicture);
    EXPECT_GT(page.Count({2, 1, 2 + kPicture, 1 + kPicture}, kWhite), 0);
    EXPECT_LT(page.Count({2, 1, 2 + kPicture, 1 + kPicture}, kWhite), kPicture * kPicture - 200)
        << "the program's picture at the top left";

    const RECT title = page.Extent({2 + kPicture, 1, right, lineBottom}, text);
    EXPECT_GT(title.left, 2 + kPicture) << "the title right of the picture, on its line";
    EXPECT_LE(title.bottom, lineBottom);
    EXPECT_GE(title.bottom, lineBottom - 8) << "standing on the line's bottom";
    EXPECT_GE(title.bottom - title.top, 14) << "in the 18-point face";

    const int rule = lineBottom + 1;
    EXPECT_EQ(page.Count({2, rule, right, rule + 1}, RGB(0, 0, 0)), right - 2)
        << "a black rule across the panel one pixel below line 1";
    EXPECT_EQ(page.Count({2, lineBottom, right, lineBottom + 1}, kWhite), right - 2);
    EXPECT_EQ(page.Count({2, rule + 1, right, rule + 2}, kWhite), right - 2);
  }

  std::unique_ptr<Thelpform> form;
  COLORREF text = 0;
  int baseCell = 0;
  int lineBottom = 0;
};

// Its caption and stored size are seen where the Help buttons open it.
TEST_F(HelpFormTest, IsASizeableWindowCentredWithThePanelFillingIt) {
  RECT placed{};
  GetWindowRect(form->hwnd(), &placed);
  EXPECT_EQ(placed.left, win32::CentredOuterRect(455, 251).left);
  EXPECT_EQ(placed.top, win32::CentredOuterRect(455, 251).top);
  const LONG style = GetWindowLongA(form->hwnd(), GWL_STYLE);
  EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
  EXPECT_EQ(ClientSize(Panel()).cx, ClientSize(form->hwnd()).cx);
  EXPECT_EQ(ClientSize(Panel()).cy, ClientSize(form->hwnd()).cy);
  const HIMAGELIST images = form->AdvPanel1().Images();
  int width = 0;
  int height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(images, &width, &height));
  EXPECT_EQ(width, kPicture);
  EXPECT_EQ(height, kPicture);
  EXPECT_EQ(ImageList_GetImageCount(images), 1);
}

TEST_F(HelpFormTest, ShowsThePageAndWrapsItAnewWhenNarrowed) {
  SaveScreenshot(form->hwnd(), "help-window-455.bmp");
  const Picture wide = testing::PrintClient(Panel());
  ExpectTitleLineAndRule(wide);
  const RECT wideText = Paragraphs(wide);
  EXPECT_GE(wideText.top, lineBottom + baseCell) << "an empty line after the rule";
  EXPECT_EQ(wideText.left, 2) << "the lines start at the left";
  EXPECT_EQ(wide.At(wide.width() - 3, wide.height() - 3), kWhite);
  EXPECT_GT(wide.Count(wide.All(), kWhite), wide.width() * wide.height() * 8 / 10)
      << "a white page";

  SetWindowPos(form->hwnd(), nullptr, 0, 0, 250, 251, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages(50);
  SaveScreenshot(form->hwnd(), "help-window-250.bmp");
  ASSERT_EQ(ClientSize(Panel()).cx, ClientSize(form->hwnd()).cx);
  const Picture narrow = testing::PrintClient(Panel());
  ASSERT_LT(narrow.width(), 250);
  ExpectTitleLineAndRule(narrow);
  const RECT narrowText = Paragraphs(narrow);
  EXPECT_EQ(narrowText.left, 2);
  EXPECT_LE(narrowText.right, narrow.width() - 1) << "no word beyond the panel";
  EXPECT_GT(narrowText.bottom, wideText.bottom) << "more lines";
}

}  // namespace
}  // namespace quillmere
