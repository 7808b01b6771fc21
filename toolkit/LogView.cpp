#include "toolkit/LogView.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cwchar>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/Utf8.h"
#include "platform/win32/WideText.h"
#include "toolkit/Clipboard.h"

namespace quillmere::win32 {
namespace {

// Where an edit box of this font starts its text: left and right, and above the
// first line.
constexpr int kMargin = 5;
constexpr int kTop = 1;
enum MenuCommand : UINT_PTR { kUndo = 1, kCut, kCopy, kPaste, kDelete, kSelectAll };

using UniqueMenu = UniqueHandle<HMENU, DestroyMenu>;

std::optional<LogMove> MoveOfKey(WPARAM key, bool control) {
  switch (key) {
    case VK_LEFT:
      return control ? LogMove::kWordLeft : LogMove::kLeft;
    case VK_RIGHT:
      return control ? LogMove::kWordRight : LogMove::kRight;
    case VK_UP:
      return LogMove::kUp;
    case VK_DOWN:
      return LogMove::kDown;
    case VK_PRIOR:
      return LogMove::kPageUp;
    case VK_NEXT:
      return LogMove::kPageDown;
    case VK_HOME:
      return control ? LogMove::kFirst : LogMove::kLineStart;
    case VK_END:
      return control ? LogMove::kLast : LogMove::kLineEnd;
    default:
      return std::nullopt;
  }
}

int ClientWidth(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return rc.right;
}

SCROLLINFO ScrollInfo(UINT mask) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = mask;
  return info;
}

int ClientHeight(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return rc.bottom;
}

}  // namespace

LogView::LogView(const Args& args) : font_(args.font) {
  Create({.className = "QuillmereLogView",
          .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL,
          .exStyle = WS_EX_CLIENTEDGE,
          .x = args.x,
          .y = args.y,
          .width = args.width,
          .height = args.height,
          .parent = args.parent,
          .classStyle = CS_DBLCLKS,
          .unicode = true});
  const ClientDC dc(hwnd());
  const SelectObjectScope font(dc.dc(), font_);
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(dc.dc(), &metrics))
    throw std::runtime_error("Cannot measure the log's font.");
  lineHeight_ = std::max<int>(metrics.tmHeight, 1);
  charWidth_ = std::max<int>(metrics.tmAveCharWidth, 1);
  UpdateScrollBars();
}

// The last line, which the user may have typed into, becomes a line of its own
// before the new one: it is measured again with the new lines.
void LogView::Add(std::string_view line) {
  if (widths_.size() > log_.Count()) widths_.resize(log_.Count());
  log_.Append(line);
}

void LogView::Clear() {
  log_.Clear();
  widths_.clear();
  widest_ = 0;
  top_ = 0;
  left_ = 0;
  UpdateScrollBars();
  InvalidateRect(hwnd(), nullptr, FALSE);
  PlaceCaret();
}

void LogView::Reveal() {
  if (widths_.size() == log_.Count() + 1) return;
  MeasureNewLines();
  top_ = ClampedOffset(PTRDIFF_MAX, Rows(), log_.Count() + 1);
  left_ = 0;
  UpdateScrollBars();
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
  PlaceCaret();
  if (OnRevealed) OnRevealed();
}

// Only the new lines are measured, with one device context for the batch, so that
// the horizontal scroll bar reaches the widest line ever added.
void LogView::MeasureNewLines() {
  const ClientDC dc(hwnd());
  const SelectObjectScope font(dc.dc(), font_);
  while (widths_.size() <= log_.Count()) {
    widths_.push_back(TextWidth(dc.dc(), log_.Line(widths_.size())));
    widest_ = std::max(widest_, widths_.back());
  }
}

// The changed lines measured anew; the widest line is looked for among all the
// widths kept only when the widest may have gone.
void LogView::Edited(const LogChange& change) {
  const auto first = widths_.begin() + static_cast<std::ptrdiff_t>(change.first);
  const auto removedEnd = first + static_cast<std::ptrdiff_t>(change.removed);
  const bool widestGone = std::find(first, removedEnd, widest_) != removedEnd;
  widths_.erase(first, removedEnd);
  std::vector<int> added;
  {
    const ClientDC dc(hwnd());
    const SelectObjectScope font(dc.dc(), font_);
    for (std::size_t at = 0; at < change.inserted; ++at)
      added.push_back(TextWidth(dc.dc(), log_.Line(change.first + at)));
  }
  widths_.insert(widths_.begin() + static_cast<std::ptrdiff_t>(change.first), added.begin(),
                 added.end());
  if (widestGone) {
    widest_ = widths_.empty() ? 0 : *std::max_element(widths_.begin(), widths_.end());
  } else {
    for (const int width : added) widest_ = std::max(widest_, width);
  }
  InvalidateRect(hwnd(), nullptr, FALSE);
  Changed();
}

