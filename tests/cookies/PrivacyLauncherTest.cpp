#include "cookies/PrivacyLauncher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/fakes/FakeDesktop.h"

namespace quillmere {
namespace {

using ::testing::Contains;
using namespace quillmere::testing;
using Log = std::vector<std::string>;

constexpr WindowHandle kMainWindow = 0x4d41;
constexpr int kEditButtonId = 0x1234;
const std::string kStart = std::string("start ") + kPrivacyCommandLine + " (2)";

// `passes` looks for the window with this title, each with its pause and pumping.
Log Passes(const std::string& title, int passes) {
  Log log;
  for (int i = 0; i < passes; ++i) log.insert(log.end(), {"find " + title, "sleep 200", "pump"});
  return log;
}
Log operator+(Log a, const Log& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
// The box owned by the main window, captioned "Quillmere".
Log Message(const char* text) {
  return {"message to " + std::to_string(kMainWindow) + ", Quillmere: " + text};
}

// The launcher over a desktop held in memory; the fixture is the cookie page it
// serves, writing into the desktop's log.
class PrivacyLauncherTest : public ::testing::Test, public PrivacyPage {
 protected:
  WindowHandle MainWindow() const override { return kMainWindow; }
  std::optional<std::string> SelectedAddress() const override {
    desktop.log.push_back("read address");
    return selected;
  }
  bool TimerEnabled() const override { return timer; }
  void SetTimerEnabled(bool enabled) override {
    if (failTimer) throw std::runtime_error("Cannot start the timer.");
    desktop.log.push_back(enabled ? "timer on" : "timer off");
    timer = enabled;
  }
  void RefreshCookieList() override { desktop.log.push_back("refresh"); }
  void CloseMainWindow() override { desktop.log.push_back("close main window"); }

  // The Internet Properties sheet with its Privacy page and the page's edit button.
  void OpenSheet() {
    sheet = desktop.Add("#32770", "Internet Properties");
    page = desktop.Add("#32770", "Privacy", sheet);
    button = desktop.Add("Button", "&Edit...", page, kEditButtonId);
  }
  // A click on the edit button opens the per-site dialog, its address box second
  // among its children and first among the edit boxes.
  void OpenPerSiteOnClick() {
    desktop.onPost = [this](WindowHandle to, int id) {
      if (to != sheet || id != kEditButtonId) return;
      perSite = desktop.Add("#32770", "Per Site Privacy Actions");
      desktop.Add("Static", "Address of Web site:", perSite);
      addressBox = desktop.Add("Edit", "", perSite);
      desktop.Add("Edit", "", perSite);
    };
  }
  // Runs `action` inside the given pumping, counted from 1.
  void OnPump(int n, std::function<void()> action) {
    desktop.onPump = [this, n, action, pumps = 0]() mutable {
      if (++pumps == n) action();
      return !quit;
    };
  }
  // A launch up to its waits for the per-site dialog, the sheet found at the given pass.
  Log UpToPerSite(int sheetPasses, int perSitePasses) {
    return Log{kStart} + Passes("Internet Properties", sheetPasses) +
           Log{"child #32770 Privacy", "child Button &Edit...",
               "post " + std::to_string(kEditButtonId) + " from " + std::to_string(button) +
                   " to " + std::to_string(sheet)} +
           Passes("Per Site Privacy Actions", perSitePasses);
  }
  std::string TypedInto(const std::string& address) {
    return "text " + std::to_string(addressBox) + " " + address;
  }
  Log Typed(const std::string& address) {
    return {"read address", "child Edit (any)", TypedInto(address), "timer on"};
  }

  FakeDesktop desktop;
  PrivacyLauncher launcher{desktop, *this};
  std::optional<std::string> selected = "www.example.com";
  bool timer = false, failTimer = false, quit = false;
  WindowHandle sheet = kNoWindow, page = kNoWindow, button = kNoWindow;
  WindowHandle perSite = kNoWindow, addressBox = kNoWindow;
};

TEST_F(PrivacyLauncherTest, AWindowThatNeverComesEndsTheLaunchAfterTwentyOneFinds) {
  launcher.Launch();
  EXPECT_EQ(desktop.log,
            Log{kStart} + Passes("Internet Properties", 21) + Message(kSheetNotFoundMessage));

  // No per-site dialog: silently, the address unread and the timer left off.
  desktop.log.clear();
  OpenSheet();
  launcher.Launch();
  EXPECT_EQ(desktop.log, UpToPerSite(1, 21));
}

TEST_F(PrivacyLauncherTest, TheAddressSelectedAfterTheWaitsIsTypedAndTheTimerSwitchedOn) {
  OpenSheet();  // already open: the launcher goes on after one pause
  OpenPerSiteOnClick();
  OnPump(2, [this] { selected = "shop.example.org/cart"; });  // a nested refresh
  launcher.Launch();
  EXPECT_EQ(desktop.log, UpToPerSite(1, 1) + Typed("shop.example.org/cart"));

  // With no row selected nothing is typed, and the timer, now on, is left as it is.
  desktop.log.clear();
  desktop.windows.erase(perSite);
  selected.reset();
  launcher.Launch();
  EXPECT_EQ(desktop.log, UpToPerSite(1, 1) + Log{"read address"});
}

class MissingControlTest : public PrivacyLauncherTest,
                           public ::testing::WithParamInterface<bool> {};

// A top-level "&Edit..." button elsewhere must not stand in for the page's.
TEST_P(MissingControlTest, ShowsTheSecondMessageAndLeavesTheSheetOpen) {
  const bool pageMissing = GetParam();
  OpenSheet();
  desktop.windows.erase(pageMissing ? page : button);
  desktop.Add("Button", "&Edit...", kNoWindow, kEditButtonId);
  launcher.Launch();
  const Log lookups = pageMissing ? Log{"child #32770 Privacy"}
                                  : Log{"child #32770 Privacy", "child Button &Edit..."};
  EXPECT_EQ(desktop.log, Log{kStart} + Passes("Internet Properties", 1) + lookups +
                             Message(kEditButtonNotFoundMessage));
  EXPECT_TRUE(desktop.windows.contains(sheet));
}

INSTANTIATE_TEST_SUITE_P(PageOrButton, MissingControlTest, ::testing::Bool());

TEST_F(PrivacyLauncherTest, TheWatchReadsTheListOnceTheSheetIsGoneAndBeepsWhileItStays) {
  const Log firstPass{"find Internet Properties", "sleep 200", "timer off", "pump"};
  timer = true;
  launcher.Watch();  // no sheet: read at once
  EXPECT_EQ(desktop.log, firstPass + Log{"refresh"});

  desktop.log.clear();
  timer = true;
  OpenSheet();
  OnPump(3, [this] { desktop.windows.erase(sheet); });
  launcher.Watch();  // the timer switched off in the first pass only
  EXPECT_EQ(desktop.log, firstPass + Passes("Internet Properties", 3) + Log{"refresh"});

  desktop.log.clear();
  OpenSheet();
  desktop.onPump = nullptr;
  launcher.Watch();
  EXPECT_EQ(desktop.log, Passes("Internet Properties", 1001) + Log{"beep"});
}

// Handlers that run inside the waits.

TEST_F(PrivacyLauncherTest, PressesAndTicksInsideALaunchStartNothingAndTheLaunchGoesOn) {
  OpenPerSiteOnClick();
  desktop.onPump = [this, pumps = 0]() mutable {
    launcher.Launch();
    launcher.Watch();
    if (++pumps == 3) OpenSheet();
    return true;
  };
  launcher.Launch();
  EXPECT_EQ(desktop.log, UpToPerSite(4, 1) + Typed("www.example.com"));
}

TEST_F(PrivacyLauncherTest, ALaunchInsideTheWatchLeavesOneWatchThatReadsTheListOnce) {
  OpenSheet();
  OpenPerSiteOnClick();
  timer = true;
  desktop.onPump = [this, pumps = 0]() mutable {
    ++pumps;
    if (pumps == 2) launcher.Launch();  // its end switches the timer on again
    launcher.Watch();                   // a tick now and then: ignored
    if (pumps == 6) desktop.windows.erase(sheet);
    return true;
  };
  launcher.Watch();
  EXPECT_THAT(desktop.log, Contains("refresh").Times(1));
  EXPECT_THAT(desktop.log, Contains("timer on").Times(1));
  EXPECT_THAT(desktop.log, Contains("timer off").Times(2));  // the first pass, and the one after
  EXPECT_EQ(desktop.log.back(), "refresh");
  EXPECT_THAT(desktop.log, Contains(TypedInto("www.example.com")));
}

// A quit ends the launch or the watch under way at once, and no later run; so does
// an error.
TEST_F(PrivacyLauncherTest, AQuitOrAnErrorEndsTheRunUnderWayAndNoLaterOne) {
  OnPump(2, [this] { quit = true; });
  launcher.Launch();
  EXPECT_EQ(desktop.log, Log{kStart} + Passes("Internet Properties", 2));

  quit = false;
  desktop.log.clear();
  OpenSheet();
  OnPump(3, [this] { quit = true; });
  launcher.Watch();  // three passes: not stopped by the launch's quit; no refresh or beep
  EXPECT_EQ(desktop.log, Passes("Internet Properties", 3));

  quit = false;
  desktop.log.clear();
  OpenPerSiteOnClick();
  failTimer = true;
  EXPECT_THROW(launcher.Launch(), std::runtime_error);
  failTimer = false;
  launcher.Launch();
  EXPECT_THAT(desktop.log, Contains(kStart).Times(2));
  EXPECT_EQ(desktop.log.back(), "timer on");
}

TEST_F(PrivacyLauncherTest, ACloseInsideTheWaitsIsHeldUntilTheOutermostHasEnded) {
  OpenSheet();
  bool canClose = true;
  desktop.onPump = [this, &canClose, pumps = 0]() mutable {
    ++pumps;
    if (pumps == 2) launcher.Launch();
    if (pumps == 3) launcher.CloseQuery(canClose);  // inside the launch's first wait
    return true;
  };
  launcher.Watch();
  EXPECT_FALSE(canClose);
  // The launch ends after its pumping; the watch after its own, with no refresh.
  EXPECT_EQ(desktop.log, Passes("Internet Properties", 2) + Log{kStart} +
                             Passes("Internet Properties", 1) + Log{"close main window"});

  canClose = true;
  launcher.CloseQuery(canClose);  // nothing waits: the window may close now
  EXPECT_TRUE(canClose);
  EXPECT_THAT(desktop.log, Contains("close main window").Times(1));
}

}  // namespace
}  // namespace quillmere
