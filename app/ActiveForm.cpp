#include "app/ActiveForm.h"

#include <algorithm>

#include "toolkit/Controls.h"

namespace quillmere {
namespace {

constexpr int kClientWidth = 537;
constexpr int kClientHeight = 289;
constexpr int kHeaderHeight = 27;
constexpr COLORREF kHeaderColor = RGB(99, 148, 198);
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;

}  // namespace

TActiveForm::TActiveForm(HWND owner)
    : font_(win32::MakeFont("MS Sans Serif", -11)),
      headerFont_(win32::MakeFont("Trebuchet MS", -13, true)),
      memoFont_(win32::MakeFont("Sylfaen", -13)) {
  CreateCentred({.className = "TActiveForm",
                 .title = "Activity",
                 .style = kStyle,
                 .exStyle = kExStyle,
                 .parent = owner,
                 .background = GetSysColorBrush(COLOR_BTNFACE)},
                kClientWidth, kClientHeight);

  Panel3 = std::make_unique<win32::Panel>(win32::Panel::Args{.parent = hwnd(),
                                                             .width = kClientWidth,
                                                             .height = kHeaderHeight,
                                                             .color = kHeaderColor,
                                                             .edge = BDR_SUNKENOUTER});
  Panel3->OnPaint = [this](HDC dc) { PaintHeader(dc); };
  StatusMemo = win32::CreateControl({.className = "EDIT",
                                     .style = ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                                              WS_VSCROLL | WS_HSCROLL | ES_WANTRETURN,
                                     .exStyle = WS_EX_CLIENTEDGE,
                                     .y = kHeaderHeight,
                                     .width = kClientWidth,
                                     .height = kClientHeight - kHeaderHeight,
                                     .parent = hwnd(),
                                     .font = memoFont_.get()});
  SendMessageA(StatusMemo, EM_SETLIMITTEXT, 0, 0);
}

// The window goes before the fonts it uses.
TActiveForm::~TActiveForm() { DestroyWindow(hwnd()); }

void TActiveForm::PaintHeader(HDC dc) {
  RECT rc;
  GetClientRect(Panel3->hwnd(), &rc);
  win32::SelectObjectScope font(dc, headerFont_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  DrawTextA(dc, "Current Activity", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// A run reports thousands of lines a second and pumps no messages meanwhile; the
// memo costs a repaint per append, and under Wine every append and repaint also
// walks all the lines the memo holds. So lines gather here and reach the memo,
// painted at once, in batches while the run goes on; the rest follows as soon as
// the message loop runs again. A batch that took long to show (a memo of a hundred
// thousand lines) makes the run wait longer for the next, so that showing the lines
// never takes over the run, but the memo still follows it a few times a second.
void TActiveForm::AddLine(std::string_view text) {
  pending_.append(text).append("\r\n");
  if (GetTickCount() - lastFlush_ >= followMs_) {
    FlushLines();
  } else if (!flushPosted_) {
    flushPosted_ = PostMessageA(hwnd(), kFlushLines, 0, 0);
  }
}

void TActiveForm::FlushLines() {
  lastFlush_ = GetTickCount();
  if (pending_.empty()) return;
  // The memo keeps its text in UTF-16: its length in those units is known at once,
  // and the caret stays at the end between batches unless the user moved it.
  const DWORD end = GetWindowTextLengthW(StatusMemo);
  DWORD from = 0;
  DWORD to = 0;
  SendMessageW(StatusMemo, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
               reinterpret_cast<LPARAM>(&to));
  if (from != end || to != end) SendMessageW(StatusMemo, EM_SETSEL, end, end);
  SendMessageA(StatusMemo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(pending_.c_str()));
  pending_.clear();
  UpdateWindow(StatusMemo);
  const DWORD took = GetTickCount() - lastFlush_;
  followMs_ = std::clamp<DWORD>(4 * took, kFollowMs, kMaxFollowMs);
}

void TActiveForm::ClearLines() {
  pending_.clear();
  SetWindowTextA(StatusMemo, "");
}

std::vector<std::string> TActiveForm::Lines() const {
  const std::string text = win32::WindowText(StatusMemo) + pending_;
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Painted at once: a run shows the window as it starts and pumps no messages until
// it ends, so the header would stay blank for as long as the run takes.
void TActiveForm::Show() {
  ShowWindow(hwnd(), SW_SHOW);
  UpdateWindow(hwnd());
}

void TActiveForm::Hide() { ShowWindow(hwnd(), SW_HIDE); }

LRESULT TActiveForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    Hide();
    return 0;
  }
  if (message == kFlushLines) {
    flushPosted_ = false;
    FlushLines();
    return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace quillmere