// The lines not yet shown are measured before the edit, so that the widths kept
// match the lines the change counts from.
void LogView::Edit(const std::function<LogChange(LogLines&)>& edit) {
  MeasureNewLines();
  Edited(edit(log_));
}

// What the keyboard types comes in UTF-16 units, a character beyond the first
// 65,536 in two; control characters other than Enter and Backspace type nothing,
// as in an edit box (Ctrl+C and the like arrive as such too, and Tab, which a memo
// that takes no tabs leaves to the window). Ctrl+Backspace deletes a word on its
// key, whatever character the keyboard makes of it.
void LogView::OnChar(wchar_t unit) {
  if (IS_HIGH_SURROGATE(unit)) {
    highSurrogate_ = unit;
    return;
  }
  std::wstring typed;
  if (IS_LOW_SURROGATE(unit) && highSurrogate_) typed.push_back(highSurrogate_);
  highSurrogate_ = 0;
  typed.push_back(unit);
  if (unit == L'\r') {
    Edit([](LogLines& log) { return log.ReplaceSelection("\r\n"); });
  } else if (unit == L'\b' && GetKeyState(VK_CONTROL) >= 0) {
    Edit([](LogLines& log) { return log.Delete(LogMove::kLeft); });
  } else if (unit >= 0x20 && unit != 0x7F) {
    Edit([&typed](LogLines& log) { return log.ReplaceSelection(Narrow(typed)); });
  }
}

bool LogView::Undo() {
  if (!log_.CanUndo()) return false;
  Edit([](LogLines& log) { return log.Undo(); });
  return true;
}

// Tab moves the focus on, as in a memo that takes no tabs; the activity window has
// no other control, so there the focus stays where it is.
void LogView::FocusNext(bool backward) {
  const HWND next = GetNextDlgTabItem(GetAncestor(hwnd(), GA_ROOT), hwnd(), backward);
  if (next && next != hwnd()) SetFocus(next);
}

void LogView::Cut() {
  if (!log_.HasSelection()) return;
  CopySelection();
  DeleteSelection();
}

void LogView::Paste() {
  const std::optional<std::string> text = TextOnClipboard(hwnd());
  if (!text) return;
  Edit([&text](LogLines& log) { return log.ReplaceSelection(*text); });
}

void LogView::DeleteSelection() {
  if (!log_.HasSelection()) return;
  Edit([](LogLines& log) { return log.ReplaceSelection({}); });
}

int LogView::TextWidth(HDC dc, std::string_view text) const {
  if (text.empty()) return 0;
  const std::wstring wide = Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

int LogView::Rows() const { return std::max((ClientHeight(hwnd()) - kTop) / lineHeight_, 1); }

int LogView::TextAreaWidth() const { return std::max(ClientWidth(hwnd()) - 2 * kMargin, 1); }

void LogView::UpdateScrollBars() {
  // Disabled rather than hidden when everything fits, as the memo's bars were.
  SCROLLINFO info = ScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL);
  info.nMax = static_cast<int>(std::min<std::size_t>(log_.Count(), INT_MAX));
  info.nPage = static_cast<UINT>(Rows());
  info.nPos = static_cast<int>(std::min<std::size_t>(top_, INT_MAX));
  SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
  info.nMax = widest_ + 2 * kMargin - 1;
  info.nPage = static_cast<UINT>(ClientWidth(hwnd()));
  info.nPos = left_;
  SetScrollInfo(hwnd(), SB_HORZ, &info, TRUE);
}

void LogView::ScrollTo(std::size_t top, int left) {
  top_ = ClampedOffset(static_cast<std::ptrdiff_t>(std::min<std::size_t>(top, PTRDIFF_MAX)), Rows(),
                       log_.Count() + 1);
  left_ = static_cast<int>(ClampedOffset(left, ClientWidth(hwnd()), widest_ + 2 * kMargin));
  UpdateScrollBars();
  InvalidateRect(hwnd(), nullptr, FALSE);
  PlaceCaret();
}

