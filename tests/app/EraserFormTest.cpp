#include "app/EraserForm.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "app/ActiveForm.h"
#include "app/Application.h"
#include "common/FuncUnit.h"
#include "toolkit/Controls.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/MainWindowTest.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

class EraserFormTest : public FakePortsMainWindowTest {
 protected:
  void SetUp() override {
    shell.version = DllVersionInfo{.major = 6};
    MakeForm();
  }

  void Activate() { SendMessageA(form->hwnd(), WM_ACTIVATE, WA_ACTIVE, 0); }
  HWND Toolbar1() { return form->CookiePage().ToolBar().hwnd(); }
  HWND Toolbar2() { return form->TaskPage().ToolBar().hwnd(); }
};

TEST_F(EraserFormTest, IsAFixedDialogWithTheProductCaption) {
  EXPECT_EQ(ClientSize(form->hwnd()).cx, 501);
  EXPECT_EQ(ClientSize(form->hwnd()).cy, 460);
  const LONG style = GetWindowLongA(form->hwnd(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_THAT(win32::WindowText(form->hwnd()), ::testing::StartsWith("Quillmere : "));
  EXPECT_GT(win32::WindowText(form->hwnd()).size(), 12u);
}

TEST_F(EraserFormTest, StartsOnTheCookiePageWithNoErrorsAndNoCookies) {
  EXPECT_EQ(StatusBarText(form->StatusBar()), "No Errors");
  EXPECT_EQ(form->ActivePageIndex(), 0);
  EXPECT_EQ(SendMessageA(form->PageControl(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(win32::WindowText(form->CookiePage().CookieCountEdit()), "0");
  const LONG editStyle = GetWindowLongA(form->CookiePage().CookieCountEdit(), GWL_STYLE);
  EXPECT_TRUE(editStyle & ES_READONLY);
  EXPECT_FALSE(editStyle & WS_TABSTOP);
  EXPECT_EQ(SendMessageA(form->ProgressBarWindow(), PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(SendMessageA(form->ProgressBarWindow(), PBM_GETPOS, 0, 0), 0);
}

TEST_F(EraserFormTest, ToolBarsCarryTheirCaptionsAndImages) {
  const struct {
    HWND toolbar;
    int id;
    const char* caption;
    int image;
  } expected[] = {
      {Toolbar1(), ToolButton1, "Check All", 0},     {Toolbar1(), ToolButton2, "UnCheck All", 1},
      {Toolbar1(), ToolButton3, "Refresh", 2},       {Toolbar1(), ToolButton4, "Privacy", 3},
      {Toolbar1(), ToolButton5, "Clean Up", 4},      {Toolbar1(), ToolButton13, "Help", 6},
      {Toolbar1(), ToolButton6, "Close", 5},         {Toolbar2(), ToolButton7, "Check All", 0},
      {Toolbar2(), ToolButton8, "UnCheck All", 1},   {Toolbar2(), ToolButton11, "Clean Up", 4},
      {Toolbar2(), ToolButton15, "Index Report", 7}, {Toolbar2(), ToolButton14, "Help", 6},
      {Toolbar2(), ToolButton12, "Close", 5},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(ToolButtonCaption(e.toolbar, e.id), e.caption);
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_IMAGE;
    SendMessageA(e.toolbar, TB_GETBUTTONINFOA, e.id, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.iImage, e.image) << e.caption;
  }
  EXPECT_EQ(SendMessageA(Toolbar1(), TB_BUTTONCOUNT, 0, 0), 8);  // with one separator
  EXPECT_EQ(SendMessageA(Toolbar2(), TB_BUTTONCOUNT, 0, 0), 8);  // with two
}

TEST_F(EraserFormTest, OnlyTheTaskToolBarShowsHints) {
  EXPECT_FALSE(GetWindowLongA(Toolbar1(), GWL_STYLE) & TBSTYLE_TOOLTIPS);
  EXPECT_TRUE(GetWindowLongA(Toolbar2(), GWL_STYLE) & TBSTYLE_TOOLTIPS);
  const struct {
    int id;
    const char* hint;
  } hints[] = {{ToolButton7, "Check All Boxes"}, {ToolButton8, "UnCheck All Boxes"},
               {ToolButton11, "Run Clean Up"},   {ToolButton15, "Read And Report on Index.dat"},
               {ToolButton14, "Show Help Form"}, {ToolButton12, "Close Quillmere"}};
  for (const auto& h : hints) {
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = Toolbar2();
    info.hdr.idFrom = static_cast<UINT_PTR>(h.id);
    info.hdr.code = TTN_GETDISPINFOA;
    SendMessageA(form->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, h.hint);
  }
}

TEST_F(EraserFormTest, SwitchingPagesShowsOneSheet) {
  form->Show();
  const HWND cookieBar = form->CookiePage().ToolBar().host();
  const HWND taskBar = form->TaskPage().ToolBar().host();
  ASSERT_TRUE(IsWindowVisible(cookieBar));
  EXPECT_FALSE(IsWindowVisible(taskBar));
  form->SetActivePageIndex(1);
  EXPECT_EQ(form->ActivePageIndex(), 1);
  EXPECT_TRUE(IsWindowVisible(taskBar));
  EXPECT_FALSE(IsWindowVisible(cookieBar));
  form->SetActivePageIndex(0);
  EXPECT_TRUE(IsWindowVisible(cookieBar));
  EXPECT_FALSE(IsWindowVisible(taskBar));
}

TEST_F(EraserFormTest, ShowStatusPutsTwoBlanksInTheStatusBarAndTheMessageInTheLog) {
  form->ShowStatus("Deleted 2 Cookies");
  EXPECT_EQ(StatusBarText(form->StatusBar()), "  Deleted 2 Cookies");
  ASSERT_FALSE(activity->Lines().empty());
  EXPECT_EQ(activity->Lines().back(), "Deleted 2 Cookies");
  form->ShowStatus("");
  EXPECT_EQ(StatusBarText(form->StatusBar()), "  ");
  EXPECT_EQ(activity->Lines(), (std::vector<std::string>{"Deleted 2 Cookies", ""}));
  EXPECT_FALSE(IsWindowVisible(activity->hwnd()));  // the sink does not show the log
}

TEST_F(EraserFormTest, RunsMoveTheProgressBarWithinTheirItemCount) {
  RunReport& report = *form;
  report.SetProgressMax(3);
  report.SetProgressPosition(2);
  EXPECT_EQ(SendMessageA(form->ProgressBarWindow(), PBM_GETRANGE, FALSE, 0), 3);
  EXPECT_EQ(SendMessageA(form->ProgressBarWindow(), PBM_GETPOS, 0, 0), 2);
  report.SetProgressMax(0);
  report.SetProgressPosition(0);
  EXPECT_EQ(SendMessageA(form->ProgressBarWindow(), PBM_GETPOS, 0, 0), 0);
}

TEST_F(EraserFormTest, ShowStatusBeforeTheActivityWindowExistsReachesTheStatusBar) {
  form->AttachActivityWindow(nullptr);
  form->ShowStatus("early");
  EXPECT_EQ(StatusBarText(form->StatusBar()), "  early");
  EXPECT_TRUE(activity->Lines().empty());
}

TEST_F(EraserFormTest, ActivationEnablesPrivacyFromShlwapiVersionSix) {
  form->CookiePage().ToolBar().Enable(ToolButton4, false);
  shell.version = DllVersionInfo{.major = 5};
  Activate();
  EXPECT_EQ(ShlwapiMajorVersion, 5u);
  EXPECT_FALSE(form->CookiePage().ToolBar().IsEnabled(ToolButton4));
  shell.version = DllVersionInfo{.major = 6};
  Activate();
  EXPECT_TRUE(form->CookiePage().ToolBar().IsEnabled(ToolButton4));
}

TEST_F(EraserFormTest, AnOldShlwapiLeavesAnEnabledPrivacyButtonEnabled) {
  cache.Add("Cookie:jane@one.test/");
  shell.version = DllVersionInfo{.major = 4};
  MakeForm();
  Activate();
  EXPECT_TRUE(form->CookiePage().ToolBar().IsEnabled(ToolButton4));
  shell.version.reset();
  form->SetActivePageIndex(1);
  Activate();
  EXPECT_EQ(ShlwapiMajorVersion, 0u);
  EXPECT_TRUE(form->CookiePage().ToolBar().IsEnabled(ToolButton4));
}

class CloseButtonTest : public EraserFormTest, public ::testing::WithParamInterface<int> {};

TEST_P(CloseButtonTest, EndsTheProgram) {
  const int page = GetParam() == ToolButton6 ? 0 : 1;
  form->SetActivePageIndex(page);
  ClickToolButton(page == 0 ? Toolbar1() : Toolbar2(), GetParam());
  PumpMessages();
  EXPECT_FALSE(IsWindow(form->hwnd()));
  EXPECT_TRUE(TakeQuitMessage());
}

INSTANTIATE_TEST_SUITE_P(BothPages, CloseButtonTest, ::testing::Values(ToolButton6, ToolButton12));

// While the help window is up, this timer looks at it and closes it.
struct HelpWindowSeen {
  bool found = false;
  SIZE size{};
  std::string caption{};
  bool ownerEnabled = true;
  HWND owner = nullptr;
  bool ownedByOwner = false;
  bool visible = false;
};
HelpWindowSeen seen;

void CALLBACK CloseHelpWindow(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND help = FindWindowA("Thelpform", nullptr);
  if (!help) return;
  KillTimer(nullptr, timer);
  seen.found = true;
  seen.size = OuterSize(help);
  seen.caption = win32::WindowText(help);
  seen.ownerEnabled = IsWindowEnabled(seen.owner);
  seen.ownedByOwner = GetWindow(help, GW_OWNER) == seen.owner;
  seen.visible = IsWindowVisible(help);
  PostMessageA(help, WM_CLOSE, 0, 0);
}

class HelpButtonTest : public EraserFormTest, public ::testing::WithParamInterface<int> {};

TEST_P(HelpButtonTest, ShowsTheHelpWindowModally) {
  seen = HelpWindowSeen{.owner = form->hwnd()};
  const int page = GetParam() == ToolButton13 ? 0 : 1;
  form->SetActivePageIndex(page);
  ShowWindow(form->hwnd(), SW_SHOW);
  SetActiveWindow(form->hwnd());
  SetTimer(nullptr, 0, 50, CloseHelpWindow);
  ClickToolButton(page == 0 ? Toolbar1() : Toolbar2(), GetParam());
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.caption, "Quillmere Help");
  EXPECT_EQ(seen.size.cx, 455);
  EXPECT_EQ(seen.size.cy, 251);
  EXPECT_TRUE(seen.visible);
  EXPECT_TRUE(seen.ownedByOwner);
  EXPECT_FALSE(seen.ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
  EXPECT_EQ(GetActiveWindow(), form->hwnd()) << "the main window is active again";
  EXPECT_FALSE(FindWindowA("Thelpform", nullptr));
}

INSTANTIATE_TEST_SUITE_P(BothPages, HelpButtonTest, ::testing::Values(ToolButton13, ToolButton14));

// A window whose handler fails, to see the top-level handler at work.
class FailingWindow final : public win32::Window {
 public:
  FailingWindow() { Create({.className = "QuillmereFailingWindow", .style = WS_POPUP}); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP) throw std::runtime_error("'x' is not a valid integer value");
    if (message == WM_APP + 1) return 42;
    return Default(message, wParam, lParam);
  }
};

TEST(TopLevelErrorHandler, ShowsTheErrorAndTheWindowGoesOn) {
  std::vector<std::string> shown;
  win32::SetTopLevelErrorHandler([&](const std::string& message) { shown.push_back(message); });
  FailingWindow window;
  SendMessageA(window.hwnd(), WM_APP, 0, 0);
  EXPECT_EQ(shown, (std::vector<std::string>{"'x' is not a valid integer value"}));
  EXPECT_EQ(SendMessageA(window.hwnd(), WM_APP + 1, 0, 0), 42);
  win32::SetTopLevelErrorHandler(nullptr);
}

TEST(ErrorBox, ShowsTheTextUnderTheProductCaptionWithOneOkButton) {
  ReadNextMessageBox();
  win32::ShowErrorBox("'abc' is not a valid integer value");
  EXPECT_EQ(seenBox.caption, "Quillmere");
  EXPECT_EQ(seenBox.text, "'abc' is not a valid integer value");
  EXPECT_TRUE(seenBox.informationIcon);
  EXPECT_TRUE(seenBox.onlyOk);
}

}  // namespace
}  // namespace quillmere
