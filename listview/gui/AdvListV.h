#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/Color.h"
#include "listview/CellStyle.h"
#include "listview/ListSettings.h"
#include "listview/RowGeometry.h"
#include "listview/SortType.h"
#include "listview/gui/HtmlCells.h"
#include "platform/LinkOpener.h"
#include "platform/win32/Handles.h"
#include "toolkit/WindowHook.h"
#include "toolkit/Window.h"

namespace quillmere {

class TAdvListView;

struct TListColumn {
  int Index = 0;
  std::string Caption;
  int Width = 0;
  TAlignment Alignment = taLeftJustify;
};

// One row. Its caption is the text of column 0 and sub-item k that of column k + 1;
// a row may have fewer sub-items than columns. The row holds its texts: the
// platform list asks it for them whenever the screen, assistive tools or other
// processes read a cell, and the compare handler reads them while the platform list
// is in the middle of a sort. The tick lives in the platform list.
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
  // The platform list repaints the row; setting the tick it has does nothing.
  void SetChecked(bool checked);

 private:
  friend class TAdvListView;

  TAdvListView* owner_;
  int index_;
  std::string caption_;
  std::vector<std::string> subItems_;
  std::intptr_t data_ = 0;
};

// The colours and font a cell is painted in, which OnDrawItemProp may change.
struct TCellStyle {
  TColor brush = clWindow;
  TColor fontColor = clWindowText;
  HFONT font = nullptr;
};

// The report list that shows the cookies. The platform list keeps the rows (their
// texts asked of ours), ticks, the selection, focus and scrolling; this control paints every
// row itself (a flat check box, per-cell colours, a focus rectangle on the current
// cell), answers presses on the check boxes, fixes the row height, keeps the header
// flat with plain captions, and carries the sort plumbing. It lives in a host
// window of its own, which receives the platform list's notifications and paint
// requests, so that whoever places the list needs to route nothing. Painting goes
// through the platform list's owner-draw requests for WM_PAINT and WM_PRINTCLIENT
// alike, so rows can be drawn into any device context. Links in mini-HTML cells that
// the system opens go to `opener`, unless OnURLClick handles them.
class TAdvListView : public win32::Window {
 public:
  struct Args {
    HWND parent = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HFONT font = nullptr;  // the rows' font; kept by the caller
    bool checkboxes = true;
    bool ownerDraw = true;
    bool flatScrollBars = true;
    int hoverTime = -1;  // the hover-select delay; -1 the system's
    // Cells holding a closing tag are drawn as mini-HTML, their links live. A list of
    // texts that come from elsewhere (websites) turns this off: its cells are plain.
    bool miniHtmlCells = true;
  };
  TAdvListView(const Args& args, LinkOpener& opener);
  ~TAdvListView() override;

  HWND ListWindow() const { return list_; }
  HWND HeaderWindow() const { return header_; }

  // Adds a column at the end; its header caption is left-aligned whatever the
  // alignment of its cells.
  void AddColumn(std::string caption, int width, TAlignment alignment = taLeftJustify);
  const std::vector<TListColumn>& Columns() const { return columns_; }

  // Appends a row, unticked, with its `data`; adding never sorts.
  TListItem& AddItem(std::string caption, std::vector<std::string> subItems,
                     std::intptr_t data = 0);
  // Removes every row; the column captions stay.
  void ClearItems();
  // The control's own clear: every row goes and every column caption is blanked,
  // the columns themselves stay.
  void Clear();
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

  // The row of the last press on a row, and the column that press made current
  // (0 unless it was a sub-item's cell).
  int CurrentRow() const { return currentRow_; }
  int CurrentColumn() const { return currentColumn_; }