void LogView::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  const SelectObjectScope font(dc, font_);
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const RECT above{0, 0, client.right, kTop};
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &above, nullptr, 0, nullptr);
  for (int y = kTop, index = 0; y < client.bottom; y += lineHeight_, ++index) {
    const RECT row{0, y, client.right, y + lineHeight_};
    PaintLine(dc, top_ + index, row);
  }
}

// The line on the window's colour, then its selected part, if any, over it in the
// selection's colours; a memo shows its selection only while it has the focus.
void LogView::PaintLine(HDC dc, std::size_t index, const RECT& row) {
  const std::string_view line = log_.Line(index);
  const std::wstring wide = Widen(line);
  const int x = kMargin - left_;
  ExtTextOutW(dc, x, row.top, ETO_OPAQUE | ETO_CLIPPED, &row, wide.c_str(),
              static_cast<UINT>(wide.size()), nullptr);
  const LogPosition from = std::min(log_.Caret(), log_.Anchor());
  const LogPosition to = std::max(log_.Caret(), log_.Anchor());
  if (!focused_ || from == to || index < from.line || index > to.line) return;
  const std::size_t start = index == from.line ? from.column : 0;
  const std::size_t end = index == to.line ? to.column : line.size();
  if (start >= end) return;
  const int selStart = x + TextWidth(dc, line.substr(0, start));
  const std::wstring selected = Widen(line.substr(start, end - start));
  const RECT box{
      std::max<int>(selStart, row.left), row.top,
      std::min<int>(selStart + TextWidth(dc, line.substr(start, end - start)), row.right),
      row.bottom};
  const COLORREF back = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
  const COLORREF text = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  ExtTextOutW(dc, selStart, row.top, ETO_OPAQUE | ETO_CLIPPED, &box, selected.c_str(),
              static_cast<UINT>(selected.size()), nullptr);
  SetBkColor(dc, back);
  SetTextColor(dc, text);
}

LogPosition LogView::PositionAt(POINT point) const {
  point.y -= kTop;
  const long long row =
      point.y >= 0 ? point.y / lineHeight_ : -((lineHeight_ - 1 - point.y) / lineHeight_);
  const long long line = std::max<long long>(static_cast<long long>(top_) + row, 0);
  if (static_cast<std::size_t>(line) > log_.Count()) return log_.End();
  const std::string_view text = log_.Line(static_cast<std::size_t>(line));
  const std::wstring wide = Widen(text);
  const int x = point.x - kMargin + left_;
  if (wide.empty() || x <= 0) return {static_cast<std::size_t>(line), 0};
  // The caret goes to the nearer side of the character clicked.
  const ClientDC dc(hwnd());
  const SelectObjectScope font(dc.dc(), font_);
  std::vector<int> ends(wide.size());
  SIZE size{};
  GetTextExtentExPointW(dc.dc(), wide.c_str(), static_cast<int>(wide.size()), 0, nullptr,
                        ends.data(), &size);
  std::size_t units = 0;
  while (units < wide.size() && ends[units] <= x) ++units;
  if (units < wide.size()) {
    const int startX = units > 0 ? ends[units - 1] : 0;
    if (x - startX > ends[units] - x) ++units;
  }
  return {static_cast<std::size_t>(line), Narrow(std::wstring_view(wide).substr(0, units)).size()};
}

int LogView::CaretX(HDC dc, LogPosition at) const {
  return TextWidth(dc, log_.Line(at.line).substr(0, at.column));
}

void LogView::PlaceCaret() {
  if (!focused_) return;
  const ClientDC dc(hwnd());
  const SelectObjectScope font(dc.dc(), font_);
  const LogPosition caret = log_.Caret();
  const long long row = static_cast<long long>(caret.line) - static_cast<long long>(top_);
  SetCaretPos(kMargin - left_ + CaretX(dc.dc(), caret),
              kTop + static_cast<int>(std::clamp<long long>(row, -1, Rows() + 1) * lineHeight_));
}

