#pragma once

#include <memory>
#include <string_view>

#include "cleaners/gui/TaskPage.h"
#include "common/PageServices.h"
#include "common/RunReport.h"
#include "cookies/gui/CookiePage.h"
#include "gauges/Gauges.h"
#include "gauges/gui/GaugeHeader.h"
#include "history/UrlHistory.h"
#include "platform/Ports.h"
#include "platform/win32/Handles.h"
#include "toolkit/Panel.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Timer.h"
#include "toolkit/Window.h"

namespace quillmere {

class TActiveForm;

// The main window: the gauge header, the progress bar, the two tab pages, the status
// bar and the timer. It is the status sink every run reports to, and what the pages
// ask to show the activity window, to measure the gauges again and to show the help.
class TEraserForm final : public win32::Window,
                          public RunReport,
                          public ActivityLog,
                          public GaugeRefresh,
                          public GaugeBoard,
                          public HelpWindow {
 public:
  explicit TEraserForm(const Ports& ports);
  ~TEraserForm() override;

  // The activity window exists only after the main window (start-up step 3); until
  // it is attached, status messages reach the status bar alone.
  void AttachActivityWindow(TActiveForm* activity) { ActiveForm = activity; }
  void Show();

  // The status sink: "  " + message in the status bar, at once, and the message as
  // the activity window's new last line.
  void ShowStatus(std::string_view message) override;
  void SetProgressMax(int max) override;
  void SetProgressPosition(int position) override;

  // Every gauge measured anew into the task captions, the status line and the pie.
  // The pages ask for it after a run; the figures go down to the task page and the
  // header, which know nothing of each other.
  void RefreshGauges() override;
  // Where the gauges show: the task page's captions and the header's pie.
  void FillTaskList() override;
  void AppendToTask(int index, std::string_view text) override;
  void SetPiePosition(int position) override;

  // The parts a caller or a test looks at.
  HWND StatusBar() const { return StatusBar1->hwnd(); }
  HWND ProgressBarWindow() const { return ProgressBar->hwnd(); }
  HWND PageControl() const { return PageControl1; }
  TGaugeHeader& Gauges() { return *Header; }
  TCookiePage& CookiePage() { return *CookiesPage; }
  TTaskPage& TaskPage() { return *TasksPage; }
  TUrlHistory& UrlHistory() { return UrlHistory1; }
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Runs from a clean-up or report button start with the activity window shown, empty.
  void ShowEmpty() override;
  void Hide() override;
  void ShowHelp() override;

  void CreatePages(int top, int height);
  void ShowActivePage();
  void OnCommand(int id);
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  void FormShow();

  const Ports ports_;
  TActiveForm* ActiveForm = nullptr;

  win32::UniqueFont font_;
  win32::UniqueFont boldFont_;
  win32::UniqueImageList ImageList2;
  win32::UniqueIcon icon_;
  win32::UniqueIcon smallIcon_;
  TUrlHistory UrlHistory1;
  std::unique_ptr<win32::Timer> Timer1;

  HWND Bevel1 = nullptr;
  std::unique_ptr<win32::ProgressBar> ProgressBar;
  HWND PageControl1 = nullptr;
  std::unique_ptr<win32::Panel> TabSheet1;
  std::unique_ptr<win32::Panel> TabSheet2;
  std::unique_ptr<TCookiePage> CookiesPage;
  std::unique_ptr<TTaskPage> TasksPage;
  std::unique_ptr<TGaugeHeader> Header;
  std::unique_ptr<win32::StatusBar> StatusBar1;

  bool shown_ = false;
  HWND focusOnReturn_ = nullptr;
};

}  // namespace quillmere
