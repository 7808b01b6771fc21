#include "listview/gui/AdvListV.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstring>
#include <stdexcept>
#include <string_view>

#include "platform/Utf8.h"
#include "toolkit/Colors.h"
#include "toolkit/Controls.h"
#include "toolkit/ProgramCursors.h"

namespace quillmere {

namespace {

// The control's own repeating timer; its ticks never reach the platform list.
constexpr UINT_PTR kTimerId = 1222;
constexpr UINT kTimerInterval = 300;

win32::UniqueBitmap CopyGlyph(HBITMAP glyph) {
  if (!glyph) return nullptr;
  win32::UniqueBitmap copy(static_cast<HBITMAP>(CopyImage(glyph, IMAGE_BITMAP, 0, 0, 0)));
  if (!copy) throw std::runtime_error("Cannot copy the tick glyph.");
  return copy;
}

}  // namespace

TAdvListView::TAdvListView(const Args& args, LinkOpener& opener)
    : linkCursor_(win32::LinkCursor()),
      font_(args.font),
      opener_(opener),
      checkboxes_(args.checkboxes),
      ownerDraw_(args.ownerDraw),
      flatScrollBars_(args.flatScrollBars),
      miniHtmlCells_(args.miniHtmlCells),
      hoverTime_(args.hoverTime) {
  Create({.className = "TAdvListView",
          .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
          .x = args.x,
          .y = args.y,
          .width = args.width,
          .height = args.height,
          .parent = args.parent});
  // What the main window's layout gives the cookie list: a flat header without hot
  // tracking, plain captions in the toolkit's font.
  headerFlatStyle_ = true;
  headerHotTrack_ = false;
  ownHeaderFont_ = win32::MakeFont("MS Sans Serif", -11);
  headerFont_ = ownHeaderFont_.get();
  BuildList(args.width, args.height);
}

// The header's settings, the rows' background, no platform tooltips, and a first
// row-height request answered with ItemHeight.
void TAdvListView::BuildList(int width, int height) {
  CreateList(width, height);
  AttachHeader();
  SetHeaderFlatStyle(headerFlatStyle_);
  SetHeaderHotTrack(headerHotTrack_);
  if (headerDragDrop_)
    ListView_SetExtendedListViewStyleEx(list_, LVS_EX_HEADERDRAGDROP, LVS_EX_HEADERDRAGDROP);
  SetHeaderFont(headerFont_);
  SetFilterTimeOut(filterTimeOut_);
  RefreshRowHeight();
  RefreshBackground();
  // The list's tooltips go; the window that showed them is no longer the list's.
  DestroyWindow(reinterpret_cast<HWND>(SendMessageA(list_, LVM_SETTOOLTIPS, 0, 0)));
  SetTimer(list_, kTimerId, kTimerInterval, nullptr);
}

// The rows keep their texts, data, ticks, selection and focus, the columns their
// captions, widths, alignments and display order; the hooks go with the old windows.
void TAdvListView::SetOwnerDraw(bool ownerDraw) {
  if (ownerDraw == ownerDraw_) return;
  const int columnCount = static_cast<int>(columns_.size());
  std::vector<int> order(columns_.size());
  SendMessageA(list_, LVM_GETCOLUMNORDERARRAY, columnCount, reinterpret_cast<LPARAM>(order.data()));
  std::vector<UINT> states;
  for (int i = 0; i < ItemCount(); ++i)
    states.push_back(static_cast<UINT>(SendMessageA(
        list_, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED)));
  ReadColumnWidths();
  RECT area{};
  GetClientRect(hwnd(), &area);
  DestroyWindow(list_);
  headerHook_.reset();
  listHook_.reset();
  stateImages_.reset();
  ownerDraw_ = ownerDraw;
  BuildList(area.right, area.bottom);
  for (const TListColumn& column : columns_) InsertColumn(column);
  SendMessageA(list_, LVM_SETCOLUMNORDERARRAY, columnCount, reinterpret_cast<LPARAM>(order.data()));
  ApplyPlainHeaderFormats();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    InsertRow(*rows_[i]);
    // A list with check boxes unticks every row it is given.
    LVITEMA state{};
    state.state = states[i];
    state.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
  }
}

