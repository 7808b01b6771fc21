#include "app/EraserForm.h"

#include <commctrl.h>

#include <string>

#include "app/ActiveForm.h"
#include "app/HelpForm.h"
#include "app/res/Resources.h"
#include "toolkit/Controls.h"
#include "toolkit/ProgramIcon.h"

namespace quillmere {
namespace {

constexpr int kClientWidth = 501;
constexpr int kClientHeight = 460;
constexpr int kHeaderHeight = 50;
constexpr int kBevelHeight = 2;
constexpr int kProgressHeight = 13;
constexpr int kStatusHeight = 19;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;
constexpr UINT_PTR kTimerId = 1;

const char* const kCaption = "Quillmere : www.quillmere.org";

}  // namespace

TEraserForm::TEraserForm(const Ports& ports)
    : ports_(ports),
      font_(win32::MakeFont("MS Sans Serif", -11)),
      boldFont_(win32::MakeFont("MS Sans Serif", -11, true)),
      ImageList2(ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TOOLBAR), 32,
                                      0, RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION)),
      icon_(win32::LoadProgramIcon(32)),
      smallIcon_(win32::LoadProgramIcon(16)),
      UrlHistory1(ports.historyStore, ports.localeTime) {
  UrlHistory1.SortField = sfTitle;
  UrlHistory1.SearchField = seBoth;
  UrlHistory1.SortDirection = sdAscending;
  CreateCentred({.className = "TEraserForm",
                 .title = kCaption,
                 .style = kStyle,
                 .exStyle = kExStyle,
                 .background = GetSysColorBrush(COLOR_BTNFACE)},
                kClientWidth, kClientHeight);
  SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  Timer1 = std::make_unique<win32::Timer>(hwnd(), kTimerId, 1000);

  Bevel1 = win32::CreateControl({.className = "STATIC",
                                 .style = SS_ETCHEDHORZ,
                                 .y = kHeaderHeight,
                                 .width = kClientWidth,
                                 .height = kBevelHeight,
                                 .parent = hwnd()});
  ProgressBar = std::make_unique<win32::ProgressBar>(
      win32::ProgressBar::Args{.parent = hwnd(),
                               .y = kHeaderHeight + kBevelHeight,
                               .width = kClientWidth,
                               .height = kProgressHeight});
  SetProgressMax(100);
  const int pagesTop = kHeaderHeight + kBevelHeight + kProgressHeight;
  CreatePages(pagesTop, kClientHeight - kStatusHeight - pagesTop);
  Header = std::make_unique<TGaugeHeader>(TGaugeHeader::Args{.parent = hwnd(),
                                                             .width = kClientWidth,
                                                             .height = kHeaderHeight,
                                                             .font = font_.get(),
                                                             .boldFont = boldFont_.get()});
  StatusBar1 =
      std::make_unique<win32::StatusBar>(win32::StatusBar::Args{.parent = hwnd(),
                                                                .y = kClientHeight - kStatusHeight,
                                                                .width = kClientWidth,
                                                                .height = kStatusHeight,
                                                                .font = font_.get()});
  StatusBar1->SetText("No Errors");

  Timer1->SetEnabled(true);
  CookiesPage->FormCreate();
}

// The window goes before the fonts, icons and controls it uses.
TEraserForm::~TEraserForm() { DestroyWindow(hwnd()); }

