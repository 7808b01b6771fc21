#include "app/EraserForm.h"

#include <commctrl.h>

#include <iterator>
#include <string>
#include <vector>

#include "app/ActiveForm.h"
#include "app/FuncUnit.h"
#include "app/res/Resources.h"
#include "platform/win32/Controls.h"
#include "richtext/HelpForm.h"

namespace quillmere {

struct TEraserForm::ToolButtonInfo {
  int id = 0;
  const char* caption = "";
  int image = 0;
  int tag = 0;
  const char* hint = "";
  ClickHandler click = nullptr;  // a button without a handler does nothing
  int separatorWidth = 0;
};

namespace {

constexpr int kClientWidth = 501;
constexpr int kClientHeight = 460;
constexpr int kHeaderHeight = 50;
constexpr int kBevelHeight = 2;
constexpr int kProgressHeight = 13;
constexpr int kStatusHeight = 19;
constexpr int kToolBarHeight = 60;
constexpr int kCookieListHeight = 260;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;
constexpr UINT_PTR kTimerId = 1;

const char* const kCaption = "Quillmere : www.quillmere.org";
const char* const kPieHint =
    "Blue    : Denotes Used Memory\r\n"
    "Yellow : Denotes Free Memory";

const char* const kInstructions =
    "Place a check next to the sections that you want to delete.\r\n"
    "Then press the \"Delete\" button";

}  // namespace

using ButtonInfo = TEraserForm::ToolButtonInfo;

// The two tool bars, button for button as the pages show them.
std::span<const ButtonInfo> TEraserForm::CookieButtons() {
  static const ButtonInfo buttons[] = {
      {.id = ToolButton1,
       .caption = "Check All",
       .image = 0,
       .tag = 1,
       .click = &TEraserForm::btnCheckClick},
      {.id = ToolButton2,
       .caption = "UnCheck All",
       .image = 1,
       .click = &TEraserForm::btnCheckClick},
      {.id = ToolButton3, .caption = "Refresh", .image = 2, .click = &TEraserForm::btnRefreshClick},
      {.id = ToolButton4, .caption = "Privacy", .image = 3},
      {.id = ToolButton5, .caption = "Clean Up", .image = 4, .click = &TEraserForm::btnDeleteClick},
      {.id = ToolButton13, .caption = "Help", .image = 6, .click = &TEraserForm::ToolButton13Click},
      {.separatorWidth = 8},
      {.id = ToolButton6, .caption = "Close", .image = 5, .click = &TEraserForm::btnCloseClick},
  };
  return buttons;
}

std::span<const ButtonInfo> TEraserForm::TaskButtons() {
  static const ButtonInfo buttons[] = {
      {.id = ToolButton7,
       .caption = "Check All",
       .image = 0,
       .hint = "Check All Boxes",
       .click = &TEraserForm::ToolButton7Click},
      {.id = ToolButton8,
       .caption = "UnCheck All",
       .image = 1,
       .hint = "UnCheck All Boxes",
       .click = &TEraserForm::ToolButton8Click},
      {.id = ToolButton11,
       .caption = "Clean Up",
       .image = 4,
       .hint = "Run Clean Up",
       .click = &TEraserForm::ToolButton11Click},
      {.separatorWidth = 8},
      {.id = ToolButton15,
       .caption = "Index Report",
       .image = 7,
       .hint = "Read And Report on Index.dat",
       .click = &TEraserForm::ToolButton15Click},
      {.id = ToolButton14,
       .caption = "Help",
       .image = 6,
       .hint = "Show Help Form",
       .click = &TEraserForm::ToolButton13Click},
      {.separatorWidth = 8},
      {.id = ToolButton12,
       .caption = "Close",
       .image = 5,
       .hint = "Close Quillmere",
       .click = &TEraserForm::btnCloseClick},
  };
  return buttons;
}

namespace {

std::vector<win32::ToolButtonArgs> ButtonArgs(std::span<const ButtonInfo> buttons) {
  std::vector<win32::ToolButtonArgs> args;
  for (const ButtonInfo& s : buttons) {
    args.push_back(
        {.id = s.id, .caption = s.caption, .image = s.image, .separatorWidth = s.separatorWidth});
  }
  return args;
}

win32::UniqueIcon LoadProgramIcon(int size) {
  return win32::UniqueIcon(static_cast<HICON>(LoadImageA(
      GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUILLMERE), IMAGE_ICON, size, size, 0)));
}

}  // namespace

const TEraserForm::ToolButtonInfo* TEraserForm::FindButton(int id) {
  for (std::span<const ButtonInfo> table : {CookieButtons(), TaskButtons()}) {
    for (const ButtonInfo& s : table) {
      if (s.id == id && !s.separatorWidth) return &s;
    }
  }
  return nullptr;
}

