// A captioned panel in a test window: its buttons close and collapse it, its bar
// moves it, its corner sizes it, its place is kept when its window goes,
// and a group of three stacks anew as they change.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Registry.h"
#include "richtext/gui/AdvPanelGroup.h"
#include "tests/fakes/FakeLinkOpener.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/Picture.h"

namespace quillmere {
namespace {

using richtext::PanelBounds;
using ::testing::ElementsAre;
using testing::Picture;

constexpr int kHostWidth = 400;
constexpr int kHostHeight = 300;
const richtext::FontState kFont{"MS Sans Serif", 8, clWindowText, 0};

class AdvPanelCaptionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ShowWindow(host.get(), SW_SHOWNA);
    panel = MakePanel(host.get(), 20, 30, 200, 120);
    richtext::TPanelCaption caption = panel->Caption();
    caption.Visible = true;
    caption.CloseButton = true;
    caption.MinMaxButton = true;
    caption.Text = "Panel <B>one</B>";
    panel->SetCaption(caption);
    panel->SetText("The panel's own text, below its caption.");
    panel->SetCanMove(true);
    panel->SetCanSize(true);
    panel->SetShowMoveCursor(true);
    Record(*panel, "one");
  }
  std::unique_ptr<TAdvPanel> MakePanel(HWND parent, int x, int y, int width, int height) {
    auto made = std::make_unique<TAdvPanel>(
        TAdvPanel::Args{
            .parent = parent, .x = x, .y = y, .width = width, .height = height, .font = kFont},
        opener);
    made->SetColor(clWhite);
    return made;
  }
  void Record(TAdvPanel& target, const std::string& name) {
    target.OnClose = [this, name](TAdvPanel&) { events.push_back(name + " close"); };
    target.OnMinimize = [this, name](TAdvPanel&) { events.push_back(name + " minimize"); };
    target.OnMaximize = [this, name](TAdvPanel&) { events.push_back(name + " maximize"); };
    target.OnCaptionClick = [this, name](TAdvPanel&) { events.push_back(name + " caption"); };
    target.OnEndMoveSize = [this, name](TAdvPanel&) { events.push_back(name + " moved"); };
  }
  static void Send(const TAdvPanel& target, UINT message, POINT at) {
    SendMessageA(target.hwnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                 MAKELPARAM(at.x, at.y));
  }
  static HCURSOR CursorNow(const TAdvPanel& target) {
    SetCursor(nullptr);
    SendMessageA(target.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(target.hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  }
  // A caption with the collapse button alone.
  static void ShowCaption(TAdvPanel& target, std::string text) {
    richtext::TPanelCaption caption = target.Caption();
    caption.Visible = true;
    caption.MinMaxButton = true;
    caption.Text = std::move(text);
    target.SetCaption(std::move(caption));
  }
  static RECT ClientOf(const TAdvPanel& target) {
    RECT rc{};
    GetClientRect(target.hwnd(), &rc);
    return rc;
  }
  void SaveShot(const std::string& name) {
    UpdateWindow(host.get());
    testing::PumpMessages();
    EXPECT_TRUE(testing::ScreenCopy(host.get()).SaveBmp(testing::TestProgramFolder() + name));
  }

  testing::FakeLinkOpener opener;
  win32::UniqueWindow host = testing::HostWindow(kHostWidth, kHostHeight);
  std::unique_ptr<TAdvPanel> panel;  // goes before its host
  std::vector<std::string> events;
};

// The buttons: the close button at the bar's right end (x 183 .. 197 of 200), the
// other one left of it (167 .. 181), both from y = 3 to 17.
constexpr POINT kClose{190, 10};
constexpr POINT kMinMax{174, 10};
constexpr POINT kBar{40, 10};

TEST_F(AdvPanelCaptionTest, TheButtonsCollapseToTheCaptionExpandToTheHeightItHadAndClose) {
  const Picture expanded = testing::PrintClient(panel->hwnd());
  EXPECT_EQ(expanded.At(kBar.x, 2), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(expanded.At(kClose.x - 5, 4), GetSysColor(COLOR_BTNFACE)) << "the button";
  EXPECT_EQ(expanded.At(100, 60), RGB(255, 255, 255));
  SaveShot("panel-expanded.bmp");

  Send(*panel, WM_LBUTTONDOWN, kMinMax);
  EXPECT_TRUE(panel->Collaps());
  EXPECT_EQ(ClientOf(*panel).bottom, 20);
  EXPECT_EQ(panel->Bounds(), (PanelBounds{20, 30, 200, 120})) << "the full height kept";
  SaveShot("panel-collapsed.bmp");

  Send(*panel, WM_LBUTTONDOWN, kMinMax);
  EXPECT_FALSE(panel->Collaps());
  EXPECT_EQ(ClientOf(*panel).bottom, 120);

  Send(*panel, WM_LBUTTONDOWN, kClose);
  EXPECT_FALSE(IsWindowVisible(panel->hwnd()));
  EXPECT_THAT(events, ElementsAre("one minimize", "one maximize", "one close"));
}

TEST_F(AdvPanelCaptionTest, DraggingTheBarMovesThePanelWithTheMoveCursorKeepingAFixedTop) {
  panel->SetFixedTop(true);
  Send(*panel, WM_LBUTTONDOWN, kBar);
  EXPECT_EQ(CursorNow(*panel), LoadCursorA(nullptr, IDC_SIZEALL));
  // 30 right and 20 down on the screen: in the panel's own client area, as it was;
  // the top stays.
  Send(*panel, WM_MOUSEMOVE, POINT{kBar.x + 30, kBar.y + 20});
  EXPECT_EQ(panel->Bounds(), (PanelBounds{50, 30, 200, 120}));
  Send(*panel, WM_LBUTTONUP, POINT{kBar.x, kBar.y});
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_THAT(events, ElementsAre("one caption", "one moved"));

  panel->SetCanMove(false);  // the bar still reports the click
  Send(*panel, WM_LBUTTONDOWN, kBar);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(events.back(), "one caption");
}

// Which edges and sizes stay fixed, and the smallest size, the native suite proves
// (PanelPlacement); here a fixed width held through the corner the system measures.
TEST_F(AdvPanelCaptionTest, TheCornerSizesThePanelKeepingAFixedWidth) {
  const int side = GetSystemMetrics(SM_CXVSCROLL);
  const POINT corner{200 - side / 2, 120 - side / 2};
  panel->SetFixedWidth(true);
  Send(*panel, WM_LBUTTONDOWN, corner);
  Send(*panel, WM_MOUSEMOVE, POINT{corner.x + 40, corner.y + 25});
  Send(*panel, WM_LBUTTONUP, POINT{corner.x + 40, corner.y + 25});
  EXPECT_EQ(panel->Bounds(), (PanelBounds{20, 30, 200, 145}));
  EXPECT_THAT(events, ElementsAre("one moved"));
}

// The registry's values and an INI file's text are the position's rules (PanelPosition
// in the native suite); here the window's going saves and loading takes it back.
TEST_F(AdvPanelCaptionTest, ThePlaceIsSavedWhenTheWindowGoesAndTakenBackAfterLoading) {
  win32::Win32Registry registry;
  win32::Win32Files files;
  const richtext::TPanelPosition place{
      .Save = true, .Key = "Software\\QuillmereTests\\Panels", .Section = "One"};
  panel = MakePanel(host.get(), 20, 30, 200, 120);
  ShowCaption(*panel, "");
  panel->SetPosition(place, {registry, files});
  panel->Loaded();  // nothing saved yet: it stays
  EXPECT_EQ(panel->Bounds(), (PanelBounds{20, 30, 200, 120}));
  SetWindowPos(panel->hwnd(), nullptr, 35, 45, 150, 90, SWP_NOZORDER);
  panel->SetCollaps(true);
  panel.reset();

  panel = MakePanel(host.get(), 0, 0, 50, 50);
  ShowCaption(*panel, "");
  panel->SetPosition(place, {registry, files});
  panel->Loaded();
  EXPECT_EQ(panel->Bounds(), (PanelBounds{35, 45, 150, 90}));
  EXPECT_TRUE(panel->Collaps());
  EXPECT_EQ(ClientOf(*panel).bottom, 20);
  EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuillmereTests"), ERROR_SUCCESS);
  panel->SetPosition({}, {registry, files});
}

TEST_F(AdvPanelCaptionTest, AGroupStacksItsThreePanelsAnewWhenOneCollapsesOrMoves) {
  panel.reset();
  TAdvPanelGroup group(
      TAdvPanel::Args{.parent = host.get(), .width = 220, .height = kHostHeight, .font = kFont},
      opener);
  group.SetHorzPadding(5);
  group.SetVertPadding(4);
  std::vector<std::unique_ptr<TAdvPanel>> panels;
  for (const auto& [top, height] : {std::pair{200, 50}, std::pair{10, 60}, std::pair{100, 70}}) {
    panels.push_back(MakePanel(group.hwnd(), 0, top, 100, height));
    ShowCaption(*panels.back(), "Panel");
    panels.back()->SetCanMove(true);
  }
  const auto tops = [&] {
    std::vector<int> found;
    for (const auto& each : panels) found.push_back(each->Bounds().top);
    return found;
  };
  group.Restack();
  // In the order of their tops, 4 apart, 5 in from either side.
  EXPECT_THAT(tops(), ElementsAre(142, 4, 68));
  EXPECT_EQ(panels[1]->Bounds(), (PanelBounds{5, 4, 210, 60}));

  Send(*panels[1], WM_LBUTTONDOWN, POINT{210 - 9, 10});  // its collapse button
  ASSERT_TRUE(panels[1]->Collaps());
  EXPECT_THAT(tops(), ElementsAre(102, 4, 28));

  // The first panel dragged below the last one goes to the end, still collapsed.
  Send(*panels[1], WM_LBUTTONDOWN, POINT{20, 10});
  Send(*panels[1], WM_MOUSEMOVE, POINT{20, 10 + 150});
  Send(*panels[1], WM_LBUTTONUP, POINT{20, 10 + 150});
  EXPECT_THAT(tops(), ElementsAre(78, 132, 4));
  EXPECT_TRUE(panels[1]->Collaps());

  Send(*panels[2], WM_LBUTTONDOWN, POINT{210 - 9, 10});
  ShowWindow(panels[0]->hwnd(), SW_HIDE);
  group.Restack();
  EXPECT_EQ(panels[1]->Bounds().top, 28) << "a hidden panel takes no place";
}

}  // namespace
}  // namespace quillmere
