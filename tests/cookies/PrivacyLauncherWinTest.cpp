// The "Privacy" button of the cookie page against Wine's own control panel and
// against a stand-in sheet program, in processes of their own.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "common/FuncUnit.h"
#include "cookies/PrivacyLauncher.h"
#include "platform/win32/Handles.h"
#include "toolkit/Controls.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/MainWindowTest.h"
#include "helpers/PrivacySheetStandIn.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;
using UniqueProcessHandle = win32::UniqueKernelHandle;
using Texts = std::vector<std::string>;

// Closes a top-level window of another program and waits for that program to end;
// one that does not end is ended.
void EndProgramOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  if (!id || id == GetCurrentProcessId()) return;
  const UniqueProcessHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (process && WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0)
    TerminateProcess(process.get(), 1);
}

class PrivacyLauncherWinTest : public FakePortsMainWindowTest {
 protected:
  void SetUp() override {
    ShlwapiMajorVersion = 6;
    shell.version = DllVersionInfo{.major = 6};
    for (const char* host : {"a", "b"}) cache.Add(std::string("Cookie:jane@") + host + ".test/");
    MakeForm();
    form->Show();
    // As a second after start-up: the timer's first tick has run the watch, which
    // found no sheet, read the list again and switched the timer off.
    for (int i = 0; i < 100 && desktop.finds.empty(); ++i) PumpMessages(50);
    ASSERT_EQ(desktop.finds.size(), 1u);
    desktop.finds.clear();
    List().MakeCurrent(1);
  }
  void TearDown() override {
    KillTimer(nullptr, boxReader);
    for (const char* title : {"Internet Properties", "Internet Settings"}) {
      while (const HWND sheet = FindWindowA("#32770", title)) EndProgramOf(sheet);
    }
    CloseMainWindow();
  }

  void StandIn(const std::string& arguments) {
    desktop.startInstead = "\"" + TestProgramFolder() + "privacy_sheet.exe\" " + arguments;
  }
  // Runs `action` once, inside the pumping that follows the given find.
  void AtFind(std::size_t find, std::function<void()> action) {
    desktop.beforePump = [this, find, action] {
      if (desktop.finds.size() == find) action();
    };
  }
  void PressPrivacy() {
    boxReader = ReadNextMessageBox();
    ClickToolButton(form->CookiePage().ToolBar().hwnd(), ToolButton4);
  }
  // The program's message box with this text came up, owned by the main window.
  void ExpectMessage(const char* text) {
    ASSERT_TRUE(seenBox.found);
    EXPECT_EQ(seenBox.text, text);
    EXPECT_EQ(seenBox.caption, "Quillmere");
    EXPECT_EQ(seenBox.owner, form->hwnd());
    EXPECT_TRUE(seenBox.informationIcon);
    EXPECT_TRUE(seenBox.onlyOk);
  }
  TAdvListView& List() { return form->CookiePage().CookieList(); }
  std::string CountText() { return win32::WindowText(form->CookiePage().CookieCountEdit()); }
  // The text of the per-site dialog's first edit box, from its own process.
  static std::string AddressBoxText() {
    const HWND perSite = FindWindowA("#32770", "Per Site Privacy Actions");
    char text[300] = {};
    SendMessageA(FindWindowExA(perSite, nullptr, "Edit", nullptr), WM_GETTEXT, sizeof text,
                 reinterpret_cast<LPARAM>(text));
    return text;
  }

  UINT_PTR boxReader = 0;
};

// What the launch starts in place of the real command line.
enum class Sheet { kWinesControlPanel, kNone, kWithoutPrivacyPage };

class LaunchMessageTest : public PrivacyLauncherWinTest,
                          public ::testing::WithParamInterface<Sheet> {};

