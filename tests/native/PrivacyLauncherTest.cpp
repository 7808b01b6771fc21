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
using ::testing::IsEmpty;
using namespace quillmere::testing;
using Log = std::vector<std::string>;

constexpr WindowHandle kMainWindow = 0x4d41;
constexpr int kEditButtonId = 0x1234;
const std::string kStart = std::string("start ") + kPrivacyCommandLine + " (2)";

// The cookie page as the launcher sees it, writing into the desktop's log.
class FakePrivacyPage final : public PrivacyPage {
 public:
  explicit FakePrivacyPage(Log& log) : log_(log) {}
  WindowHandle MainWindow() const override { return kMainWindow; }
  std::optional<std::string> SelectedAddress() const override {
    log_.push_back("read address");
    return selected;
  }
  bool TimerEnabled() const override { return timer; }
  void SetTimerEnabled(bool enabled) override {
    if (failTimer) throw std::runtime_error("Cannot start the timer.");
    log_.push_back(enabled ? "timer on" : "timer off");
    timer = enabled;
  }
  void RefreshCookieList() override { log_.push_back("refresh"); }
  void CloseMainWindow() override { log_.push_back("close main window"); }

  std::optional<std::string> selected = "www.example.com";
  bool timer = false;
  bool failTimer = false;

 private:
  Log& log_;
};

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

class PrivacyLauncherTest : public ::testing::Test {
 protected:
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
  Log AfterSheetFound() {
    return Log{"child #32770 Privacy", "child Button &Edit...",
               "post " + std::to_string(kEditButtonId) + " from " + std::to_string(button) +
                   " to " + std::to_string(sheet)};
  }

  // The address typed into the address box, then the timer switched on.
  Log Typed(const std::string& address) {
    return {"read address", "child Edit (any)",
            "text " + std::to_string(addressBox) + " " + address, "timer on"};
  }

  FakeDesktop desktop;
  FakePrivacyPage privacyPage{desktop.log};
  PrivacyLauncher launcher{desktop, privacyPage};
  WindowHandle sheet = kNoWindow, page = kNoWindow, button = kNoWindow;
  WindowHandle perSite = kNoWindow, addressBox = kNoWindow;
  bool quit = false;
};

TEST_F(PrivacyLauncherTest, ASheetThatNeverComesEndsWithTheFirstMessageAfterTwentyOneFinds) {
  launcher.Launch();
  EXPECT_EQ(desktop.log, Log{kStart} + Passes("Internet Properties", 21) + Log{"message"});
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].owner, kMainWindow);
  EXPECT_EQ(desktop.messages[0].caption, "Quillmere");
  EXPECT_EQ(desktop.messages[0].text, kSheetNotFoundMessage);
}

TEST_F(PrivacyLauncherTest, AnOpenSheetIsDrivenToTheSelectedAddressAndTheWatchIsSwitchedOn) {
  OpenSheet();  // already open: the launcher goes on after one pause
  OpenPerSiteOnClick();
  OnPump(2, [this] { privacyPage.selected = "shop.example.org/cart"; });  // a nested refresh
  launcher.Launch();
  EXPECT_EQ(desktop.log, Log{kStart} + Passes("Internet Properties", 1) + AfterSheetFound() +
                             Passes("Per Site Privacy Actions", 1) +
                             Typed("shop.example.org/cart"));
  EXPECT_THAT(desktop.messages, IsEmpty());
}

TEST_F(PrivacyLauncherTest, WithNoRowSelectedNothingIsTypedAndAnEnabledTimerIsLeftAsItIs) {
  OpenSheet();
  OpenPerSiteOnClick();
  privacyPage.selected.reset();
  privacyPage.timer = true;
  launcher.Launch();
  EXPECT_EQ(desktop.log, Log{kStart} + Passes("Internet Properties", 1) + AfterSheetFound() +
                             Passes("Per Site Privacy Actions", 1) + Log{"read address"});
  EXPECT_EQ(desktop.windows[addressBox].text, "");
}

TEST_F(PrivacyLauncherTest, APerSiteDialogThatNeverComesEndsSilentlyWithTheTimerOff) {
  OpenSheet();
  launcher.Launch();
  EXPECT_EQ(desktop.log, Log{kStart} + Passes("Internet Properties", 1) + AfterSheetFound() +
                             Passes("Per Site Privacy Actions", 21));
  EXPECT_FALSE(privacyPage.timer);
}

class MissingControlTest : public PrivacyLauncherTest,
                           public ::testing::WithParamInterface<bool> {};

