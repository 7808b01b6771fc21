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
#include "tests/windows/GuiTestSupport.h"
#include "tests/windows/Picture.h"

namespace quillmere {
namespace {

using ::testing::ElementsAre;
using testing::Picture;

constexpr int kWidth = 300;
constexpr int kHeight = 80;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);

HCURSOR Hand() { return LoadCursorA(nullptr, IDC_HAND); }
HCURSOR Arrow() { return LoadCursorA(nullptr, IDC_ARROW); }

class AdvPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.reset(CreateWindowExA(0, "STATIC", "", WS_POPUP, 40, 40, kWidth, kHeight, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(host);
    // Shown without taking the activation, which Wine takes two seconds to give back.
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
  void TearDown() override { panel.reset(); }

  std::unique_ptr<Picture> Print() const {
    auto picture = std::make_unique<Picture>(kWidth, kHeight);
    SendMessageA(panel->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture->dc()),
                 PRF_CLIENT);
    return picture;
  }
  // The middle of the pixels of `color` the panel paints: where a link shows.
  POINT Middle(COLORREF color) const {
    const auto picture = Print();
    const RECT ink = picture->Extent(picture->All(), color);
    EXPECT_LT(ink.left, ink.right) << "nothing painted in that colour";
    return POINT{(ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2};
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
  win32::UniqueWindow host;
  std::unique_ptr<TAdvPanel> panel;
  std::vector<std::string> events;
};

TEST_F(AdvPanelTest, PaintsTheSameForTheScreenAndForAPrintRequest) {
  panel->SetText("Read <A href=\"contents\">the contents</A> first.");
  const auto printed = Print();
  EXPECT_EQ(printed->At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(printed->At(kWidth - 1, kHeight - 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(printed->At(kWidth / 2, kHeight - 5), kWhite);
  EXPECT_GT(printed->Count(printed->All(), kBlue), 0) << "the link in its colour";
  EXPECT_GT(printed->Count(printed->All(), GetSysColor(COLOR_WINDOWTEXT)), 0);

  RedrawWindow(panel->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Picture screen(kWidth, kHeight);
  const HDC dc = GetDC(panel->hwnd());
  BitBlt(screen.dc(), 0, 0, kWidth, kHeight, dc, 0, 0, SRCCOPY);
  ReleaseDC(panel->hwnd(), dc);
  EXPECT_TRUE(screen.SameAs(*printed));
}

TEST_F(AdvPanelTest, PressesOpenAddressesThroughTheShellAndHandOtherLinksToTheProgram) {
  panel->SetText("See <A href=\"http://example.org/help\">the site</A>");
  const POINT site = Middle(kBlue);
  Send(WM_LBUTTONDOWN, site, MK_LBUTTON);
  Send(WM_RBUTTONDOWN, site, MK_RBUTTON);
  Send(WM_LBUTTONDOWN, POINT{6, site.y}, MK_LBUTTON);  // on "See"
  panel->SetText("Write to <A href=\"mailto:help@example.org\">us</A>");
  Send(WM_LBUTTONDOWN, Middle(kBlue), MK_LBUTTON);
  EXPECT_THAT(opener.opened, ElementsAre("http://example.org/help", "http://example.org/help",
                                         "mailto:help@example.org"));

  panel->SetText("Read <A href=\"contents\">the contents</A>");
  Send(WM_LBUTTONDOWN, Middle(kBlue), MK_LBUTTON);
  EXPECT_EQ(opener.opened.size(), 3u);
  EXPECT_THAT(events, ElementsAre("click contents"));
}

TEST_F(AdvPanelTest, ShowsTheHandOverALinkAndItsOwnCursorOffIt) {
  panel->SetText("Read <A href=\"contents\">the contents</A> first.");
  const POINT link = Middle(kBlue);
  EXPECT_EQ(CursorAfterMoveTo(link), Hand());
  EXPECT_EQ(CursorAfterMoveTo(POINT{link.x + 1, link.y}), Hand());
  EXPECT_EQ(CursorAfterMoveTo(POINT{4, link.y}), Arrow());
  EXPECT_THAT(events, ElementsAre("enter contents", "exit contents"));
  EXPECT_EQ(panel->HintWindow(), nullptr) << "no hint without AnchorHint";
}

TEST_F(AdvPanelTest, WithAnchorHintShowsTheLinkBesideThePointer) {
  panel->SetText("Read <A href=\"contents\">the contents</A> first.");
  panel->SetAnchorHint(true);
  panel->OnAnchorHint = [](TAdvPanel&, std::string& anchor) { anchor = "Go to " + anchor; };
  const POINT link = Middle(kBlue);
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