// Wine's control panel calls its sheet "Internet Settings", so it counts as no sheet:
// the first message after 21 finds. A sheet without the Privacy page: the second
// message, the sheet left open.
TEST_P(LaunchMessageTest, ALaunchThatFindsNoEditButtonEndsWithItsMessage) {
  const Sheet sheet = GetParam();
  if (sheet == Sheet::kNone) desktop.startInstead = "";
  if (sheet == Sheet::kWithoutPrivacyPage) StandIn("nopage");
  PressPrivacy();
  if (sheet == Sheet::kWithoutPrivacyPage) {
    ExpectMessage(kEditButtonNotFoundMessage);
    EXPECT_NE(FindWindowA("#32770", "Internet Properties"), nullptr);
    return;
  }
  ExpectMessage(kSheetNotFoundMessage);
  EXPECT_EQ(desktop.finds, Texts(21, "no Internet Properties"));
  if (sheet == Sheet::kWinesControlPanel) {
    HWND settings = nullptr;
    for (int i = 0; i < 200 && !settings; ++i, Sleep(50))
      settings = FindWindowA("#32770", "Internet Settings");
    EXPECT_NE(settings, nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(Sheets, LaunchMessageTest,
                         ::testing::Values(Sheet::kWinesControlPanel, Sheet::kNone,
                                           Sheet::kWithoutPrivacyPage));

// Refresh, Clean Up and another press while the launch waits for a sheet that comes
// after them; then the sheet is closed while the watch waits, a cookie added.
TEST_F(PrivacyLauncherWinTest, HandlersInsideTheWaitsDoNoHarmAndClosingTheSheetReadsTheList) {
  StandIn("later");
  const std::function<void()> atFind[] = {
      [&] {
        cache.Add("Cookie:jane@c.test/");
        PostMessageA(form->hwnd(), WM_COMMAND, ToolButton3, 0);
      },
      [&] {
        List().Item(0).SetChecked(true);
        PostMessageA(form->hwnd(), WM_COMMAND, ToolButton5, 0);
      },
      [&] { PostMessageA(form->hwnd(), WM_COMMAND, ToolButton4, 0); },
      [&] { PostMessageA(FindWindowA("Static", kLaterWindowTitle), WM_APP, 0, 0); }};
  desktop.beforePump = [&] {
    if (desktop.finds.size() <= std::size(atFind)) atFind[desktop.finds.size() - 1]();
  };
  PressPrivacy();
  EXPECT_EQ(desktop.started.size(), 1u);
  EXPECT_EQ(cache.deleted, Texts{"Cookie:jane@a.test/"});
  EXPECT_EQ(CountText(), "2");
  ASSERT_GE(desktop.finds.size(), 4u);
  EXPECT_EQ(Texts(desktop.finds.begin(), desktop.finds.begin() + 4),
            Texts(4, "no Internet Properties"));
  EXPECT_EQ(std::ranges::count(desktop.finds, "Per Site Privacy Actions"), 1);
  EXPECT_EQ(AddressBoxText(), "b.test");  // the row still selected
  EXPECT_FALSE(seenBox.found);

  // The timer, switched on by the launch, ticks and starts the watch, which finds the
  // sheet open; a cookie comes, and the sheet is closed while the watch waits.
  const std::size_t launchFinds = desktop.finds.size();
  std::size_t refreshedAt = 0;
  cache.onSearch = [&] { refreshedAt = desktop.finds.size(); };
  AtFind(launchFinds + 3, [&] {
    cache.Add("Cookie:jane@d.test/");
    EndProgramOf(FindWindowA("#32770", "Internet Properties"));
  });
  for (int i = 0; i < 200 && !refreshedAt; ++i) PumpMessages(50);
  EXPECT_EQ(Texts(desktop.finds.begin() + launchFinds, desktop.finds.end()),
            (Texts{"Internet Properties", "Internet Properties", "Internet Properties",
                   "no Internet Properties"}));
  EXPECT_EQ(refreshedAt, launchFinds + 4);  // at the first find that no longer sees it
  EXPECT_EQ(CountText(), "3");
}

TEST_F(PrivacyLauncherWinTest, ClosingTheMainWindowInsideAWaitEndsTheLaunchBeforeItGoes) {
  desktop.startInstead = "";
  AtFind(3, [&] { ClickToolButton(form->CookiePage().ToolBar().hwnd(), ToolButton6); });
  PressPrivacy();
  EXPECT_EQ(desktop.finds.size(), 3u);
  EXPECT_TRUE(IsWindow(form->hwnd()));  // nothing went while the handler ran
  desktop.beforePump = nullptr;
  PumpMessages();
  EXPECT_FALSE(IsWindow(form->hwnd()));
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_FALSE(seenBox.found);
}

}  // namespace
}  // namespace quillmere