// The windows go first, while every part of the list and the header's font are
// still there to answer them.
TAdvListView::~TAdvListView() {
  if (hwnd()) DestroyWindow(hwnd());
}

int TAdvListView::ColumnFormat(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify:
      return LVCFMT_RIGHT;
    case taCenter:
      return LVCFMT_CENTER;
    default:
      return LVCFMT_LEFT;
  }
}

void TAdvListView::NudgeSize(HWND window, int dx, int dy) {
  RECT rc{};
  GetWindowRect(window, &rc);
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  constexpr UINT kSizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(window, nullptr, 0, 0, width + dx, height + dy, kSizeOnly);
  SetWindowPos(window, nullptr, 0, 0, width, height, kSizeOnly);
}

void TAdvListView::CreateList(int width, int height) {
  DWORD style = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP;
  if (ownerDraw_) style |= LVS_OWNERDRAWFIXED;
  list_ = win32::CreateControl({.className = WC_LISTVIEWA,
                                .style = style,
                                .exStyle = WS_EX_CLIENTEDGE,
                                .width = width,
                                .height = height,
                                .parent = hwnd(),
                                .font = font_});
  DWORD extended = 0;
  if (flatScrollBars_) extended |= LVS_EX_FLATSB;
  if (checkboxes_) extended |= LVS_EX_CHECKBOXES;
  ListView_SetExtendedListViewStyle(list_, extended);
  // The ticks stay in the platform list, but the boxes are this control's: without
  // the platform's box pictures the platform list sees no box to press, so a press
  // beside the drawn box selects the row as anywhere else on it.
  if (checkboxes_ && ownerDraw_) {
    stateImages_.reset(ListView_SetImageList(list_, nullptr, LVSIL_STATE));
  }
  SendMessageA(list_, LVM_SETHOVERTIME, 0, static_cast<LPARAM>(hoverTime_));
  listHook_ = std::make_unique<win32::WindowHook>(
      list_, [this](UINT message, WPARAM wParam, LPARAM lParam) {
        return OnListMessage(message, wParam, lParam);
      });
}

void TAdvListView::AttachHeader() {
  header_ = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
  if (!header_) throw std::runtime_error("The list has no header.");
  headerHook_ = std::make_unique<win32::WindowHook>(
      header_, [this](UINT message, WPARAM wParam, LPARAM lParam) {
        return OnHeaderMessage(message, wParam, lParam);
      });
}

// --- rows and columns

void TAdvListView::AddColumn(std::string caption, int width, TAlignment alignment) {
  TListColumn column{static_cast<int>(columns_.size()), std::move(caption), width, alignment};
  InsertColumn(column);
  columns_.push_back(std::move(column));
  ApplyPlainHeaderFormats();
}

void TAdvListView::InsertColumn(const TListColumn& column) {
  std::string caption = column.Caption;
  LVCOLUMNA platform{};
  platform.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  platform.fmt = ColumnFormat(column.Alignment);
  platform.cx = column.Width;
  platform.pszText = caption.data();
  platform.iSubItem = column.Index;
  if (SendMessageA(list_, LVM_INSERTCOLUMNA, column.Index, reinterpret_cast<LPARAM>(&platform)) !=
      column.Index)
    throw std::runtime_error("Cannot add the column " + caption);
}

TListItem& TAdvListView::AddItem(std::string caption, std::vector<std::string> subItems,
                                 std::intptr_t data) {
  const int index = ItemCount();
  auto row = std::make_unique<TListItem>(*this, index, std::move(caption), std::move(subItems));
  row->data_ = data;
  InsertRow(*row);
  rows_.push_back(std::move(row));
  return *rows_.back();
}

void TAdvListView::InsertRow(TListItem& row) {
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
  item.iItem = row.index_;
  // The row keeps its texts and the platform list asks for them (LVN_GETDISPINFO)
  // whenever it shows or hands one out: a row costs one message and no copy, and a
  // sub-item never set is asked for as well.
  item.pszText = LPSTR_TEXTCALLBACKA;
  item.lParam = reinterpret_cast<LPARAM>(&row);
  item.state = INDEXTOSTATEIMAGEMASK(1);
  item.stateMask = LVIS_STATEIMAGEMASK;
  if (SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) != row.index_)
    throw std::runtime_error("Cannot add a row to the list.");
}