  // --- How rows look
  bool Checkboxes() const { return checkboxes_; }
  bool OwnerDraw() const { return ownerDraw_; }
  // Makes the platform list anew, with or without owner-drawn rows; its columns,
  // rows, ticks, selection and the header's settings move over to the new one.
  void SetOwnerDraw(bool ownerDraw);
  // The platform list's hover-select delay in milliseconds (-1: the system's).
  int HoverTime() const;
  void SetHoverTime(int milliseconds);
  // The header's delay before it reports a change of its filter row, sent to the
  // header at every assignment; 500 until set.
  int FilterTimeOut() const { return filterTimeOut_; }
  void SetFilterTimeOut(int milliseconds);
  // Every row's height; values of 0 or less are ignored.
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  TVAlignment VAlignment() const { return vAlignment_; }
  void SetVAlignment(TVAlignment alignment);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TColor SelectionColor() const { return selectionColor_; }
  void SetSelectionColor(TColor color);
  TColor SelectionTextColor() const { return selectionTextColor_; }
  void SetSelectionTextColor(TColor color);
  HFONT Font() const;
  // The colour of the rows' text where no selection colours it.
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color);
  // The tick glyphs: with both set, the row's glyph stands where the flat box would,
  // drawn without the colour of its bottom-left pixel. The list keeps copies;
  // nullptr empties a glyph.
  HBITMAP CheckTrueGlyph() const { return checkTrueGlyph_.get(); }
  void SetCheckTrueGlyph(HBITMAP glyph);
  HBITMAP CheckFalseGlyph() const { return checkFalseGlyph_.get(); }
  void SetCheckFalseGlyph(HBITMAP glyph);

  // --- The header
  // Flat items instead of push buttons; a click on an item still reaches
  // OnColumnClick.
  bool HeaderFlatStyle() const { return headerFlatStyle_; }
  void SetHeaderFlatStyle(bool flat);
  bool HeaderHotTrack() const { return headerHotTrack_; }
  void SetHeaderHotTrack(bool hotTrack);
  bool HeaderDragDrop() const { return headerDragDrop_; }
  void SetHeaderDragDrop(bool dragDrop);
  // The captions' font, kept by the caller (the list's own until then); the header
  // is laid out anew for it.
  HFONT HeaderFont() const { return headerFont_; }
  void SetHeaderFont(HFONT font);

  // --- Sorting
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

  // --- Events; an event left empty is skipped.
  std::function<void(TAdvListView& sender, const TListColumn& column)> OnColumnClick;
  std::function<void(TAdvListView& sender, TListItem& item1, TListItem& item2, std::intptr_t data,
                     int& compare)>
      OnCompare;
  // A row's tick changed by a press or by the space key: the row and its new tick.
  std::function<void(TAdvListView& sender, int item, bool checked)> OnCheckboxClick;
  std::function<void(TAdvListView& sender, int item, int subItem)> OnLeftClickCell;
  std::function<void(TAdvListView& sender, int item, int subItem)> OnRightClickCell;
  // Before a cell takes its selection colours; may change the style.
  std::function<void(TAdvListView& sender, int item, int subItem, UINT state, TCellStyle& style,
                     const std::string& text)>
      OnDrawItemProp;
  // After a row is painted.
  std::function<void(TAdvListView& sender, HDC dc, int item, const RECT& rect, UINT state)>
      OnDrawItem;
  std::function<void(TAdvListView& sender, const std::string& anchor)> OnAnchorClick;
  std::function<void(TAdvListView& sender, const std::string& anchor)> OnAnchorEnter;
  std::function<void(TAdvListView& sender, const std::string& anchor)> OnAnchorExit;
  // A link the system opens (platform/LinkOpener.h) was pressed; unless handled the
  // opener opens it.
  std::function<void(TAdvListView& sender, int item, const std::string& url, bool& handled)>
      OnURLClick;
  // A resize drag of a column's divider is about to start; false vetoes it.
  std::function<void(TAdvListView& sender, int column, bool& allow)> OnStartColumnTrack;
  std::function<void(TAdvListView& sender, int column)> OnEndColumnTrack;
  std::function<void(TAdvListView& sender, int column)> OnColumnSized;
  std::function<void(TAdvListView& sender, int column)> OnColumnRClick;

  // --- What the list offers and this program does not use: the settings of features
  // it leaves off, the details view, the version and the header's filter events.
  TColumnSize ColumnSize;
  TPrintSettings PrintSettings;
  THTMLSettings HTMLSettings;
  const TDetails& DetailView() const { return detailView_; }
  void SetDetailView(const TDetails& details);
  // The major version in the high word, the minor in the low one; and as text with
  // its release date.
  virtual int GetVersionNr() const;
  virtual std::string GetVersionString() const;
  std::function<void(TAdvListView& sender, int item)> OnFilterChange;
  std::function<void(TAdvListView& sender, int item)> OnFilterBtnClick;

 protected:
  // Paints row `index` into `dc` within `rect` (state: ODS_ bits).
  virtual void DrawRow(HDC dc, int index, const RECT& rect, UINT state);
  // Every change of a row's state that leaves it selected.
  virtual void RowSelected(int index);
  virtual void LeftClickCell(int item, int subItem);
  virtual void RightClickCell(int item, int subItem);
  virtual void DrawCellProps(int item, int subItem, UINT state, TCellStyle& style,
                             const std::string& text);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class TListItem;
  struct SortRun;
  // The cells of one row as the header lays them out.
  struct RowLayout {
    std::vector<int> order;       // the column at each display position
    std::vector<CellSpan> spans;  // the cell at each display position
    int currentPosition = 0;      // where the current column is shown
  };
  // What the platform list holds of a row: the row itself (its item data), its tick
  // and indent.
  struct RowFacts {
    const TListItem* row = nullptr;
    bool checked = false;
    int indent = 0;
  };

  static int ColumnFormat(TAlignment alignment);
  // Sizes the window `dx`, `dy` pixels larger and back again, so that the platform
  // lays it out anew.
  static void NudgeSize(HWND window, int dx, int dy);
  static int CALLBACK CompareRows(LPARAM row1, LPARAM row2, LPARAM run);

  // Makes the platform list and its header with the control's settings.
  void BuildList(int width, int height);
  void CreateList(int width, int height);
  void AttachHeader();
  void InsertColumn(const TListColumn& column);
  // Inserts the row, unticked, at its index.
  void InsertRow(TListItem& row);
  LRESULT OnNotify(NMHDR& header);
  LRESULT OnListMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnHeaderMessage(UINT message, WPARAM wParam, LPARAM lParam);
  int DefaultCompare(TListItem& row1, TListItem& row2);
  void TakePlatformOrder();
  void RepaintRow(int index);
  void Repaint();
  // Stores a setting the rows are painted with and repaints them.
  template <typename Value>
  void Restyle(Value& setting, const Value& value) {
    setting = value;
    Repaint();
  }
  void RefreshRowHeight();
  void RefreshBackground();
  void GiveCellText(LVITEMA& cell) const;
  bool PlatformChecked(int index) const;
  void SetPlatformChecked(int index, bool checked);

  // Painting.
  void PaintItem(const DRAWITEMSTRUCT& item);
  RowLayout LayoutRow(const RECT& row) const;
  RECT RowRect(int index) const;
  RowFacts ReadRowFacts(int index) const;
  CheckMark RowCheckMark() const;
  void DrawCheckMark(HDC dc, const CheckMark& mark, int cellLeft, const RECT& row,
                     bool checked) const;
  void DrawCellText(HDC dc, const std::string& text, const RECT& rect, TAlignment alignment,
                    const TCellStyle& style);
  TMiniHtmlCells::Cell HtmlCell(HDC dc, const std::string& text, const RECT& textRect,
                                const TCellStyle& style) const;
  RECT CellTextRect(const RowLayout& layout, int position, const RECT& row, int indent,
                    const CheckMark& mark) const;

  // Presses, keys and the pointer.
  LRESULT OnPress(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnSpaceKey(WPARAM wParam, LPARAM lParam);
  void OnPointerMove(POINT point);
  std::string LinkAt(POINT point);
  void ClickLink(int row, const std::string& link);
  void RepaintCurrentCells(int previousRow, int previousColumn);

  // The header.
  LRESULT OnHeaderNotify(NMHDR& header, WPARAM wParam, LPARAM lParam);
  void ApplyPlainHeaderFormats();
  void EndColumnResize(int column);
  void SetHeaderStyle(DWORD bit, bool on);
  void ReadColumnWidths();

  HWND list_ = nullptr;
  HWND header_ = nullptr;
  std::unique_ptr<win32::WindowHook> listHook_;
  std::unique_ptr<win32::WindowHook> headerHook_;
  win32::UniqueImageList stateImages_;  // the platform's boxes, taken off the list
  win32::UniqueFont ownHeaderFont_;
  win32::UniqueBitmap checkTrueGlyph_;
  win32::UniqueBitmap checkFalseGlyph_;
  HCURSOR linkCursor_ = nullptr;
  HFONT font_ = nullptr;  // the rows' font, kept by the caller
  LinkOpener& opener_;
  TMiniHtmlCells htmlCells_;  // the cells whose text is mini-HTML
  bool IsMiniHtml(const std::string& text) const {
    return miniHtmlCells_ && CellKindOf(text) == CellKind::kMiniHtml;
  }
  std::vector<TListColumn> columns_;
  std::vector<std::unique_ptr<TListItem>> rows_;

  bool checkboxes_ = true;
  bool ownerDraw_ = true;
  bool flatScrollBars_ = true;
  bool miniHtmlCells_ = true;
  int hoverTime_ = -1;
  int filterTimeOut_ = 500;
  TColor fontColor_ = clWindowText;
  int itemHeight_ = 13;
  TVAlignment vAlignment_ = vtaCenter;
  TColor color_ = clWindow;
  TColor selectionColor_ = clHighlight;
  TColor selectionTextColor_ = clHighlightText;
  TColor urlColor_ = clBlue;
  TDetails detailView_;
  bool headerFlatStyle_ = false;
  bool headerHotTrack_ = true;
  bool headerDragDrop_ = false;
  HFONT headerFont_ = nullptr;

  TSortType sortType_ = stNone;
  int updateDepth_ = 0;
  int currentRow_ = 0;
  int currentColumn_ = 0;
  std::string hoverAnchor_;
  bool overLink_ = false;
  bool columnTracking_ = false;
  bool applyingHeaderFormats_ = false;
  int pressedHeaderItem_ = -1;
};

}  // namespace quillmere
