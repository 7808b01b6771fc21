#include "listview/gui/AdvListV.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <stdexcept>

#include "toolkit/Controls.h"

namespace quillmere {

namespace {

const std::string kNoText;

int PlatformFormat(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify:
      return LVCFMT_RIGHT;
    case taCenter:
      return LVCFMT_CENTER;
    default:
      return LVCFMT_LEFT;
  }
}

bool SortsOnText(TSortType t) { return t == stText || t == stBoth; }
bool SortsOnData(TSortType t) { return t == stData || t == stBoth; }

}  // namespace

// --- rows

void TListItem::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  owner_->RepaintRow(index_);
  if (SortsOnText(owner_->sortType_)) owner_->Sort();
}

void TListItem::SetSubItem(std::size_t k, std::string text) {
  if (k >= subItems_.size()) subItems_.resize(k + 1);
  subItems_[k] = std::move(text);
  owner_->RepaintRow(index_);
}

const std::string& TListItem::Cell(int column) const {
  if (column == 0) return caption_;
  const auto k = static_cast<std::size_t>(column - 1);
  return column > 0 && k < subItems_.size() ? subItems_[k] : kNoText;
}

void TListItem::SetData(std::intptr_t data) {
  data_ = data;
  if (SortsOnData(owner_->sortType_)) owner_->Sort();
}

bool TListItem::Checked() const { return ListView_GetCheckState(owner_->list_, index_) != 0; }

void TListItem::SetChecked(bool checked) {
  if (Checked() != checked) ListView_SetCheckState(owner_->list_, index_, checked);
}

// --- the list

TAdvListView::TAdvListView(const Args& args) {
  Create({.className = "TAdvListView",
          .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
          .x = args.x,
          .y = args.y,
          .width = args.width,
          .height = args.height,
          .parent = args.parent});
  list_ =
      win32::CreateControl({.className = WC_LISTVIEWA,
                            .style = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                            .exStyle = WS_EX_CLIENTEDGE,
                            .width = args.width,
                            .height = args.height,
                            .parent = hwnd(),
                            .font = args.font});
  DWORD extended = LVS_EX_FLATSB;
  if (args.checkboxes) extended |= LVS_EX_CHECKBOXES;
  ListView_SetExtendedListViewStyle(list_, extended);
}

TAdvListView::~TAdvListView() = default;

void TAdvListView::AddColumn(std::string caption, int width, TAlignment alignment) {
  const int index = static_cast<int>(columns_.size());
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  column.fmt = PlatformFormat(alignment);
  column.cx = width;
  column.pszText = caption.data();
  column.iSubItem = index;
  if (SendMessageA(list_, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)) != index)
    throw std::runtime_error("Cannot add the column " + caption);
  columns_.push_back({index, std::move(caption), width, alignment});
}

TListItem& TAdvListView::AddItem(std::string caption, std::vector<std::string> subItems) {
  const int index = ItemCount();
  auto row = std::make_unique<TListItem>(*this, index, std::move(caption), std::move(subItems));
  // The texts stay here; the platform list asks for them when it paints.
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = LPSTR_TEXTCALLBACKA;
  item.lParam = reinterpret_cast<LPARAM>(row.get());
  if (SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) != index)
    throw std::runtime_error("Cannot add a row to the list.");
  rows_.push_back(std::move(row));
  for (int column = 1; column < static_cast<int>(columns_.size()); ++column) {
    LVITEMA sub{};
    sub.iSubItem = column;
    sub.pszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(list_, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&sub));
  }
  return *rows_.back();
}

void TAdvListView::ClearItems() {
  SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
  rows_.clear();
}

void TAdvListView::BeginUpdate() {
  if (updateDepth_++ == 0) SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
}

void TAdvListView::EndUpdate() {
  if (--updateDepth_ == 0) {
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
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

void TAdvListView::RepaintRow(int index) { SendMessageA(list_, LVM_REDRAWITEMS, index, index); }

// --- sorting

void TAdvListView::SetSortType(TSortType sortType) {
  if (sortType == sortType_) return;
  sortType_ = sortType;
  if ((SortsOnData(sortType) && OnCompare) || SortsOnText(sortType)) Sort();
}

// An error must not cross the platform's sort: it is kept, the remaining
// comparisons are answered at once, and it is thrown when the sort returns.
struct TAdvListView::SortRun {
  TAdvListView& list;
  std::exception_ptr error;
};

int CALLBACK TAdvListView::CompareRows(LPARAM row1, LPARAM row2, LPARAM run) {
  auto& sort = *reinterpret_cast<SortRun*>(run);
  if (sort.error) return 0;
  try {
    return sort.list.DefaultCompare(*reinterpret_cast<TListItem*>(row1),
                                    *reinterpret_cast<TListItem*>(row2));
  } catch (...) {
    sort.error = std::current_exception();
    return 0;
  }
}

int TAdvListView::DefaultCompare(TListItem& row1, TListItem& row2) {
  if (!OnCompare) return lstrcmpA(row1.Caption().c_str(), row2.Caption().c_str());
  int compare = 0;
  OnCompare(*this, row1, row2, 0, compare);
  return compare;
}

bool TAdvListView::Sort() {
  if (!list_) return false;
  SortRun run{*this, nullptr};
  const bool sorted = SendMessageA(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&run),
                                   reinterpret_cast<LPARAM>(&CompareRows)) != 0;
  TakePlatformOrder();
  if (run.error) std::rethrow_exception(run.error);
  return sorted;
}

// The rows in the order the platform list now shows them.
void TAdvListView::TakePlatformOrder() {
  std::vector<std::unique_ptr<TListItem>> ordered(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    auto* row = reinterpret_cast<TListItem*>(item.lParam);
    ordered[i] = std::move(rows_[static_cast<std::size_t>(row->index_)]);
  }
  rows_ = std::move(ordered);
  for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i]->index_ = static_cast<int>(i);
}

void TAdvListView::ColumnClick(const TListColumn& column) {
  if (OnColumnClick) OnColumnClick(*this, column);
}

// --- messages

void TAdvListView::GiveText(NMLVDISPINFOA& info) const {
  if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return;
  const auto index = static_cast<std::size_t>(info.item.iItem);
  const std::string& text = index < rows_.size() ? rows_[index]->Cell(info.item.iSubItem) : kNoText;
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(info.item.cchTextMax - 1));
  std::memcpy(info.item.pszText, text.data(), n);
  info.item.pszText[n] = '\0';
}

LRESULT TAdvListView::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != list_) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOA:
      GiveText(reinterpret_cast<NMLVDISPINFOA&>(const_cast<NMHDR&>(header)));
      return 0;
    case LVN_COLUMNCLICK: {
      const auto& click = reinterpret_cast<const NMLISTVIEW&>(header);
      const auto index = static_cast<std::size_t>(click.iSubItem);
      if (index < columns_.size()) ColumnClick(columns_[index]);
      return 0;
    }
    default:
      return 0;
  }
}

LRESULT TAdvListView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
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

}  // namespace quillmere