// After the caret or the selection moved: the view follows the caret, as an edit
// box's does, and shows the new selection.
void LogView::Changed() {
  const LogPosition caret = log_.Caret();
  std::size_t caretX;
  {
    const ClientDC dc(hwnd());
    const SelectObjectScope font(dc.dc(), font_);
    caretX = static_cast<std::size_t>(CaretX(dc.dc(), caret));
  }
  ScrollTo(OffsetShowing(top_, Rows(), caret.line),
           static_cast<int>(OffsetShowing(left_, TextAreaWidth(), caretX)));
}

void LogView::OnScroll(int bar, WORD request) {
  const bool vertical = bar == SB_VERT;
  const long long step = vertical ? 1 : charWidth_;
  const long long page = vertical ? Rows() : ClientWidth(hwnd());
  long long at = vertical ? static_cast<long long>(top_) : left_;
  switch (request) {
    case SB_LINEUP:
      at -= step;
      break;
    case SB_LINEDOWN:
      at += step;
      break;
    case SB_PAGEUP:
      at -= page;
      break;
    case SB_PAGEDOWN:
      at += page;
      break;
    case SB_TOP:
      at = 0;
      break;
    case SB_BOTTOM:
      at = LLONG_MAX / 2;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The message's own position has 16 bits; the bar's has 32.
      SCROLLINFO info = ScrollInfo(SIF_TRACKPOS);
      if (!GetScrollInfo(hwnd(), bar, &info)) return;
      at = info.nTrackPos;
      break;
    }
    default:
      return;
  }
  at = std::max<long long>(at, 0);
  if (vertical) {
    ScrollTo(static_cast<std::size_t>(at), left_);
  } else {
    ScrollTo(top_, static_cast<int>(std::min<long long>(at, INT_MAX)));
  }
}

void LogView::OnWheel(short delta) {
  UINT perNotch = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
  wheelRest_ += delta;
  const int notches = wheelRest_ / WHEEL_DELTA;
  wheelRest_ -= notches * WHEEL_DELTA;
  if (notches == 0) return;
  const long long lines = perNotch == WHEEL_PAGESCROLL ? static_cast<long long>(Rows()) * notches
                                                       : static_cast<long long>(perNotch) * notches;
  ScrollTo(static_cast<std::size_t>(std::max<long long>(static_cast<long long>(top_) - lines, 0)),
           left_);
}

void LogView::OnKey(WPARAM key) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  if (key == VK_TAB && !control) {
    FocusNext(shift);
    return;
  }
  if (control && key == 'A') {
    log_.SelectAll();
    Changed();
    return;
  }
  if (control && key == 'Z') {
    Undo();
    return;
  }
  if (control && (key == 'C' || key == VK_INSERT)) {
    CopySelection();
    return;
  }
  if ((control && key == 'X') || (shift && key == VK_DELETE && log_.HasSelection())) {
    Cut();
    return;
  }
  if ((control && key == 'V') || (shift && key == VK_INSERT)) {
    Paste();
    return;
  }
  // Shift+Delete with nothing selected takes the character before the caret, as
  // the edit box does.
  if (key == VK_DELETE || (control && key == VK_BACK)) {
    const LogMove toward = key == VK_BACK ? LogMove::kWordLeft
                           : control      ? LogMove::kWordRight
                           : shift        ? LogMove::kLeft
                                          : LogMove::kRight;
    Edit([toward](LogLines& log) { return log.Delete(toward); });
    return;
  }
  const std::optional<LogMove> move = MoveOfKey(key, control);
  if (!move) return;
  const std::size_t rows = static_cast<std::size_t>(Rows());
  log_.Move(*move, shift, rows);
  // A page key turns the view a page along with the caret, as an edit box's does.
  if (move == LogMove::kPageUp) top_ = top_ > rows ? top_ - rows : 0;
  if (move == LogMove::kPageDown) top_ += rows;
  Changed();
}

void LogView::OnMouse(UINT message, LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (message == WM_LBUTTONDOWN) {
    SetFocus(hwnd());
    SetCapture(hwnd());
    log_.Place(PositionAt(point), GetKeyState(VK_SHIFT) < 0);
    Changed();
  } else if (message == WM_LBUTTONDBLCLK) {
    SetCapture(hwnd());
    log_.SelectWord(PositionAt(point));
    Changed();
  } else if (message == WM_MOUSEMOVE && GetCapture() == hwnd()) {
    // Past the top or bottom edge, the view follows the drag a line at a time.
    point.y = std::clamp<LONG>(point.y, kTop - 1, kTop + Rows() * lineHeight_);
    log_.Place(PositionAt(point), true);
    Changed();
  } else if (message == WM_LBUTTONUP && GetCapture() == hwnd()) {
    ReleaseCapture();
  }
}

