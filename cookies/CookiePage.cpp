// The main window's cookie page: the list of the URL cache's cookies, its buttons,
// its sorting and the deletion run.
#include "app/EraserForm.h"

#include <commctrl.h>

#include <cstdint>
#include <exception>
#include <string>

#include "app/ActiveForm.h"
#include "app/FuncUnit.h"
#include "cookies/CookieRow.h"
#include "cookies/CookieSort.h"
#include "platform/UrlCacheWalk.h"

namespace quillmere {
namespace {

constexpr int kFullAddressColumn = 4;

// The hourglass for the whole screen while the cache is read; nothing pumps
// messages meanwhile, so no other window takes the cursor back before the end.
class HourglassCursor {
 public:
  HourglassCursor() { SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT))); }
  ~HourglassCursor() { SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW))); }
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;
};

}  // namespace

void TEraserForm::CreateCookieList(HWND page, int y, int width, int height) {
  lvCookies = std::make_unique<TAdvListView>(TAdvListView::Args{
      .parent = page, .y = y, .width = width, .height = height, .font = font_.get()});
  lvCookies->AddColumn("Address", 125);
  lvCookies->AddColumn("Hits", 45, taCenter);
  lvCookies->AddColumn("Modified", 80);
  lvCookies->AddColumn("Expires", 80);
  lvCookies->AddColumn("Full Address", 150);
  lvCookies->OnColumnClick = [this](TAdvListView&, const TListColumn& column) {
    lvCookiesColumnClick(column);
  };
  lvCookies->OnCompare = [this](TAdvListView&, TListItem& item1, TListItem& item2, std::intptr_t,
                                int& compare) { lvCookiesCompare(item1, item2, compare); };
}

// An error while the window is made is shown, and the window is made all the same.
void TEraserForm::FormCreate() {
  try {
    ListCookies();
  } catch (const std::exception& error) {
    win32::ReportTopLevelError(error.what());
  }
}

void TEraserForm::ListCookies() {
  const HourglassCursor hourglass;
  // The count and the buttons follow the rows, also when reading ends in an error.
  struct CountOnExit {
    TEraserForm& form;
    ~CountOnExit() { form.UpdateCookieCount(); }
  } const count{*this};
  // Also when the window is made: the platform list repaints itself for every row
  // added while its redrawing is on, which grows with the rows already there.
  const TAdvListView::UpdateScope quiet(*lvCookies);
  ForEachUrlCacheEntry(ports_.urlCache, [this](const UrlCacheEntry& entry) {
    if (IsCookie(entry)) AddCookieRow(entry);
  });
}

void TEraserForm::AddCookieRow(const UrlCacheEntry& entry) {
  CookieRow row = MakeCookieRow(ports_.localeTime, entry);
  lvCookies->AddItem(std::move(row.address), {std::move(row.hits), std::move(row.modified),
                                              std::move(row.expires), std::move(row.fullAddress)});
}

void TEraserForm::UpdateCookieCount() {
  const int n = lvCookies->ItemCount();
  for (const int id : {ToolButton1, ToolButton2, ToolButton5}) ToolBar1->Enable(id, n > 0);
  if (n <= 0) {
    ToolBar1->Enable(ToolButton4, false);
  } else if (ShlwapiMajorVersion >= 6) {
    ToolBar1->Enable(ToolButton4, true);
  }
  SetWindowTextA(edCookieCount, std::to_string(n).c_str());
}

void TEraserForm::FocusCookieList() {
  if (!lvCookies->CanFocus()) return;
  int row = lvCookies->ItemFocused();
  if (row < 0 && lvCookies->ItemCount() > 0) row = 0;
  if (row < 0) return;
  lvCookies->SetFocus();
  lvCookies->MakeCurrent(row);
}

bool TEraserForm::DeleteCookie(const std::string& sourceUrl) {
  return ports_.urlCache.DeleteEntry(sourceUrl);
}

void TEraserForm::btnCheckClick(int tag) {
  for (int i = 0; i < lvCookies->ItemCount(); ++i) lvCookies->Item(i).SetChecked(tag == 1);
}

void TEraserForm::btnRefreshClick(int) {
  {
    const TAdvListView::UpdateScope quiet(*lvCookies);
    lvCookies->ClearItems();
    ListCookies();
  }
  FocusCookieList();
}

void TEraserForm::btnDeleteClick(int) {
  ShowEmptyActivityWindow();
  const int n = lvCookies->ItemCount();
  SetProgressMax(n);
  int deleted = 0;
  for (int i = 0; i < n; ++i) {
    const TListItem& row = lvCookies->Item(i);
    if (row.Checked()) {
      // Only what the cache reports deleted counts; a cookie that stays is named.
      const std::string& address = row.Cell(kFullAddressColumn);
      if (DeleteCookie(address)) {
        ++deleted;
      } else {
        ShowStatus("Could Not Delete : " + address);
      }
    }
    SetProgressPosition(i);
  }
  ShowStatus("Deleted " + std::to_string(deleted) + " Cookies");
  OnCommand(ToolButton3);
  SetProgressPosition(0);
  RefreshGauges();
  if (ActiveForm) ActiveForm->Hide();
}

void TEraserForm::lvCookiesColumnClick(const TListColumn& column) {
  SortColumn = NextSortColumn(SortColumn, column.Index);
  // From stNone to stData sorts once on every click.
  lvCookies->SetSortType(stNone);
  lvCookies->SetSortType(stData);
}

void TEraserForm::lvCookiesCompare(TListItem& item1, TListItem& item2, int& compare) {
  const int cell = SortedCell(SortColumn);
  compare = CompareCookieCells(ports_.localeTime, SortColumn, item1.Cell(cell), item2.Cell(cell));
}

// The timer's watch over the Internet Properties sheet: once no sheet is open, the
// timer goes off and the list is read again. At start-up there is none, so the
// first tick reads the list a second time; while one is open, every tick looks
// again.
void TEraserForm::TimerTimer() {
  if (FindWindowA("#32770", "Internet Properties")) return;
  SetTimerEnabled(false);
  OnCommand(ToolButton3);
}

}  // namespace quillmere
