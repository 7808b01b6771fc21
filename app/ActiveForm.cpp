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
  StatusMemo =
      std::make_unique<win32::LogView>(win32::LogView::Args{.parent = hwnd(),
                                                            .y = kHeaderHeight,
                                                            .width = kClientWidth,
                                                            .height = kClientHeight - kHeaderHeight,
                                                            .font = memoFont_.get()});
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

// A run reports thousands of lines a second and pumps no messages meanwhile, and
// under Wine a paint cycle costs about as much as a line's work. So the memo keeps
// each line at once but shows them, painted at once, in batches while the run goes
// on; the rest follows as soon as the message loop runs again.
void TActiveForm::AddLine(std::string_view text) {
  StatusMemo->Add(text);
  if (GetTickCount() - lastFlush_ >= followMs_) {
    FlushLines();
  } else if (!flushPosted_) {
    flushPosted_ = PostMessageA(hwnd(), kFlushLines, 0, 0);
  }
}

void TActiveForm::FlushLines() {
  lastFlush_ = GetTickCount();
  StatusMemo->Reveal();
  const DWORD took = GetTickCount() - lastFlush_;
  followMs_ = std::clamp<DWORD>(4 * took, kFollowMs, kMaxFollowMs);
}

void TActiveForm::ClearLines() { StatusMemo->Clear(); }

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
