// The help panel as a window: its one paint routine, its links under the pointer
// and under presses, the hand cursor and the link hint.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "richtext/gui/AdvPanel.h"
#include "tests/fakes/FakeLinkOpener.h"
#include "tests/support/Picture.h"

namespace quillmere {
namespace {

using ::testing::ElementsAre;
using testing::Picture;

constexpr int kWidth = 300;
constexpr int kHeight = 80;
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr const char* kContents = "Read <A href=\"contents\">the contents</A> first.";

HCURSOR Hand() { return LoadCursorA(nullptr, IDC_HAND); }
HCURSOR Arrow() { return LoadCursorA(nullptr, IDC_ARROW); }

class AdvPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ShowWindow(host.get(), SW_SHOWNA);
    panel =
        std::make_unique<TAdvPanel>(TAdvPanel::Args{.parent = host.get(),
                                                    .width = kWidth,
                                                    .height = kHeight,
                                                    .font = {"MS Sans Serif", 8, clWindowText, 0}},
                                    opener);
    panel->SetColor(clWhite);
    panel->OnAnchorClick = [this](TAdvPanel&, const std::string& a) {
      events.push_back("click " + a);
    };
    panel->OnAnchorEnter = [this](TAdvPanel&, const std::string& a) {
      events.push_back("enter " + a);
    };
    panel->OnAnchorExit = [this](TAdvPanel&, const std::string& a) {
      events.push_back("exit " + a);
    };
  }
  // Where the panel shows its link: in the link colour.
  POINT Link() const {
    const Picture printed = testing::PrintClient(panel->hwnd());
    return printed.MiddleOf(printed.All(), kBlue);
  }
  void Send(UINT message, POINT at, WPARAM keys = 0) const {
    SendMessageA(panel->hwnd(), message, keys, MAKELPARAM(at.x, at.y));
  }
  HCURSOR CursorAfterMoveTo(POINT at) const {
    SetCursor(nullptr);
    Send(WM_MOUSEMOVE, at);
    SendMessageA(panel->hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(panel->hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  }

  testing::FakeLinkOpener opener;
  win32::UniqueWindow host = testing::HostWindow(kWidth, kHeight);
  std::unique_ptr<TAdvPanel> panel;  // goes before its host
  std::vector<std::string> events;
};

TEST_F(AdvPanelTest, PaintsTheSameForTheScreenAndForAPrintRequest) {
  panel->SetText(kContents);
  const Picture printed = testing::PrintClient(panel->hwnd());
  EXPECT_EQ(printed.At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(printed.At(kWidth - 1, kHeight - 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(printed.At(kWidth / 2, kHeight - 5), RGB(255, 255, 255));
  EXPECT_GT(printed.Count(printed.All(), kBlue), 0) << "the link in its colour";
  EXPECT_GT(printed.Count(printed.All(), GetSysColor(COLOR_WINDOWTEXT)), 0);

  RedrawWindow(panel->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(testing::ScreenCopy(panel->hwnd()).SameAs(printed));
}

TEST_F(AdvPanelTest, PressesOpenAddressesThroughTheShellAndHandOtherLinksToTheProgram) {
  panel->SetText("See <A href=\"http://example.org/help\">the site</A>");
  const POINT site = Link();
  Send(WM_LBUTTONDOWN, site, MK_LBUTTON);
  Send(WM_RBUTTONDOWN, site, MK_RBUTTON);
  Send(WM_LBUTTONDOWN, POINT{6, site.y}, MK_LBUTTON);  // on "See"
  EXPECT_THAT(opener.opened, ElementsAre("http://example.org/help", "http://example.org/help"));

  panel->SetText(kContents);
  Send(WM_LBUTTONDOWN, Link(), MK_LBUTTON);
  EXPECT_EQ(opener.opened.size(), 2u);
  EXPECT_THAT(events, ElementsAre("click contents"));
}

TEST_F(AdvPanelTest, ShowsTheHandOverALinkAndItsOwnCursorOffIt) {
  panel->SetText(kContents);
  const POINT link = Link();
  EXPECT_EQ(CursorAfterMoveTo(link), Hand());
  EXPECT_EQ(CursorAfterMoveTo(POINT{link.x + 1, link.y}), Hand());
  EXPECT_EQ(CursorAfterMoveTo(POINT{4, link.y}), Arrow());
  EXPECT_THAT(events, ElementsAre("enter contents", "exit contents"));
  EXPECT_EQ(panel->HintWindow(), nullptr) << "no hint without AnchorHint";
  // Leaving a link gives back the panel's own cursor, whatever it is.
  const HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
  panel->SetCursor(cross);
  EXPECT_EQ(CursorAfterMoveTo(link), Hand());
  SetCursor(nullptr);
  Send(WM_MOUSEMOVE, POINT{4, link.y});
  EXPECT_EQ(GetCursor(), cross);
  EXPECT_EQ(CursorAfterMoveTo(POINT{5, link.y}), cross);
}

TEST_F(AdvPanelTest, WithAnchorHintShowsTheLinkBesideThePointer) {
  panel->SetText(kContents);
  panel->SetAnchorHint(true);
  panel->OnAnchorHint = [](TAdvPanel&, std::string& anchor) { anchor = "Go to " + anchor; };
  const POINT link = Link();
  Send(WM_MOUSEMOVE, link);
  const HWND hint = panel->HintWindow();
  ASSERT_TRUE(hint);
  EXPECT_TRUE(IsWindowVisible(hint));
  char text[80] = {};
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = panel->hwnd();
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageA(hint, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "Go to contents");
  POINT pointer = link;
  ClientToScreen(panel->hwnd(), &pointer);
  POINT shown{};  // where the tip's own area starts, inside its border
  ClientToScreen(hint, &shown);
  EXPECT_EQ(shown.x, pointer.x + 10);
  EXPECT_EQ(shown.y, pointer.y - 10);

  Send(WM_MOUSEMOVE, POINT{4, link.y});
  EXPECT_FALSE(IsWindowVisible(hint));
}

}  // namespace
}  // namespace quillmere