void TEraserForm::CreatePages(int top, int height) {
  PageControl1 = win32::CreateControl({.className = WC_TABCONTROLA,
                                       .style = WS_CLIPSIBLINGS,
                                       .y = top,
                                       .width = kClientWidth,
                                       .height = height,
                                       .parent = hwnd(),
                                       .font = font_.get()});
  const char* const titles[] = {"Cookies Eraser", "System / Internet History"};
  for (int i = 0; i < 2; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(titles[i]);
    SendMessageA(PageControl1, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }

  RECT page{0, 0, kClientWidth, height};
  SendMessageA(PageControl1, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  const int width = page.right - page.left;
  const int pageHeight = page.bottom - page.top;
  const auto makeSheet = [&](bool visible) {
    auto sheet = std::make_unique<win32::Panel>(win32::Panel::Args{.parent = hwnd(),
                                                                   .x = page.left,
                                                                   .y = top + page.top,
                                                                   .width = width,
                                                                   .height = pageHeight,
                                                                   .visible = visible});
    SetWindowPos(sheet->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return sheet;
  };
  const PageServices services{
      .ports = ports_, .report = *this, .activity = *this, .gauges = *this, .help = *this};
  TabSheet1 = makeSheet(true);
  TabSheet2 = makeSheet(false);
  const auto frame = [&](const win32::Panel& sheet) {
    return win32::PageFrame{.sheet = sheet.hwnd(),
                            .width = width,
                            .height = pageHeight,
                            .font = font_.get(),
                            .images = ImageList2.get()};
  };
  CookiesPage = std::make_unique<TCookiePage>(
      TCookiePage::Args{.frame = frame(*TabSheet1), .services = services, .timer = *Timer1});
  TasksPage = std::make_unique<TTaskPage>(
      TTaskPage::Args{.frame = frame(*TabSheet2), .services = services, .history = UrlHistory1});
}

void TEraserForm::Show() {
  ShowWindow(hwnd(), SW_SHOW);
  UpdateWindow(hwnd());
}

int TEraserForm::ActivePageIndex() const {
  return static_cast<int>(SendMessageA(PageControl1, TCM_GETCURSEL, 0, 0));
}

void TEraserForm::SetActivePageIndex(int index) {
  SendMessageA(PageControl1, TCM_SETCURSEL, index, 0);
  ShowActivePage();
}

void TEraserForm::ShowActivePage() {
  const int index = ActivePageIndex();
  ShowWindow(TabSheet1->hwnd(), index == 0 ? SW_SHOW : SW_HIDE);
  ShowWindow(TabSheet2->hwnd(), index == 1 ? SW_SHOW : SW_HIDE);
}

void TEraserForm::ShowStatus(std::string_view message) {
  StatusBar1->SetText("  " + std::string(message));
  if (ActiveForm) ActiveForm->AddLine(message);
}

void TEraserForm::SetProgressMax(int max) { ProgressBar->SetMax(max); }

void TEraserForm::SetProgressPosition(int position) { ProgressBar->SetPosition(position); }

void TEraserForm::RefreshGauges() {
  quillmere::RefreshGauges(
      *this, GaugeSources{ports_.shell, UrlHistory1, ports_.urlCache, ports_.files}, *this);
}

void TEraserForm::FillTaskList() { TasksPage->FillTaskList(); }

void TEraserForm::AppendToTask(int index, std::string_view text) {
  TasksPage->AppendToTask(index, text);
}

void TEraserForm::SetPiePosition(int position) { Header->Pie().SetPosition(position); }

void TEraserForm::ShowEmpty() {
  if (!ActiveForm) return;
  ActiveForm->Show();
  ActiveForm->ClearLines();
}

void TEraserForm::Hide() {
  if (ActiveForm) ActiveForm->Hide();
}

void TEraserForm::ShowHelp() { ShowHelpForm(hwnd()); }

void TEraserForm::FormShow() { RefreshGauges(); }

void TEraserForm::OnCommand(int id) {
  if (!TasksPage) return;  // still being made
  if (!CookiesPage->OnCommand(id)) TasksPage->OnCommand(id);
}

LRESULT TEraserForm::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == PageControl1 && header.code == TCN_SELCHANGE) {
    ShowActivePage();
  } else if (header.code == TTN_GETDISPINFOA && TasksPage) {
    auto& info = reinterpret_cast<NMTTDISPINFOA&>(const_cast<NMHDR&>(header));
    if (const char* hint = TasksPage->Hint(static_cast<int>(header.idFrom)))
      info.lpszText = const_cast<char*>(hint);
  }
  return 0;
}

// The control that had the focus when the window was left gets it back; on the
// cookie page the list takes it after that.
LRESULT TEraserForm::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    focusOnReturn_ = IsChild(hwnd(), focus) ? focus : nullptr;
    return 0;
  }
  if (focusOnReturn_ && IsWindow(focusOnReturn_)) {
    SetFocus(focusOnReturn_);
  } else {
    Default(WM_ACTIVATE, wParam, lParam);
  }
  if (CookiesPage) CookiesPage->FormActivate(ActivePageIndex() == 0);
  return 0;
}

LRESULT TEraserForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER:
      if (CookiesPage && wParam == Timer1->id() && Timer1->Enabled()) CookiesPage->TimerTimer();
      return 0;
    case WM_SHOWWINDOW:
      if (wParam && !shown_) {
        shown_ = true;
        FormShow();
      }
      return Default(message, wParam, lParam);
    case WM_ACTIVATE:
      return OnActivate(wParam, lParam);
    case WM_CLOSE: {
      bool canClose = true;
      if (CookiesPage) CookiesPage->FormCloseQuery(canClose);
      return canClose ? Default(message, wParam, lParam) : 0;
    }
    case WM_DESTROY:
      if (Timer1) Timer1->SetEnabled(false);
      PostQuitMessage(0);
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace quillmere
