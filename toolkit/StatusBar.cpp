#include "toolkit/StatusBar.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vsstyle.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/win32/WideText.h"
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
  if (mode_ == Mode::kKeptBackground) {
    if (auto shown = PlainText(text)) {
      shownText_ = std::move(*shown);
      controlBehind_ = true;
      const ClientDC dc(hwnd_);
      if (dc.dc()) PaintFromKeptBackground(dc.dc(), shownText_);
      return;
    }
  }
  SendMessageA(hwnd_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
  // The control invalidates what the new text covers (and some systems repaint it
  // right away); painting what is left now shows every text as it comes.
  UpdateWindow(hwnd_);
}

LRESULT StatusBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT || wParam) {
    if (controlBehind_) TellControl();
    const LRESULT result = hook_->CallNext(message, wParam, lParam);
    if (ChangesTheLook(message)) mode_ = Mode::kUndecided;
    return result;
  }
  // A text the bar drew itself is plain, and newer than the control's.
  std::wstring text = shownText_;
  if (!controlBehind_) {
    if (mode_ == Mode::kUndecided) Decide();
    text = PaneText();
    if (mode_ != Mode::kKeptBackground || !PlainSimplePane(text))
      return hook_->CallNext(message, wParam, lParam);
  }
  const PaintScope paint(hwnd_);
  PaintFromKeptBackground(paint.dc(), text);
  return 0;
}

// The text as the control keeps it when it is one the bar draws itself: one plain
// line, no tabs (the control splits the text at them) nor other characters below
// a blank (the control has its own ways with those).
std::optional<std::wstring> StatusBar::PlainText(const std::string& text) {
  std::wstring wide = Widen(text);
  if (std::any_of(wide.begin(), wide.end(), [](wchar_t c) { return c < L' '; }))
    return std::nullopt;
  return wide;
}

// Whatever else comes to the bar (a question for its text, a new font, a print of
// it) finds the control holding the text the bar shows.
void StatusBar::TellControl() {
  controlBehind_ = false;
  SendMessageW(hwnd_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(shownText_.c_str()));
}

// The text is drawn on the picture and the picture copied whole: the font stays in
// the picture, and under Wine choosing a font for a window's DC reads the X
// resources anew each time.
void StatusBar::PaintFromKeptBackground(HDC dc, const std::wstring& text) const {
  const HDC picture = pictureDc_.get();
  BitBlt(picture, 0, 0, size_.cx, size_.cy, backgroundDc_.get(), 0, 0, SRCCOPY);
  RECT rect = paneRect_;
  rect.left += 3;
  DrawTextW(picture, text.c_str(), -1, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  BitBlt(dc, 0, 0, size_.cx, size_.cy, picture, 0, 0, SRCCOPY);
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
  const auto byBar =
      PaintedPixels(size_.cx, size_.cy, [&](HDC dc) { PaintFromKeptBackground(dc, text); });
  if (byControl == byBar) mode_ = Mode::kKeptBackground;
}

// The bar's background and its pane, drawn by the theme as the control draws them
// behind its text; and the picture the text is drawn on, with the text's font and
// colour as the control draws it (the button text colour, on what is there).
bool StatusBar::KeepBackground(HTHEME theme, const RECT& client) {
  if (!SendMessageW(hwnd_, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&paneRect_))) return false;
  backgroundDc_.reset();
  pictureDc_.reset();
  // Pictures of its own, not the display's: copying between them stays inside this
  // process (under Wine, a display bitmap lives in the X server).
  background_ = MakeDibSection(size_.cx, size_.cy);
  backgroundDc_.reset(CreateCompatibleDC(nullptr));
  picture_ = MakeDibSection(size_.cx, size_.cy);
  pictureDc_.reset(CreateCompatibleDC(nullptr));
  if (!background_ || !backgroundDc_ || !picture_ || !pictureDc_) return false;
  const HDC dc = backgroundDc_.get();
  SelectObject(dc, background_.get());
  const HDC picture = pictureDc_.get();
  SelectObject(picture, picture_.get());
  if (const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0))) {
    SelectObject(picture, font);
  }
  SetBkMode(picture, TRANSPARENT);
  SetTextColor(picture, GetSysColor(COLOR_BTNTEXT));
  return SUCCEEDED(DrawThemeBackground(theme, dc, 0, 0, &client, nullptr)) &&
         SUCCEEDED(DrawThemeBackground(theme, dc, SP_PANE, 0, &paneRect_, nullptr));
}

// One simple pane, its text drawn plainly in one piece, no size grip: what
// PaintFromKeptBackground shows.
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

}  // namespace quillmere::win32