TEraserForm::TEraserForm(const Ports& ports)
    : ports_(ports),
      font_(win32::MakeFont("MS Sans Serif", -11)),
      boldFont_(win32::MakeFont("MS Sans Serif", -11, true)),
      ImageList2(ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TOOLBAR), 32,
                                      0, RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION)),
      icon_(LoadProgramIcon(32)),
      smallIcon_(LoadProgramIcon(16)),
      UrlHistory1(ports.historyStore, ports.localeTime) {
  UrlHistory1.SortField = sfTitle;
  UrlHistory1.SearchField = seBoth;
  UrlHistory1.SortDirection = sdAscending;
  UrlHistory1.OnDelete = [this](const std::string& Title, const std::string& Url,
                                TDateTime LastVisited, TDateTime LastUpdated, TDateTime Expires,
                                bool& Delete) {
    UrlHistory1Delete(Title, Url, LastVisited, LastUpdated, Expires, Delete);
  };
  CreateCentred({.className = "TEraserForm",
                 .title = kCaption,
                 .style = kStyle,
                 .exStyle = kExStyle,
                 .background = GetSysColorBrush(COLOR_BTNFACE)},
                kClientWidth, kClientHeight);
  SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

  CreateHeader();
  Bevel1 = win32::CreateControl({.className = "STATIC",
                                 .style = SS_ETCHEDHORZ,
                                 .y = kHeaderHeight,
                                 .width = kClientWidth,
                                 .height = kBevelHeight,
                                 .parent = hwnd()});
  ProgressBar = win32::CreateControl({.className = PROGRESS_CLASSA,
                                      .y = kHeaderHeight + kBevelHeight,
                                      .width = kClientWidth,
                                      .height = kProgressHeight,
                                      .parent = hwnd()});
  SetProgressMax(100);
  CreatePages();
  StatusBar1 = win32::CreateControl({.className = STATUSCLASSNAMEA,
                                     .style = CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                     .y = kClientHeight - kStatusHeight,
                                     .width = kClientWidth,
                                     .height = kStatusHeight,
                                     .parent = hwnd(),
                                     .font = font_.get()});
  SendMessageA(StatusBar1, SB_SIMPLE, TRUE, 0);
  SendMessageA(StatusBar1, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>("No Errors"));

  SetTimerEnabled(true);
  FormCreate();
}

// The window goes before the fonts, icons and controls it uses.
TEraserForm::~TEraserForm() { DestroyWindow(hwnd()); }

void TEraserForm::CreateHeader() {
  Panel1 = std::make_unique<win32::Panel>(win32::Panel::Args{.parent = hwnd(),
                                                             .width = kClientWidth,
                                                             .height = kHeaderHeight,
                                                             .color = GetSysColor(COLOR_WINDOW)});
  Label1 = win32::CreateControl({.className = "STATIC",
                                 .text = "Choose Sections To Erase",
                                 .x = 8,
                                 .y = 3,
                                 .width = 300,
                                 .height = 14,
                                 .parent = Panel1->hwnd(),
                                 .font = boldFont_.get()});
  Label2 = win32::CreateControl({.className = "STATIC",
                                 .text = kInstructions,
                                 .x = 10,
                                 .y = 18,
                                 .width = 400,
                                 .height = 28,
                                 .parent = Panel1->hwnd(),
                                 .font = font_.get()});
  SimplePie = std::make_unique<TSimplePie>(Panel1->hwnd());
  SimplePie->SetBounds(432, 1, 67, 47);
  SimplePie->Hint = kPieHint;
  SimplePie->SetPosition(64);
  SimplePie->SetBasecolor(clYellow);
  SimplePie->SetUsedcolor(clBlue);
  Panel1->OnPaint = [this](HDC dc) { SimplePie->Paint(dc); };
}

