#include "cookies/PrivacyLauncher.h"

namespace quillmere {
namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kSheetTitle[] = "Internet Properties";
constexpr char kPrivacyPageTitle[] = "Privacy";
constexpr char kEditButtonTitle[] = "&Edit...";
constexpr char kPerSiteTitle[] = "Per Site Privacy Actions";
constexpr char kCaption[] = "Quillmere";
constexpr int kShowMinimized = 2;
constexpr int kLaunchTries = 21;
constexpr int kWatchTries = 1001;
constexpr unsigned kPauseMilliseconds = 200;

}  // namespace

// A launch or the watch under way. When the outermost of them ends, also by an
// error, the run is over: a stop no longer holds, and a held close goes ahead.
class PrivacyLauncher::Run {
 public:
  Run(PrivacyLauncher& launcher, bool& running) : launcher_(launcher), running_(running) {
    running_ = true;
  }
  ~Run() {
    running_ = false;
    if (!launcher_.Busy()) launcher_.Finish();
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

 private:
  PrivacyLauncher& launcher_;
  bool& running_;
};

void PrivacyLauncher::Finish() {
  stopping_ = false;
  if (closeHeld_) {
    closeHeld_ = false;
    page_.CloseMainWindow();
  }
}

void PrivacyLauncher::Launch() {
  if (launching_) return;  // the first press is still waiting for its windows
  const Run run(*this, launching_);
  desktop_.StartCommand(kPrivacyCommandLine, kShowMinimized);
  const WindowHandle sheet = WaitForDialog(kSheetTitle, kLaunchTries);
  if (stopping_) return;
  if (!sheet) return ShowMessage(kSheetNotFoundMessage);
  // Without a page, the button must not be looked for among the top-level windows.
  const WindowHandle page = desktop_.FindChild(sheet, kDialogClass, kPrivacyPageTitle);
  const WindowHandle button =
      page ? desktop_.FindChild(page, "Button", kEditButtonTitle) : kNoWindow;
  if (!button) return ShowMessage(kEditButtonNotFoundMessage);
  desktop_.PostCommand(sheet, desktop_.ControlId(button), button);
  const WindowHandle perSite = WaitForDialog(kPerSiteTitle, kLaunchTries);
  if (!perSite) return;
  // Read only now: a refresh inside the waits may have replaced every row.
  if (const std::optional<std::string> address = page_.SelectedAddress()) {
    if (const WindowHandle box = desktop_.FindChild(perSite, "Edit", nullptr))
      desktop_.SendText(box, *address);
  }
  if (!page_.TimerEnabled()) page_.SetTimerEnabled(true);
}

// A tick during a launch waits for the timer that the launch leaves on; a tick
// during the watch comes from a launch inside it, and the watch under way covers it.
void PrivacyLauncher::Watch() {
  if (Busy()) return;
  const Run run(*this, watching_);
  bool open = true;
  for (int i = 0; i < kWatchTries && open; ++i) {
    open = desktop_.FindTopLevel(kDialogClass, kSheetTitle) != kNoWindow;
    desktop_.Sleep(kPauseMilliseconds);
    if (page_.TimerEnabled()) page_.SetTimerEnabled(false);
    if (!Pump()) return;
  }
  if (open) {
    desktop_.Beep();
  } else {
    page_.RefreshCookieList();
  }
}

void PrivacyLauncher::CloseQuery(bool& canClose) {
  if (!Busy()) return;
  canClose = false;
  closeHeld_ = true;
  stopping_ = true;
}

WindowHandle PrivacyLauncher::WaitForDialog(const char* title, int tries) {
  for (int i = 0; i < tries; ++i) {
    const WindowHandle found = desktop_.FindTopLevel(kDialogClass, title);
    desktop_.Sleep(kPauseMilliseconds);
    if (!Pump()) return kNoWindow;
    if (found) return found;
  }
  return kNoWindow;
}

void PrivacyLauncher::ShowMessage(const char* text) {
  desktop_.ShowMessage(page_.MainWindow(), text, kCaption);
}

bool PrivacyLauncher::Pump() {
  if (!desktop_.PumpMessages()) stopping_ = true;
  return !stopping_;
}

}  // namespace quillmere
