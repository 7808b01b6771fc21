#pragma once

#include <optional>
#include <string>

#include "platform/Desktop.h"

namespace quillmere {

// The command line that opens the Internet Options control panel on its Privacy page.
inline constexpr char kPrivacyCommandLine[] =
    "rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,@0,2";

inline constexpr char kSheetNotFoundMessage[] =
    "Quillmere was unable to launch the Privacy dialog. Please launch Internet Options from "
    "Control Panel (or from IE's Tools menu), click the Privacy tab, and click the Edit... button.";
inline constexpr char kEditButtonNotFoundMessage[] =
    "Quillmere was unable to launch the Privacy dialog. The Internet Options dialog should be "
    "visible. Please click the Privacy tab, and click the Edit... button.";

// What the launcher asks of the cookie page it serves.
class PrivacyPage {
 public:
  virtual ~PrivacyPage() = default;
  // The main window: the owner of the launcher's messages.
  virtual WindowHandle MainWindow() const = 0;
  // The "Address" of the selected cookie row, read when it is asked for; nullopt when
  // no row is selected.
  virtual std::optional<std::string> SelectedAddress() const = 0;
  // The main window's timer, whose tick runs Watch.
  virtual bool TimerEnabled() const = 0;
  virtual void SetTimerEnabled(bool enabled) = 0;
  // The programmatic click on "Refresh".
  virtual void RefreshCookieList() = 0;
  // Asks the main window to close, from the main message loop.
  virtual void CloseMainWindow() = 0;
};

// Opens the browser's per-site privacy dialog for the selected cookie, and watches for
// the Internet Properties sheet to close so that the cookie list is read again.
//
// Both run on the GUI thread but pump its messages while they wait, so other handlers
// run nested inside them. Those may change the list (the address is read only after
// the waits), press "Privacy" again (ignored while a launch runs), tick the timer
// (ignored while a launch or the watch runs: one watch at a time) or close the main
// window (see CloseQuery).
class PrivacyLauncher {
 public:
  PrivacyLauncher(Desktop& desktop, PrivacyPage& page) : desktop_(desktop), page_(page) {}
  PrivacyLauncher(const PrivacyLauncher&) = delete;
  PrivacyLauncher& operator=(const PrivacyLauncher&) = delete;

  // btnPrivacyClick: opens the sheet, presses its Privacy page's "&Edit..." button,
  // types the address into the per-site dialog and switches the timer on.
  void Launch();
  // PrivacyWatch, on the timer's tick: waits while the sheet is open, then reads the
  // cookie list again; beeps when it is still open after about 200 seconds.
  void Watch();

  // A close of the main window, asked while a wait runs, would take the windows away
  // under the handler that waits and the control that started it. It is held back
  // instead (`canClose` false): every wait ends at its next pass, and the page is
  // asked to close once the outermost has returned.
  void CloseQuery(bool& canClose);

 private:
  class Run;

  bool Busy() const { return launching_ || watching_; }
  void Finish();
  // Looks for the top-level dialog with this title at most `tries` times, pausing
  // after every look; kNoWindow when it did not come or the run must stop.
  WindowHandle WaitForDialog(const char* title, int tries);
  void ShowMessage(const char* text);
  // The pumping after a pause; false when the run must stop.
  bool Pump();

  Desktop& desktop_;
  PrivacyPage& page_;
  bool launching_ = false;
  bool watching_ = false;
  bool stopping_ = false;
  bool closeHeld_ = false;
};

}  // namespace quillmere
