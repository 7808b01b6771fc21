#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "app/RunReport.h"
#include "gauges/Gauges.h"
#include "gauges/Scope.h"
#include "history/UrlHistory.h"
#include "listview/AdvListV.h"
#include "platform/Ports.h"
#include "platform/win32/CheckListBox.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Panel.h"
#include "platform/win32/ToolBar.h"
#include "platform/win32/Window.h"

namespace quillmere {

class TActiveForm;

// Command identifiers of the tool buttons, named as the buttons are.
enum EraserCommand : int {
  ToolButton1 = 101,  // "Check All", cookies
  ToolButton2,        // "UnCheck All", cookies
  ToolButton3,        // "Refresh"
  ToolButton4,        // "Privacy"
  ToolButton5,        // "Clean Up", cookies
  ToolButton13,       // "Help", cookies
  ToolButton6,        // "Close", cookies
  ToolButton7,        // "Check All", tasks
  ToolButton8,        // "UnCheck All", tasks
  ToolButton11,       // "Clean Up", tasks
  ToolButton15,       // "Index Report"
  ToolButton14,       // "Help", tasks
  ToolButton12,       // "Close", tasks
};

// The main window: a header, the progress bar, two tab pages with their tool bars,
// and the status bar every run reports to.
class TEraserForm final : public win32::Window, public RunReport, public GaugeBoard {
 public:
  using ClickHandler = void (TEraserForm::*)(int tag);
  struct ToolButtonInfo;

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

  // The gauges: task captions rebuilt, then the recycle bin, the history, the cache
  // and the disk measured into them, the status line and the pie.
  void RefreshGauges();
  // The nine task captions anew, none ticked.
  void FillTaskList() override;
  void AppendToTask(int index, std::string_view text) override;
  void SetPiePosition(int position) override;

  // The windows a caller or a test looks at.
  HWND StatusBar() const { return StatusBar1; }
  HWND ProgressBarWindow() const { return ProgressBar; }
  HWND PageControl() const { return PageControl1; }
  HWND CookieCountEdit() const { return edCookieCount; }
  win32::ToolBar& CookieToolBar() { return *ToolBar1; }
  win32::ToolBar& TaskToolBar() { return *ToolBar2; }
  win32::CheckListBox& TaskList() { return *CheckListBox1; }
  TSimplePie& Pie() { return *SimplePie; }
  win32::Panel& Header() { return *Panel1; }
  TUrlHistory& UrlHistory() { return UrlHistory1; }
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

  // The cookie page: appends a row for every cookie of the URL cache.
  void ListCookies();
  TAdvListView& CookieList() { return *lvCookies; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static std::span<const ToolButtonInfo> CookieButtons();
  static std::span<const ToolButtonInfo> TaskButtons();
  static const ToolButtonInfo* FindButton(int id);

  void CreateHeader();
  void CreatePages();
  void CreateCookiePage(HWND page, int width, int height);
  void CreateTaskPage(HWND page, int width, int height);
  void ShowActivePage();
  void OnCommand(int id);
  LRESULT OnNotify(const NMHDR& header);

  void FormShow();
  void FormActivate();
  void ToolButton7Click(int tag);
  void ToolButton8Click(int tag);
  // Runs from a clean-up or report button start with the activity window shown, empty.
  void ShowEmptyActivityWindow();
  void ToolButton11Click(int tag);
  void ToolButton15Click(int tag);
  void UrlHistory1Delete(const std::string& Title, const std::string& Url, TDateTime LastVisited,
                         TDateTime LastUpdated, TDateTime Expires, bool& Delete);
  void btnCloseClick(int tag);
  void ToolButton13Click(int tag);
  void SetTimerEnabled(bool enabled);

  // The cookie page (cookies/CookiePage.cpp).
  void CreateCookieList(HWND page, int y, int width, int height);
  void FormCreate();
  void AddCookieRow(const UrlCacheEntry& entry);
  void UpdateCookieCount();
  void FocusCookieList();
  bool DeleteCookie(const std::string& sourceUrl);
  void btnCheckClick(int tag);
  void btnRefreshClick(int tag);
  void btnDeleteClick(int tag);
  void lvCookiesColumnClick(const TListColumn& column);
  void lvCookiesCompare(TListItem& item1, TListItem& item2, int& compare);
  void TimerTimer();

  const Ports ports_;
  TActiveForm* ActiveForm = nullptr;

  win32::UniqueFont font_;
  win32::UniqueFont boldFont_;
  win32::UniqueImageList ImageList2;
  win32::UniqueIcon icon_;
  win32::UniqueIcon smallIcon_;

  std::unique_ptr<win32::Panel> Panel1;
  HWND Label1 = nullptr;
  HWND Label2 = nullptr;
  HWND Bevel1 = nullptr;
  HWND ProgressBar = nullptr;
  HWND PageControl1 = nullptr;
  std::unique_ptr<win32::Panel> TabSheet1;
  std::unique_ptr<win32::Panel> TabSheet2;
  std::unique_ptr<win32::ToolBar> ToolBar1;
  std::unique_ptr<win32::ToolBar> ToolBar2;
  std::unique_ptr<win32::Panel> CountPanel;
  HWND edCookieCount = nullptr;
  HWND StatusBar1 = nullptr;

  std::unique_ptr<TSimplePie> SimplePie;
  std::unique_ptr<win32::CheckListBox> CheckListBox1;
  TUrlHistory UrlHistory1;
  bool shown_ = false;
  HWND focusOnReturn_ = nullptr;
  bool timerEnabled_ = false;

  // The cookie page.
  std::unique_ptr<TAdvListView> lvCookies;
  int SortColumn = 0;
};

}  // namespace quillmere
