#include "toolkit/ProgressBar.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vsstyle.h>

#include <algorithm>
#include <utility>

#include "toolkit/Controls.h"

namespace quillmere::win32 {
namespace {

// Messages after which the same position may fill the bar to another pixel.
bool ChangesTheFill(UINT message) {
  switch (message) {
    case WM_SIZE:
    case WM_THEMECHANGED:
    case WM_STYLECHANGED:
    case WM_SETTINGCHANGE:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
      return true;
    default:
      return false;
  }
}

// Messages after which the control may hold another position than it was given.
bool MovesThePosition(UINT message) {
  switch (message) {
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
      return true;
    default:
      return false;
  }
}

// Messages the control answers alike for the position it holds and the one the bar
// keeps (it paints both the same, and a going window shows nothing), so they need
// not wait for it to be told.
bool AnswersAlike(UINT message) {
  switch (message) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
    case WM_DESTROY:
    case WM_NCDESTROY:
      return true;
    default:
      return false;
  }
}

}  // namespace

ProgressBar::ProgressBar(const Args& args)
    : hwnd_(CreateControl({.className = PROGRESS_CLASSA,
                           .y = args.y,
                           .width = args.width,
                           .height = args.height,
                           .parent = args.parent})) {
  hook_ = std::make_unique<WindowHook>(hwnd_, [this](UINT message, WPARAM wParam, LPARAM lParam) {
    return OnMessage(message, wParam, lParam);
  });
}

ProgressBar::~ProgressBar() = default;

// The control only marks itself for repainting when its range changes; it is
// painted now, as a new position would be.
void ProgressBar::SetMax(int max) {
  SendMessageW(hwnd_, PBM_SETRANGE32, 0, max);
  UpdateWindow(hwnd_);
}

void ProgressBar::SetPosition(int position) {
  if (!measured_) {
    fill_ = MeasureFill();
    looks_ = fill_ ? TakeLooks(*fill_) : std::nullopt;
    measured_ = true;
  }
  if (fill_) {
    position = std::clamp(position, fill_->min, fill_->max);
    if (fill_->End(position) == fill_->End(position_)) {
      // Nothing on the screen changes; the control would tell whoever reads its
      // value, and the bar does it in its stead.
      if (position != position_) {
        position_ = position;
        controlBehind_ = true;
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
      }
      return;
    }
    if (PaintFromLooks(fill_->End(position))) {
      position_ = position;
      controlBehind_ = fillBehind_ = true;
      NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
      return;
    }
  }
  controlBehind_ = fillBehind_ = false;
  movingFill_ = true;
  SendMessageW(hwnd_, PBM_SETPOS, position, 0);
  movingFill_ = false;
}

LRESULT ProgressBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT && !wParam && movingFill_ && PaintStraightOn()) return 0;
  if (controlBehind_ && (fillBehind_ || !AnswersAlike(message))) TellControl();
  const LRESULT result = hook_->CallNext(message, wParam, lParam);
  if (ChangesTheFill(message)) measured_ = false;
  // Whoever moved it, the control holds the position to its range.
  if (MovesThePosition(message)) position_ = static_cast<int>(hook_->CallNext(PBM_GETPOS, 0, 0));
  return result;
}

// The control's own painting of the position it was just given, drawn on a picture
// and copied onto the bar without a paint cycle, which under Wine costs five times
// the drawing. Whatever else the bar was waiting to have painted is covered too.
bool ProgressBar::PaintStraightOn() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (!picture_ || pictureSize_.cx != client.right || pictureSize_.cy != client.bottom) {
    pictureDc_.reset();
    picture_ = MakeDibSection(client.right, client.bottom);
    pictureDc_.reset(CreateCompatibleDC(nullptr));
    if (!picture_ || !pictureDc_) {
      picture_.reset();
      return false;
    }
    SelectObject(pictureDc_.get(), picture_.get());
    pictureSize_ = SIZE{client.right, client.bottom};
  }
  const ClientDC dc(hwnd_);
  if (!dc.dc()) return false;
  SendMessageW(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pictureDc_.get()), PRF_CLIENT);
  ValidateRect(hwnd_, nullptr);
  return BitBlt(dc.dc(), 0, 0, client.right, client.bottom, pictureDc_.get(), 0, 0, SRCCOPY);
}

