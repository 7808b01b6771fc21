#include "toolkit/StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "platform/win32/WideText.h"
#include "toolkit/Controls.h"

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
      if (dc.dc()) kept_->Paint(dc.dc(), shownText_);
      // The control would tell whoever reads its text; the bar does it in its stead.
      NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
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
    if (ChangesTheLook(message)) {
      mode_ = Mode::kUndecided;
      kept_.reset();
    }
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
  kept_->Paint(paint.dc(), text);
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

// Called while painting, so the bar is on the screen and the control can show how
// it paints (and where its pane now lies). An empty text would prove nothing of the
// text's place, font and colour: the decision waits for one.
void StatusBar::Decide() {
  const std::wstring text = PaneText();
  if (text.empty() || !PlainSimplePane(text)) return;
  kept_ = KeptBackground::Take(hwnd_, text);
  mode_ = kept_ ? Mode::kKeptBackground : Mode::kControl;
}

// One simple pane, its text drawn plainly in one piece, no size grip: what the kept
// background shows.
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
