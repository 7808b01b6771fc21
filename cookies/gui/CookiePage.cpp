#include "cookies/gui/CookiePage.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <set>
#include <string>

#include "common/FuncUnit.h"
#include "cookies/BrowserCookieStore.h"
#include "cookies/CookieDeletion.h"
#include "cookies/CookieRow.h"
#include "cookies/CookieSort.h"
#include "cookies/UrlCacheCookieStore.h"
#include "toolkit/Controls.h"

namespace quillmere {
namespace {

constexpr int kToolBarHeight = 60;
constexpr int kCookieListHeight = 260;

// One message for the stores that kept their cookies: those whose browser runs
// first, named together, then each other failure with its reason.
void ShowStoreFailures(const std::vector<StoreFailure>& failures) {
  std::string held;
  std::string others;
  for (const StoreFailure& failure : failures) {
    if (failure.held) {
      held += (held.empty() ? "" : ", ") + failure.store;
    } else {
      others += "\n\n" + failure.message;
    }
  }
  const std::string message =
      held.empty() ? others.substr(2)
                   : "These browsers are running: " + held +
                         ".\nClose them to list or clean their cookies; their cookies are "
                         "left as they are." +
                         others;
  win32::ShowErrorBox(message);
}

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

// The tool bar, button for button as the page shows it.
TCookiePage::Buttons TCookiePage::ToolButtons() {
  static const Buttons::Info buttons[] = {
      {.id = ToolButton1,
       .caption = "Check All",
       .image = 0,
       .tag = 1,
       .click = &TCookiePage::btnCheckClick},
      {.id = ToolButton2,
       .caption = "UnCheck All",
       .image = 1,
       .click = &TCookiePage::btnCheckClick},
      {.id = ToolButton3, .caption = "Refresh", .image = 2, .click = &TCookiePage::btnRefreshClick},
      {.id = ToolButton4, .caption = "Privacy", .image = 3, .click = &TCookiePage::btnPrivacyClick},
      {.id = ToolButton5, .caption = "Clean Up", .image = 4, .click = &TCookiePage::btnDeleteClick},
      {.id = ToolButton13, .caption = "Help", .image = 6, .click = &TCookiePage::ToolButton13Click},
      {.separatorWidth = 8},
      {.id = ToolButton6, .caption = "Close", .image = 5, .click = &TCookiePage::btnCloseClick},
  };
  return Buttons(buttons);
}

TCookiePage::TCookiePage(const Args& args)
    : page_(args.frame.sheet),
      font_(args.frame.font),
      services_(args.services),
      timer_(args.timer),
      privacy_(args.services.ports.desktop, *this) {
  const auto buttons = ToolButtons().Args();
  ToolBar1 = std::make_unique<win32::ToolBar>(win32::ToolBar::Args{.parent = page_,
                                                                   .width = args.frame.width,
                                                                   .height = kToolBarHeight,
                                                                   .button = {66, 52},
                                                                   .images = args.frame.images,
                                                                   .font = font_,
                                                                   .buttons = buttons});
  // The cookie list takes the 493 x 260 below the tool bar; the count sits under it.
  CreateCookieList(kToolBarHeight, args.frame.width, kCookieListHeight);
  const int countTop = kToolBarHeight + kCookieListHeight;
  CountPanel =
      std::make_unique<win32::Panel>(win32::Panel::Args{.parent = page_,
                                                        .y = countTop,
                                                        .width = 185,
                                                        .height = args.frame.height - countTop,
                                                        .edge = EDGE_RAISED});
  win32::CreateControl({.className = "STATIC",
                        .text = "Total Cookies:",
                        .x = 8,
                        .y = 8,
                        .width = 70,
                        .height = 14,
                        .parent = CountPanel->hwnd(),
                        .font = font_});
  edCookieCount = win32::CreateControl({.className = "EDIT",
                                        .text = "0",
                                        .style = ES_READONLY | ES_AUTOHSCROLL,
                                        .exStyle = WS_EX_CLIENTEDGE,
                                        .x = 82,
                                        .y = 4,
                                        .width = 95,
                                        .height = 21,
                                        .parent = CountPanel->hwnd(),
                                        .font = font_});
}

void TCookiePage::CreateCookieList(int y, int width, int height) {
  // Cookie texts come from websites: no cell is ever taken for mini-HTML.
  lvCookies = std::make_unique<TAdvListView>(TAdvListView::Args{.parent = page_,
                                                                .y = y,
                                                                .width = width,
                                                                .height = height,
                                                                .font = font_,
                                                                .miniHtmlCells = false},
                                             links_);
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

bool TCookiePage::OnCommand(int id) { return ToolButtons().Dispatch(*this, id); }

// An error while the window is made is shown, and the window is made all the same.
// The stores that cannot be read are named by the reading of the first tick, over the
// window then shown, rather than in a box before it and again a second later.
void TCookiePage::FormCreate() {
  try {
    ReadStores();
  } catch (const std::exception& error) {
    win32::ReportTopLevelError(error.what());
  }
}

void TCookiePage::FormActivate(bool pageShowing) {
  if (pageShowing) FocusCookieList();
  GetShlwapiVersion(services_.ports.shell);
  if (ShlwapiMajorVersion >= 6) ToolBar1->Enable(ToolButton4, true);
}

void TCookiePage::ListCookies() { NameFailures(ReadStores(), true); }

void TCookiePage::NameFailures(std::vector<StoreFailure> failures, bool userAsked) {
  std::set<std::string> failing;
  for (const StoreFailure& failure : failures) failing.insert(failure.store);
  if (!userAsked)
    std::erase_if(failures, [&](const StoreFailure& f) { return named_.contains(f.store); });
  named_ = std::move(failing);
  if (!failures.empty()) ShowStoreFailures(failures);
}

std::vector<StoreFailure> TCookiePage::ReadStores() {
  const HourglassCursor hourglass;
  // The count and the buttons follow the rows, also when reading ends in an error.
  struct CountOnExit {
    TCookiePage& page;
    ~CountOnExit() { page.UpdateCookieCount(); }
  } const count{*this};
  // Also when the window is made: the platform list repaints itself for every row
  // added while its redrawing is on, which grows with the rows already there.
  const TAdvListView::UpdateScope quiet(*lvCookies);
  std::vector<RowCookie> before = std::move(rowCookies_);
  rowCookies_.clear();
  OpenStores();
  std::vector<StoreFailure> failures;
  for (const auto& store : stores_) {
    const auto add = [&](const StoreCookie& cookie) { AddCookieRow(*store, cookie); };
    if (store == stores_.front()) {
      store->ForEachCookie(add);  // the cache's errors are the page's, as they always were
      continue;
    }
    try {
      store->ForEachCookie(add);
    } catch (const StoreHeld& held) {
      failures.push_back({held.storeName(), held.what(), true});
      for (RowCookie& kept : before) {
        if (kept.store == held.storeName()) AddCookieRow(*store, std::move(kept.cookie));
      }
    } catch (const std::exception& error) {
      failures.push_back({store->Name(), error.what(), false});
    }
  }
  return failures;
}

std::vector<StoreFailure> TCookiePage::ReadAgain() {
  std::vector<StoreFailure> failures;
  {
    const TAdvListView::UpdateScope quiet(*lvCookies);
    lvCookies->ClearItems();
    failures = ReadStores();
  }
  FocusCookieList();
  return failures;
}

// The stores as they are now: browsers and profiles may have come or gone.
void TCookiePage::OpenStores() {
  stores_.clear();
  stores_.push_back(std::make_unique<UrlCacheCookieStore>(services_.ports.urlCache));
  for (const BrowserFamily family : {BrowserFamily::kChromium, BrowserFamily::kFirefox}) {
    for (auto& store :
         BrowserCookieStores(FindProfiles(family, services_.ports.files, services_.ports.shell)))
      stores_.push_back(std::move(store));
  }
}

CookieStore* TCookiePage::FindStore(const std::string& name) const {
  for (const auto& store : stores_) {
    if (store->Name() == name) return store.get();
  }
  return nullptr;
}

void TCookiePage::AddCookieRow(const CookieStore& store, StoreCookie cookie) {
  CookieRow row = store.Row(services_.ports.localeTime, cookie);
  lvCookies->AddItem(std::move(row.address),
                     {std::move(row.hits), std::move(row.modified), std::move(row.expires),
                      std::move(row.fullAddress)},
                     static_cast<std::intptr_t>(rowCookies_.size()));
  rowCookies_.push_back({store.Name(), std::move(cookie)});
}

void TCookiePage::UpdateCookieCount() {
  const int n = lvCookies->ItemCount();
  for (const int id : {ToolButton1, ToolButton2, ToolButton5}) ToolBar1->Enable(id, n > 0);
  if (n <= 0) {
    ToolBar1->Enable(ToolButton4, false);
  } else if (ShlwapiMajorVersion >= 6) {
    ToolBar1->Enable(ToolButton4, true);
  }
  SetWindowTextA(edCookieCount, std::to_string(n).c_str());
}

void TCookiePage::FocusCookieList() {
  if (!lvCookies->CanFocus()) return;
  int row = lvCookies->ItemFocused();
  if (row < 0 && lvCookies->ItemCount() > 0) row = 0;
  if (row < 0) return;
  lvCookies->SetFocus();
  lvCookies->MakeCurrent(row);
}

void TCookiePage::btnCheckClick(int tag) {
  for (int i = 0; i < lvCookies->ItemCount(); ++i) lvCookies->Item(i).SetChecked(tag == 1);
}

void TCookiePage::btnRefreshClick(int) { NameFailures(ReadAgain(), true); }

void TCookiePage::RefreshCookieList() { NameFailures(ReadAgain(), false); }

void TCookiePage::btnDeleteClick(int) {
  services_.activity.ShowEmpty();
  // Every row, in the list's order, the ticked ones chosen.
  std::vector<CookieChoice> rows;
  for (int i = 0; i < lvCookies->ItemCount(); ++i) {
    const TListItem& row = lvCookies->Item(i);
    const RowCookie& cookie = rowCookies_.at(static_cast<std::size_t>(row.Data()));
    rows.push_back({FindStore(cookie.store), &cookie.cookie, row.Checked()});
  }
  std::vector<StoreFailure> failures = DeleteCookies(rows, services_.report).failures;
  // A store the deletion found held is named once, whatever the list read says.
  for (StoreFailure& again : ReadAgain()) {
    if (std::none_of(failures.begin(), failures.end(),
                     [&](const StoreFailure& f) { return f.store == again.store; }))
      failures.push_back(std::move(again));
  }
  services_.report.SetProgressPosition(0);
  NameFailures(std::move(failures), true);
  services_.gauges.RefreshGauges();
  services_.activity.Hide();
}

void TCookiePage::ToolButton13Click(int) { services_.help.ShowHelp(); }

void TCookiePage::btnCloseClick(int) { CloseMainWindow(); }

void TCookiePage::lvCookiesColumnClick(const TListColumn& column) {
  SortColumn = NextSortColumn(SortColumn, column.Index);
  // From stNone to stData sorts once on every click.
  lvCookies->SetSortType(stNone);
  lvCookies->SetSortType(stData);
}

void TCookiePage::lvCookiesCompare(TListItem& item1, TListItem& item2, int& compare) {
  const int cell = SortedCell(SortColumn);
  compare = CompareCookieCells(services_.ports.localeTime, SortColumn, item1.Cell(cell),
                               item2.Cell(cell));
}

WindowHandle TCookiePage::MainWindow() const {
  return reinterpret_cast<WindowHandle>(GetAncestor(page_, GA_ROOT));
}

// The row the platform list has selected, if the page holds it.
std::optional<std::string> TCookiePage::SelectedAddress() const {
  const int row = lvCookies->ItemSelected();
  if (row < 0 || row >= lvCookies->ItemCount()) return std::nullopt;
  return lvCookies->Item(row).Caption();
}

void TCookiePage::CloseMainWindow() { win32::CloseTopLevelWindow(page_); }

}  // namespace quillmere
