#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "common/PageServices.h"
#include "cookies/CookieDeletion.h"
#include "cookies/CookieStore.h"
#include "cookies/PrivacyLauncher.h"
#include "listview/gui/AdvListV.h"
#include "platform/win32/Win32LinkOpener.h"
#include "toolkit/PageFrame.h"
#include "toolkit/Panel.h"
#include "toolkit/Timer.h"
#include "toolkit/ToolBar.h"
#include "toolkit/ToolButtons.h"

namespace quillmere {

// Command identifiers of the cookie page's tool buttons, named as the buttons are.
enum CookiePageCommand : int {
  ToolButton1 = 101,  // "Check All"
  ToolButton2,        // "UnCheck All"
  ToolButton3,        // "Refresh"
  ToolButton4,        // "Privacy"
  ToolButton5,        // "Clean Up"
  ToolButton13,       // "Help"
  ToolButton6,        // "Close"
};

// The "Cookies Eraser" page: the list of the cookies of every store (the URL cache,
// each browser profile), the count under it, its tool bar, its sorting, the deletion
// run and the privacy launcher.
class TCookiePage : private PrivacyPage {
 public:
  struct Args {
    win32::PageFrame frame;
    PageServices services;
    win32::Timer& timer;  // the main window's timer, whose tick runs TimerTimer
  };
  explicit TCookiePage(const Args& args);
  TCookiePage(const TCookiePage&) = delete;
  TCookiePage& operator=(const TCookiePage&) = delete;

  // The command of one of the page's buttons; false when it is not one of them.
  bool OnCommand(int id);

  // The page's share of the main window's events.
  void FormCreate();
  void FormActivate(bool pageShowing);
  void FormCloseQuery(bool& canClose) { privacy_.CloseQuery(canClose); }
  void TimerTimer() { privacy_.Watch(); }

  // Appends a row for every cookie of every store. A store whose browser holds it
  // keeps the rows it had, and one message names every store that could not be read.
  void ListCookies();

  // The controls a caller or a test looks at.
  TAdvListView& CookieList() { return *lvCookies; }
  win32::ToolBar& ToolBar() { return *ToolBar1; }
  HWND CookieCountEdit() const { return edCookieCount; }

 private:
  using Buttons = win32::ToolButtonTable<TCookiePage>;
  static Buttons ToolButtons();

  // A row's cookie: the name of its store and the cookie as the store gave it.
  struct RowCookie {
    std::string store;
    StoreCookie cookie;
  };

  void CreateCookieList(int y, int width, int height);
  // Reads every store into rows; what could not be read is in the answer.
  std::vector<StoreFailure> ReadStores();
  // The list emptied and read again.
  std::vector<StoreFailure> ReadAgain();
  void OpenStores();
  // One message names the stores of `failures`; for a reading the user did not ask
  // for, only those not named since they began to fail, so that a browser left
  // running is named once and not at every reading the program makes itself.
  void NameFailures(std::vector<StoreFailure> failures, bool userAsked);
  CookieStore* FindStore(const std::string& name) const;
  void AddCookieRow(const CookieStore& store, StoreCookie cookie);
  void UpdateCookieCount();
  void FocusCookieList();
  void btnCheckClick(int tag);
  void btnRefreshClick(int tag);
  void btnDeleteClick(int tag);
  void btnPrivacyClick(int) { privacy_.Launch(); }
  void ToolButton13Click(int tag);
  void btnCloseClick(int tag);
  void lvCookiesColumnClick(const TListColumn& column);
  void lvCookiesCompare(TListItem& item1, TListItem& item2, int& compare);

  // What the privacy launcher asks of the page.
  WindowHandle MainWindow() const override;
  std::optional<std::string> SelectedAddress() const override;
  bool TimerEnabled() const override { return timer_.Enabled(); }
  void SetTimerEnabled(bool enabled) override { timer_.SetEnabled(enabled); }
  void RefreshCookieList() override;
  void CloseMainWindow() override;

  HWND page_;
  HFONT font_;
  PageServices services_;
  win32::Timer& timer_;
  PrivacyLauncher privacy_;
  win32::Win32LinkOpener links_;  // for links in the list's cells

  std::unique_ptr<win32::ToolBar> ToolBar1;
  std::unique_ptr<TAdvListView> lvCookies;
  std::unique_ptr<win32::Panel> CountPanel;
  HWND edCookieCount = nullptr;
  int SortColumn = 0;
  std::vector<std::unique_ptr<CookieStore>> stores_;  // the URL cache first
  std::vector<RowCookie> rowCookies_;                 // each row's Data indexes it
  std::set<std::string> named_;  // the stores failing at the last reading that names them
};

}  // namespace quillmere