void TEraserForm::CreatePages() {
  const int top = kHeaderHeight + kBevelHeight + kProgressHeight;
  const int height = kClientHeight - kStatusHeight - top;
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
  const auto makePage = [&](bool visible) {
    auto sheet = std::make_unique<win32::Panel>(win32::Panel::Args{.parent = hwnd(),
                                                                   .x = page.left,
                                                                   .y = top + page.top,
                                                                   .width = width,
                                                                   .height = pageHeight,
                                                                   .visible = visible});
    SetWindowPos(sheet->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return sheet;
  };
  TabSheet1 = makePage(true);
  TabSheet2 = makePage(false);
  CreateCookiePage(TabSheet1->hwnd(), width, pageHeight);
  CreateTaskPage(TabSheet2->hwnd(), width, pageHeight);
}

void TEraserForm::CreateCookiePage(HWND page, int width, int height) {
  const auto buttons = ButtonArgs(CookieButtons());
  ToolBar1 = std::make_unique<win32::ToolBar>(win32::ToolBar::Args{.parent = page,
                                                                   .width = width,
                                                                   .height = kToolBarHeight,
                                                                   .button = {66, 52},
                                                                   .images = ImageList2.get(),
                                                                   .font = font_.get(),
                                                                   .buttons = buttons});
  // The cookie list takes the 493 x 260 below the tool bar; the count sits under it.
  CreateCookieList(page, kToolBarHeight, width, kCookieListHeight);
  const int countTop = kToolBarHeight + kCookieListHeight;
  CountPanel = std::make_unique<win32::Panel>(win32::Panel::Args{.parent = page,
                                                                 .y = countTop,
                                                                 .width = 185,
                                                                 .height = height - countTop,
                                                                 .edge = EDGE_RAISED});
  win32::CreateControl({.className = "STATIC",
                        .text = "Total Cookies:",
                        .x = 8,
                        .y = 8,
                        .width = 70,
                        .height = 14,
                        .parent = CountPanel->hwnd(),
                        .font = font_.get()});
  edCookieCount = win32::CreateControl({.className = "EDIT",
                                        .text = "0",
                                        .style = ES_READONLY | ES_AUTOHSCROLL,
                                        .exStyle = WS_EX_CLIENTEDGE,
                                        .x = 82,
                                        .y = 4,
                                        .width = 95,
                                        .height = 21,
                                        .parent = CountPanel->hwnd(),
                                        .font = font_.get()});
}

void TEraserForm::CreateTaskPage(HWND page, int width, int height) {
  const auto buttons = ButtonArgs(TaskButtons());
  ToolBar2 = std::make_unique<win32::ToolBar>(win32::ToolBar::Args{.parent = page,
                                                                   .width = width,
                                                                   .height = kToolBarHeight,
                                                                   .button = {68, 52},
                                                                   .images = ImageList2.get(),
                                                                   .font = font_.get(),
                                                                   .showHints = true,
                                                                   .buttons = buttons});
  CheckListBox1 = std::make_unique<win32::CheckListBox>(
      win32::CheckListBox::Args{.parent = page,
                                .y = kToolBarHeight,
                                .width = width,
                                .height = height - kToolBarHeight,
                                .itemHeight = 13,
                                .font = font_.get()});
  FillTaskList();
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
  const std::string text = "  " + std::string(message);
  SendMessageA(StatusBar1, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
  InvalidateRect(StatusBar1, nullptr, TRUE);
  UpdateWindow(StatusBar1);
  if (ActiveForm) ActiveForm->AddLine(message);
}

void TEraserForm::SetProgressMax(int max) { SendMessageA(ProgressBar, PBM_SETRANGE32, 0, max); }

void TEraserForm::SetProgressPosition(int position) {
  SendMessageA(ProgressBar, PBM_SETPOS, position, 0);
}

void TEraserForm::ShowEmptyActivityWindow() {
  if (!ActiveForm) return;
  ActiveForm->Show();
  ActiveForm->ClearLines();
}

void TEraserForm::FormShow() { RefreshGauges(); }

void TEraserForm::FormActivate() {
  if (ActivePageIndex() == 0) FocusCookieList();
  GetShlwapiVersion(ports_.shell);
  if (ShlwapiMajorVersion >= 6) ToolBar1->Enable(ToolButton4, true);
}

void TEraserForm::SetTimerEnabled(bool enabled) {
  if (enabled == timerEnabled_) return;
  if (enabled && !SetTimer(hwnd(), kTimerId, 1000, nullptr))
    throw std::runtime_error("Cannot start the timer.");
  if (!enabled) KillTimer(hwnd(), kTimerId);
  timerEnabled_ = enabled;
}

void TEraserForm::btnCloseClick(int) {
  // Posted: the tool bar that sent the click must not be destroyed inside its own
  // message handling.
  PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void TEraserForm::ToolButton13Click(int) {
  Thelpform help(hwnd());
  help.ShowModal(hwnd());
}

void TEraserForm::OnCommand(int id) {
  const ButtonInfo* button = FindButton(id);
  if (button && button->click) (this->*button->click)(button->tag);
}

LRESULT TEraserForm::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == PageControl1 && header.code == TCN_SELCHANGE) {
    ShowActivePage();
  } else if (header.code == TTN_GETDISPINFOA) {
    auto& info = reinterpret_cast<NMTTDISPINFOA&>(const_cast<NMHDR&>(header));
    if (const ButtonInfo* button = FindButton(static_cast<int>(header.idFrom))) {
      info.lpszText = const_cast<char*>(button->hint);
    }
  }
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
      if (wParam == kTimerId && timerEnabled_) TimerTimer();
      return 0;
    case WM_SHOWWINDOW:
      if (wParam && !shown_) {
        shown_ = true;
        FormShow();
      }
      return Default(message, wParam, lParam);
    case WM_ACTIVATE:
      // The control that had the focus when the window was left gets it back;
      // on the cookie page the list takes it after that.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        focusOnReturn_ = IsChild(hwnd(), focus) ? focus : nullptr;
        return 0;
      }
      if (focusOnReturn_ && IsWindow(focusOnReturn_)) {
        SetFocus(focusOnReturn_);
      } else {
        Default(message, wParam, lParam);
      }
      FormActivate();
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd(), kTimerId);
      PostQuitMessage(0);
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace quillmere