// The platform list's buffer may be shorter than the text: the part that fits ends on
// a whole character.
void TAdvListView::GiveCellText(LVITEMA& cell) const {
  if (!(cell.mask & LVIF_TEXT) || !cell.pszText || cell.cchTextMax <= 0 || !cell.lParam) return;
  const auto& row = *reinterpret_cast<const TListItem*>(cell.lParam);
  const std::string_view text =
      PrefixWithin(row.Cell(cell.iSubItem), static_cast<std::size_t>(cell.cchTextMax - 1));
  std::memcpy(cell.pszText, text.data(), text.size());
  cell.pszText[text.size()] = '\0';
}

void TAdvListView::ClearItems() {
  SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
  rows_.clear();
}

void TAdvListView::Clear() {
  ClearItems();
  for (TListColumn& column : columns_) {
    column.Caption.clear();
    LVCOLUMNA blank{};
    blank.mask = LVCF_TEXT;
    blank.pszText = column.Caption.data();
    SendMessageA(list_, LVM_SETCOLUMNA, column.Index, reinterpret_cast<LPARAM>(&blank));
  }
}

bool TAdvListView::PlatformChecked(int index) const {
  const auto state = SendMessageA(list_, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK);
  return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void TAdvListView::SetPlatformChecked(int index, bool checked) {
  LVITEMA item{};
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  item.stateMask = LVIS_STATEIMAGEMASK;
  SendMessageA(list_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

void TAdvListView::BeginUpdate() {
  if (updateDepth_++ == 0) SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
}

void TAdvListView::EndUpdate() {
  if (--updateDepth_ == 0) {
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    Repaint();
  }
}

int TAdvListView::ItemFocused() const {
  return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
}

int TAdvListView::ItemSelected() const {
  return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

bool TAdvListView::CanFocus() const { return IsWindowVisible(list_) && IsWindowEnabled(list_); }

void TAdvListView::SetFocus() { ::SetFocus(list_); }

void TAdvListView::MakeCurrent(int index) {
  ListView_SetItemState(list_, index, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  SendMessageA(list_, LVM_ENSUREVISIBLE, index, FALSE);
}

// The row as far as the header's columns reach: Wine repaints owner-drawn rows only
// from two pixels in, where it places them.
void TAdvListView::RepaintRow(int index) {
  if (updateDepth_ > 0) return;  // the whole list is repainted when the batch ends
  if (index < 0) return Repaint();
  const RECT row = RowRect(index);
  InvalidateRect(list_, &row, FALSE);
}

void TAdvListView::Repaint() { InvalidateRect(list_, nullptr, TRUE); }

// --- how rows look

int TAdvListView::HoverTime() const {
  return static_cast<int>(SendMessageA(list_, LVM_GETHOVERTIME, 0, 0));
}

void TAdvListView::SetHoverTime(int milliseconds) {
  if (milliseconds == hoverTime_) return;
  hoverTime_ = milliseconds;
  SendMessageA(list_, LVM_SETHOVERTIME, 0, static_cast<LPARAM>(milliseconds));
}

void TAdvListView::SetFilterTimeOut(int milliseconds) {
  filterTimeOut_ = milliseconds;
  SendMessageA(header_, HDM_SETFILTERCHANGETIMEOUT, 0, static_cast<LPARAM>(milliseconds));
}

void TAdvListView::SetItemHeight(int height) {
  if (height <= 0 || height == itemHeight_) return;
  itemHeight_ = height;
  RefreshRowHeight();
}

// The platform list asks for the row height only when it is made and when its
// size changes.
void TAdvListView::RefreshRowHeight() { NudgeSize(list_, 0, 1); }

void TAdvListView::SetVAlignment(TVAlignment alignment) { Restyle(vAlignment_, alignment); }

void TAdvListView::SetColor(TColor color) {
  color_ = color;
  RefreshBackground();
}

// The platform paints what no row covers in the rows' background.
void TAdvListView::RefreshBackground() {
  const COLORREF rgb = win32::ColorToRGB(color_);
  SendMessageA(list_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(rgb));
  SendMessageA(list_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(rgb));
  Repaint();
}

void TAdvListView::SetSelectionColor(TColor color) { Restyle(selectionColor_, color); }

void TAdvListView::SetFontColor(TColor color) { Restyle(fontColor_, color); }

void TAdvListView::SetCheckTrueGlyph(HBITMAP glyph) {
  checkTrueGlyph_ = CopyGlyph(glyph);
  Repaint();
}

void TAdvListView::SetCheckFalseGlyph(HBITMAP glyph) {
  checkFalseGlyph_ = CopyGlyph(glyph);
  Repaint();
}

void TAdvListView::SetSelectionTextColor(TColor color) { Restyle(selectionTextColor_, color); }

HFONT TAdvListView::Font() const {
  return reinterpret_cast<HFONT>(SendMessageA(list_, WM_GETFONT, 0, 0));
}

void TAdvListView::SetDetailView(const TDetails& details) { Restyle(detailView_, details); }

int TAdvListView::GetVersionNr() const { return MAKELONG(0, 2); }

std::string TAdvListView::GetVersionString() const { return "2.0 (December 2026)"; }

// --- hooks

void TAdvListView::RowSelected(int) {}

void TAdvListView::LeftClickCell(int item, int subItem) {
  if (OnLeftClickCell) OnLeftClickCell(*this, item, subItem);
}

void TAdvListView::RightClickCell(int item, int subItem) {
  if (OnRightClickCell) OnRightClickCell(*this, item, subItem);
}

void TAdvListView::DrawCellProps(int item, int subItem, UINT state, TCellStyle& style,
                                 const std::string& text) {
  if (OnDrawItemProp) OnDrawItemProp(*this, item, subItem, state, style, text);
}

// --- messages

LRESULT TAdvListView::OnNotify(NMHDR& header) {
  if (header.hwndFrom != list_) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOA:
      GiveCellText(reinterpret_cast<NMLVDISPINFOA&>(header).item);
      return 0;
    case LVN_COLUMNCLICK: {  // only with the push-button header
      const auto& click = reinterpret_cast<const NMLISTVIEW&>(header);
      const auto index = static_cast<std::size_t>(click.iSubItem);
      if (index < columns_.size()) ColumnClick(columns_[index]);
      return 0;
    }
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if (change.uChanged & LVIF_STATE) RepaintRow(change.iItem);
      if (change.uNewState & LVIS_SELECTED) RowSelected(change.iItem);
      return 0;
    }
    case NM_CLICK:
    case NM_RCLICK: {
      const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
      if (header.code == NM_CLICK) {
        LeftClickCell(click.iItem, click.iSubItem);
      } else {
        RightClickCell(click.iItem, click.iSubItem);
      }
      return 0;
    }
    default:
      return 0;
  }
}

LRESULT TAdvListView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM:
      if (itemHeight_ > 0) reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = itemHeight_;
      return TRUE;
    case WM_DRAWITEM:
      PaintItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_SETFOCUS:
      ::SetFocus(list_);
      return 0;
    case WM_SIZE:
      MoveWindow(list_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

LRESULT TAdvListView::OnListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnPress(message, wParam, lParam);
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && checkboxes_) return OnSpaceKey(wParam, lParam);
      break;
    case WM_MOUSEMOVE:
      OnPointerMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      break;
    case WM_SETCURSOR:
      if (overLink_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(linkCursor_);
        return TRUE;
      }
      break;
    case WM_TIMER:
      if (wParam == kTimerId) return 0;
      break;
    case WM_NOTIFY: {
      auto& from = *reinterpret_cast<NMHDR*>(lParam);
      if (from.hwndFrom == header_) return OnHeaderNotify(from, wParam, lParam);
      break;
    }
    case WM_DESTROY:
      KillTimer(list_, kTimerId);
      break;
    default:
      break;
  }
  return listHook_->CallNext(message, wParam, lParam);
}

}  // namespace quillmere