// A top-level "&Edit..." button elsewhere must not stand in for the page's.
TEST_P(MissingControlTest, ShowsTheSecondMessageAndLeavesTheSheetOpen) {
  const bool pageMissing = GetParam();
  OpenSheet();
  desktop.Remove(pageMissing ? page : button);
  desktop.Add("Button", "&Edit...", kNoWindow, kEditButtonId);
  launcher.Launch();
  const Log lookups = pageMissing ? Log{"child #32770 Privacy"}
                                  : Log{"child #32770 Privacy", "child Button &Edit..."};
  EXPECT_EQ(desktop.log, Log{kStart} + Passes("Internet Properties", 1) + lookups + Log{"message"});
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, kEditButtonNotFoundMessage);
  EXPECT_EQ(desktop.messages[0].owner, kMainWindow);
  EXPECT_TRUE(desktop.windows.count(sheet));
}

INSTANTIATE_TEST_SUITE_P(PageOrButton, MissingControlTest, ::testing::Bool());

TEST_F(PrivacyLauncherTest, TheWatchSwitchesTheTimerOffOnceAndReadsTheListWhenTheSheetCloses) {
  OpenSheet();
  privacyPage.timer = true;
  OnPump(3, [this] { desktop.Remove(sheet); });
  launcher.Watch();
  const Log firstPass{"find Internet Properties", "sleep 200", "timer off", "pump"};
  EXPECT_EQ(desktop.log, firstPass + Passes("Internet Properties", 3) + Log{"refresh"});
}

TEST_F(PrivacyLauncherTest, WithNoSheetTheWatchReadsTheListAtOnce) {
  privacyPage.timer = true;
  launcher.Watch();
  EXPECT_EQ(desktop.log,
            (Log{"find Internet Properties", "sleep 200", "timer off", "pump", "refresh"}));
}

TEST_F(PrivacyLauncherTest, ASheetStillOpenAfterAThousandAndOneFindsEndsTheWatchWithABeep) {
  OpenSheet();
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
  EXPECT_THAT(desktop.log, Contains(kStart).Times(1));
  EXPECT_EQ(desktop.log, Log{kStart} + Passes("Internet Properties", 4) + AfterSheetFound() +
                             Passes("Per Site Privacy Actions", 1) + Typed("www.example.com"));
}

TEST_F(PrivacyLauncherTest, ALaunchInsideTheWatchLeavesOneWatchThatReadsTheListOnce) {
  OpenSheet();
  OpenPerSiteOnClick();
  privacyPage.timer = true;
  desktop.onPump = [this, pumps = 0]() mutable {
    ++pumps;
    if (pumps == 2) launcher.Launch();  // its end switches the timer on again
    launcher.Watch();                   // a tick now and then: ignored
    if (pumps == 6) desktop.Remove(sheet);
    return true;
  };
  launcher.Watch();
  EXPECT_THAT(desktop.log, Contains("refresh").Times(1));
  EXPECT_THAT(desktop.log, Contains("timer on").Times(1));
  EXPECT_THAT(desktop.log, Contains("timer off").Times(2));  // the first pass, and the one after
  EXPECT_EQ(desktop.log.back(), "refresh");
  EXPECT_EQ(desktop.windows[addressBox].text, "www.example.com");
}

TEST_F(PrivacyLauncherTest, AQuitInsideAWaitEndsTheLaunchAtOnce) {
  OnPump(2, [this] { quit = true; });
  launcher.Launch();
  EXPECT_EQ(desktop.log, Log{kStart} + Passes("Internet Properties", 2));
  EXPECT_THAT(desktop.messages, IsEmpty());

  quit = false;  // the next press is not stopped by this one
  desktop.log.clear();
  launcher.Launch();
  EXPECT_EQ(desktop.log, Log{kStart} + Passes("Internet Properties", 21) + Log{"message"});
}

TEST_F(PrivacyLauncherTest, AQuitInsideTheWatchEndsItWithoutARefreshOrABeep) {
  OpenSheet();
  OnPump(3, [this] { quit = true; });
  launcher.Watch();
  EXPECT_EQ(desktop.log, Passes("Internet Properties", 3));
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

TEST_F(PrivacyLauncherTest, AnErrorEndsTheLaunchAndTheNextPressLaunchesAgain) {
  OpenSheet();
  OpenPerSiteOnClick();
  privacyPage.failTimer = true;
  EXPECT_THROW(launcher.Launch(), std::runtime_error);
  privacyPage.failTimer = false;
  launcher.Launch();
  EXPECT_THAT(desktop.log, Contains(kStart).Times(2));
  EXPECT_EQ(desktop.log.back(), "timer on");
}

}  // namespace
}  // namespace quillmere