void LogView::OnContextMenu(LPARAM lParam) {
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (lParam == -1) {  // from the keyboard: at the caret
    GetCaretPos(&at);
    ClientToScreen(hwnd(), &at);
  }
  SetFocus(hwnd());
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu) throw std::runtime_error("Cannot make the log's menu.");
  // As an edit box's: what would do nothing is greyed.
  const bool selection = log_.HasSelection();
  const bool everything = std::min(log_.Caret(), log_.Anchor()) == LogPosition{} &&
                          std::max(log_.Caret(), log_.Anchor()) == log_.End();
  const struct {
    MenuCommand command;
    const wchar_t* caption;
    bool enabled;
  } items[] = {{kUndo, L"&Undo", log_.CanUndo()}, {kCut, L"Cu&t", selection},
               {kCopy, L"&Copy", selection},      {kPaste, L"&Paste", ClipboardHasText()},
               {kDelete, L"&Delete", selection},  {kSelectAll, L"Select &All", !everything}};
  for (const auto& item : items) {
    if (item.command == kCut || item.command == kSelectAll)
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING | (item.enabled ? 0u : MF_GRAYED), item.command,
                item.caption);
  }
  const UINT_PTR chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                         at.x, at.y, 0, hwnd(), nullptr);
  switch (chosen) {
    case kUndo:
      Undo();
      break;
    case kCut:
      Cut();
      break;
    case kCopy:
      CopySelection();
      break;
    case kPaste:
      Paste();
      break;
    case kDelete:
      DeleteSelection();
      break;
    case kSelectAll:
      log_.SelectAll();
      Changed();
      break;
    default:
      break;
  }
}

void LogView::CopySelection() const {
  if (log_.HasSelection()) PutTextOnClipboard(hwnd(), log_.SelectedText());
}

LRESULT LogView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PaintScope paint(hwnd());
      Paint(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every pixel is painted with the lines
    case WM_SIZE:
      ScrollTo(top_, left_);
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      OnScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_KEYDOWN:
      OnKey(wParam);
      return 0;
    case WM_SYSKEYDOWN:  // Alt+Backspace undoes, as in an edit box
      if (wParam != VK_BACK || !(lParam & (1 << 29))) return Default(message, wParam, lParam);
      Undo();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      OnMouse(message, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(lParam);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) return Default(message, wParam, lParam);
      SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM)));
      return TRUE;
    case WM_SETFOCUS:
      focused_ = true;
      CreateCaret(hwnd(), nullptr, 1, lineHeight_);
      PlaceCaret();
      ::ShowCaret(hwnd());
      InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      DestroyCaret();
      InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
    case WM_CHAR:
      OnChar(static_cast<wchar_t>(wParam));
      return 0;
    case WM_COPY:
      CopySelection();
      return 0;
    case WM_CUT:
      Cut();
      return 0;
    case WM_PASTE:
      Paste();
      return 0;
    case WM_CLEAR:
      DeleteSelection();
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      return Undo();
    case EM_CANUNDO:
      return log_.CanUndo();
    case EM_EMPTYUNDOBUFFER:
      log_.EmptyUndo();
      return 0;
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(log_.Count() + 1);  // with the line after the last break
    // The window speaks UTF-16; the system converts for a caller of the ANSI forms.
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(log_.TextUnits());
    case WM_GETTEXT: {
      if (wParam == 0 || !lParam) return 0;
      const std::wstring text = Widen(log_.Text());
      std::size_t units = std::min(text.size(), static_cast<std::size_t>(wParam) - 1);
      if (units > 0 && units < text.size() && IS_HIGH_SURROGATE(text[units - 1])) --units;
      wchar_t* const buffer = reinterpret_cast<wchar_t*>(lParam);
      std::wmemcpy(buffer, text.data(), units);
      buffer[units] = L'\0';
      return static_cast<LRESULT>(units);
    }
    case WM_SETTEXT: {
      const std::string text =
          lParam ? Narrow(reinterpret_cast<const wchar_t*>(lParam)) : std::string();
      Edit([&text](LogLines& log) { return log.SetText(text); });
      return TRUE;
    }
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace quillmere::win32
