#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Window.h"

namespace quillmere {

// Which changes re-sort the rows: none, a row's data value, a row's caption, both.
enum TSortType { stNone, stData, stText, stBoth };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TAdvListView;

struct TListColumn {
  int Index = 0;
  std::string Caption;
  int Width = 0;
  TAlignment Alignment = taLeftJustify;
};

// One row. Its caption is the text of column 0 and sub-item k that of column k + 1;
// a row may have fewer sub-items than columns. The check state lives in the
// platform list.
class TListItem {
 public:
  // Rows are made by TAdvListView::AddItem.
  TListItem(TAdvListView& owner, int index, std::string caption, std::vector<std::string> subItems)
      : owner_(&owner),
        index_(index),
        caption_(std::move(caption)),
        subItems_(std::move(subItems)) {}

  int Index() const { return index_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);  // re-sorts under stText and stBoth
  const std::vector<std::string>& SubItems() const { return subItems_; }
  void SetSubItem(std::size_t k, std::string text);  // never re-sorts
  // The text of column `column`; empty for a missing sub-item.
  const std::string& Cell(int column) const;
  std::intptr_t Data() const { return data_; }
  void SetData(std::intptr_t data);  // re-sorts under stData and stBoth
  bool Checked() const;
  void SetChecked(bool checked);

 private:
  friend class TAdvListView;

  TAdvListView* owner_;
  int index_;
  std::string caption_;
  std::vector<std::string> subItems_;
  std::intptr_t data_ = 0;
};

// The report list with check boxes that shows the cookies. The platform list keeps
// the order, selection, focus, scrolling and check state; this class keeps the
// texts (the platform list asks for them when it paints) and the sort plumbing.
// It lives in a host window of its own, which receives the platform list's
// notifications, so that whoever places the list needs to route nothing.
class TAdvListView final : public win32::Window {
 public:
  struct Args {
    HWND parent = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HFONT font = nullptr;
    bool checkboxes = true;
  };
  explicit TAdvListView(const Args& args);
  ~TAdvListView() override;

  HWND ListWindow() const { return list_; }

  void AddColumn(std::string caption, int width, TAlignment alignment = taLeftJustify);
  const std::vector<TListColumn>& Columns() const { return columns_; }

  // Appends a row, unticked; adding never sorts.
  TListItem& AddItem(std::string caption, std::vector<std::string> subItems);
  // Removes every row; the column captions stay.
  void ClearItems();
  int ItemCount() const { return static_cast<int>(rows_.size()); }
  TListItem& Item(int index) { return *rows_.at(static_cast<std::size_t>(index)); }

  // While any scope is open the list does not repaint.
  void BeginUpdate();
  void EndUpdate();
  class UpdateScope {
   public:
    explicit UpdateScope(TAdvListView& list) : list_(list) { list_.BeginUpdate(); }
    ~UpdateScope() { list_.EndUpdate(); }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

   private:
    TAdvListView& list_;
  };

  // -1 when no row is focused or selected.
  int ItemFocused() const;
  int ItemSelected() const;
  // Visible (with every window it is in) and enabled.
  bool CanFocus() const;
  void SetFocus();
  // Makes `index` the focused and selected row and scrolls it wholly into view.
  void MakeCurrent(int index);

  TSortType SortType() const { return sortType_; }
  // A different value is stored and sorts at once when it is stData or stBoth with
  // an OnCompare handler, or stText or stBoth; the same value does nothing.
  void SetSortType(TSortType sortType);
  // Sorts every row through OnCompare, or by caption without one. An error of the
  // handler ends the sort and is thrown from here, the rows left as the platform
  // left them.
  bool Sort();

  // The column-click operation: what a click on a header item leads to.
  void ColumnClick(const TListColumn& column);

  // Events; an event left empty is skipped.
  std::function<void(TAdvListView& sender, const TListColumn& column)> OnColumnClick;
  std::function<void(TAdvListView& sender, TListItem& item1, TListItem& item2, std::intptr_t data,
                     int& compare)>
      OnCompare;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class TListItem;
  struct SortRun;
  static int CALLBACK CompareRows(LPARAM row1, LPARAM row2, LPARAM run);

  LRESULT OnNotify(const NMHDR& header);
  void GiveText(NMLVDISPINFOA& info) const;
  int DefaultCompare(TListItem& row1, TListItem& row2);
  void TakePlatformOrder();
  void RepaintRow(int index);

  HWND list_ = nullptr;
  std::vector<TListColumn> columns_;
  std::vector<std::unique_ptr<TListItem>> rows_;
  TSortType sortType_ = stNone;
  int updateDepth_ = 0;
};

}  // namespace quillmere