// The control's painting of its range's two ends, taken with its own position put
// back: the fill of any position is the full picture up to where the fill ends and
// the empty one after it.
std::optional<ProgressBar::Looks> ProgressBar::TakeLooks(const Fill& fill) const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  Looks looks{.emptyBitmap = MakeDibSection(client.right, client.bottom),
              .fullBitmap = MakeDibSection(client.right, client.bottom),
              .empty = UniqueDC(CreateCompatibleDC(nullptr)),
              .full = UniqueDC(CreateCompatibleDC(nullptr)),
              .size = SIZE{client.right, client.bottom}};
  if (!looks.emptyBitmap || !looks.fullBitmap || !looks.empty || !looks.full) return std::nullopt;
  SelectObject(looks.empty.get(), looks.emptyBitmap.get());
  SelectObject(looks.full.get(), looks.fullBitmap.get());
  const LRESULT held = hook_->CallNext(PBM_GETPOS, 0, 0);
  const std::pair<int, HDC> ends[] = {{fill.min, looks.empty.get()}, {fill.max, looks.full.get()}};
  for (const auto& [position, dc] : ends) {
    hook_->CallNext(PBM_SETPOS, position, 0);
    hook_->CallNext(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  }
  hook_->CallNext(PBM_SETPOS, held, 0);
  return looks;
}

bool ProgressBar::PaintFromLooks(int fillEnd) {
  if (!looks_) return false;
  const ClientDC dc(hwnd_);
  if (!dc.dc()) return false;
  const int split = fill_->left + fillEnd;
  const SIZE size = looks_->size;
  if (!BitBlt(dc.dc(), 0, 0, split, size.cy, looks_->full.get(), 0, 0, SRCCOPY) ||
      !BitBlt(dc.dc(), split, 0, size.cx - split, size.cy, looks_->empty.get(), split, 0, SRCCOPY))
    return false;
  ValidateRect(hwnd_, nullptr);  // every pixel is the position's
  return true;
}

// Whatever else comes to the bar (a question for its position, a new range, an
// accessibility tool) finds the control holding the position the run last set.
void ProgressBar::TellControl() {
  controlBehind_ = fillBehind_ = false;
  SendMessageW(hwnd_, PBM_SETPOS, position_, 0);
}

// The control fills its content rectangle (inside the theme's border, or inside a
// pixel all round without a theme) to the position's share of its width, rounded
// as MulDiv rounds; the painting follows from where the fill ends alone. Nothing is
// measured for the bars this does not hold for (upright, marquee), whose every
// position goes to the control.
std::optional<ProgressBar::Fill> ProgressBar::MeasureFill() const {
  if (GetWindowLongW(hwnd_, GWL_STYLE) & (PBS_VERTICAL | PBS_MARQUEE)) return std::nullopt;
  PBRANGE range{};
  SendMessageW(hwnd_, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  RECT content{};
  GetClientRect(hwnd_, &content);
  if (const HTHEME theme = GetWindowTheme(hwnd_)) {
    if (FAILED(GetThemeBackgroundContentRect(theme, nullptr, PP_BAR, 0, &content, &content)))
      return std::nullopt;
  } else {
    InflateRect(&content, -1, -1);
  }
  return Fill{.min = range.iLow,
              .max = range.iHigh,
              .left = content.left,
              .width = content.right - content.left};
}

int ProgressBar::Fill::End(int position) const {
  return max > min ? MulDiv(position - min, width, max - min) : 0;
}

}  // namespace quillmere::win32
