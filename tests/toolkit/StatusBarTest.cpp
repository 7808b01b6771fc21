// The status bar shows every text the moment it is set, and shows it as the
// platform's own control paints it.
#include "toolkit/StatusBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Controls.h"
#include "tests/support/ControlPixels.h"
#include "tests/support/GuiTestSupport.h"

namespace quillmere {
namespace {

using testing::StatusBarText;

constexpr int kWidth = 501;
constexpr int kHeight = 19;

class StatusBarTest : public testing::ControlPixelsTest {
 protected:
  StatusBarTest()
      : ControlPixelsTest(kWidth, kHeight, 20),
        font_(win32::MakeFont("MS Sans Serif", -11)),
        bar_(std::make_unique<win32::StatusBar>(win32::StatusBar::Args{
            .parent = host(), .y = 20, .width = kWidth, .height = kHeight, .font = font_.get()})) {
    testing::PumpMessages();
  }

  HWND control() const override { return bar_->hwnd(); }
  HWND bar() const { return bar_->hwnd(); }

  win32::UniqueFont font_;
  std::unique_ptr<win32::StatusBar> bar_;
};

// Tabs split a text into parts the control places left, centred and right: the
// control paints such a text itself.
TEST_F(StatusBarTest, EveryTextIsOnTheScreenAsTheControlPaintsItBeforeTheNextIsSet) {
  for (const char* text : {"  No Errors", "  Deleting : file1.tmp", "  left\tcentre\tright",
                           "  Deleted !", "  Could Not Delete : read only.txt", "  Sizing IE Cache",
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

// A screen reader hears every text the moment it is on the bar, also those the bar
// draws itself: it is told that the bar's name changed, as the control tells it.
std::vector<HWND> renamed;
void CALLBACK NoteRename(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) renamed.push_back(window);
}

TEST_F(StatusBarTest, EveryTextTheBarDrawsItselfTellsAScreenReader) {
  bar_->SetText("  first");  // the bar takes its kept background
  ASSERT_TRUE(bar_->PaintsFromKeptBackground());
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, NoteRename,
                      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(hook);
  renamed.clear();
  bar_->SetText("  second");
  bar_->SetText("  third");
  testing::PumpMessages();
  UnhookWinEvent(hook);
  EXPECT_EQ(std::count(renamed.begin(), renamed.end(), bar()), 2);
}

}  // namespace
}  // namespace quillmere
