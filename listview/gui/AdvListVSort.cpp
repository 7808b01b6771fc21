#include "listview/gui/AdvListV.h"

#include <exception>

namespace quillmere {

void TAdvListView::SetSortType(TSortType sortType) {
  if (sortType == sortType_) return;
  sortType_ = sortType;
  if (SortsWhenSet(sortType, static_cast<bool>(OnCompare))) Sort();
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

}  // namespace quillmere
