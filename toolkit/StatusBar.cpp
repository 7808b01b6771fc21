#include "toolkit/StatusBar.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vsstyle.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/Pixels.h"

namespace quillmere::win32 {
namespace {

// Messages after which the bar looks different even with the same text.
bool ChangesTheLook(UINT message) {
  switch (message) {
    case WM_SIZE:
    case WM_SETFONT:
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_STYLECHANGED:
    case SB_SIMPLE:
    case SB_SETBKCOLOR:
    case SB_SETPARTS:
    case SB_SETMINHEIGHT:
    case SB_SETICON:
      return true;
    default:
      return false;
  }
}

}  // namespace

StatusBar::StatusBar(const Args& args)
    : hwnd_(CreateControl({.className = STATUSCLASSNAMEA,
                           .style = CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                           .y = args.y,
                           .width = args.width,
                           .height = args.height,
                           .parent = args.parent,
                           .font = args.font})) {
  SendMessageA(hwnd_, SB_SIMPLE, TRUE, 0);
  hook_ = std::make_unique<WindowHook>(hwnd_, [this](UINT message, WPARAM wParam, LPARAM lParam) {
    return OnMessage(message, wParam, lParam);
  });
}

StatusBar::~StatusBar() = default;

void StatusBar::SetText(const std::string& text) {
  // The control invalidates what the new text covers (and some systems repaint it
  // right away); painting what is left now shows every text as it comes.
  SendMessageA(hwnd_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
  UpdateWindow(hwnd_);
}

LRESULT StatusBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT || wParam) {
    const LRESULT result = hook_->CallNext(message, wParam, lParam);
    if (ChangesTheLook(message)) mode_ = Mode::kUndecided;
    return result;
  }
  if (mode_ == Mode::kUndecided) Decide();
  const std::wstring text = PaneText();
  if (mode_ != Mode::kKeptBackground || !PlainSimplePane(text))
    return hook_->CallNext(message, wParam, lParam);
  const PaintScope paint(hwnd_);
  BitBlt(paint.dc(), 0, 0, size_.cx, size_.cy, backgroundDc_.get(), 0, 0, SRCCOPY);
  PaintText(paint.dc(), text);
  return 0;
}

// Called while painting, so the bar is on the screen and the control can show how
// it paints (and where its pane now lies). An empty text would prove nothing of the
// text's place, font and colour: the decision waits for one.
void StatusBar::Decide() {
  const std::wstring text = PaneText();
  if (text.empty() || !PlainSimplePane(text)) return;
  mode_ = Mode::kControl;
  const HTHEME theme = GetWindowTheme(hwnd_);
  if (!theme) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  size_ = SIZE{client.right, client.bottom};
  const auto byControl = PaintedPixels(size_.cx, size_.cy, [&](HDC dc) {
    SendMessageW(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
  if (byControl.empty() || !KeepBackground(theme, client)) return;
  const auto byBar = PaintedPixels(size_.cx, size_.cy, [&](HDC dc) {
    BitBlt(dc, 0, 0, size_.cx, size_.cy, backgroundDc_.get(), 0, 0, SRCCOPY);
    PaintText(dc, text);
  });
  if (byControl == byBar) mode_ = Mode::kKeptBackground;
}

// The bar's background and its pane, drawn by the theme as the control draws them
// behind its text.
bool StatusBar::KeepBackground(HTHEME theme, const RECT& client) {
  if (!SendMessageW(hwnd_, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&paneRect_))) return false;
  backgroundDc_.reset();
  // A picture of its own, not one of the display's: copying from it stays inside
  // this process (under Wine, a display bitmap lives in the X server).
  background_ = MakeDibSection(size_.cx, size_.cy);
  backgroundDc_.reset(CreateCompatibleDC(nullptr));
  if (!background_ || !backgroundDc_) return false;
  const HDC dc = backgroundDc_.get();
  SelectObject(dc, background_.get());
  return SUCCEEDED(DrawThemeBackground(theme, dc, 0, 0, &client, nullptr)) &&
         SUCCEEDED(DrawThemeBackground(theme, dc, SP_PANE, 0, &paneRect_, nullptr));
}

// One simple pane, its text drawn plainly in one piece, no size grip: what the kept
// background and PaintText show.
bool StatusBar::PlainSimplePane(const std::wstring& text) const {
  const auto length = SendMessageW(hwnd_, SB_GETTEXTLENGTHW, 0, 0);
  return SendMessageW(hwnd_, SB_ISSIMPLE, 0, 0) && HIWORD(length) == 0 &&
         text.find(L'\t') == std::wstring::npos &&
         !(GetWindowLongW(hwnd_, GWL_STYLE) & SBARS_SIZEGRIP);
}

std::wstring StatusBar::PaneText() const {
  const auto length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, 0, 0));
  std::wstring text(length + 1u, L'\0');
  SendMessageW(hwnd_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}

// The text as the control draws it over its pane: in the button text colour, on
// what is there, three pixels in, centred in height.
void StatusBar::PaintText(HDC dc, const std::wstring& text) const {
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  const SelectObjectScope select(dc, font ? font : GetCurrentObject(dc, OBJ_FONT));
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF color = SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  RECT rect = paneRect_;
  rect.left += 3;
  DrawTextW(dc, text.c_str(), -1, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, color);
  SetBkMode(dc, mode);
}

}  // namespace quillmere::win32
