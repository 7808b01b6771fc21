#include "listview/gui/AdvListV.h"

#include <windowsx.h>

namespace quillmere {

namespace {

LVHITTESTINFO HitTest(HWND list, POINT point) {
  LVHITTESTINFO hit{};
  hit.pt = point;
  SendMessageA(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return hit;
}

}  // namespace

// A press on a row's check box turns its tick and goes no further: the selection
// and the focus stay where they were. Any other press goes to the platform list;
// the cell it lands on becomes the current cell.
LRESULT TAdvListView::OnPress(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  LVHITTESTINFO hit = HitTest(list_, point);
  if (hit.iItem < 0 || hit.iItem >= ItemCount())
    return listHook_->CallNext(message, wParam, lParam);
  const int row = hit.iItem;
  const int previousRow = currentRow_;
  const int previousColumn = currentColumn_;
  currentRow_ = row;
  currentColumn_ = hit.iSubItem;
  const bool before = PlatformChecked(row);
  if (const std::string link = LinkAt(point); !link.empty()) ClickLink(row, link);
  currentColumn_ = 0;
  if (PressHitsCheckBox(point.x, RowRect(row).left, checkboxes_, ownerDraw_)) {
    SetPlatformChecked(row, !before);
    if (OnCheckboxClick) OnCheckboxClick(*this, row, !before);
    RepaintCurrentCells(previousRow, previousColumn);
    return 0;
  }
  const LRESULT result = listHook_->CallNext(message, wParam, lParam);
  if (row < ItemCount()) {
    const bool after = PlatformChecked(row);
    if (after != before && OnCheckboxClick) OnCheckboxClick(*this, row, after);
  }
  hit = HitTest(list_, point);
  if (hit.iItem >= 0) {
    currentRow_ = hit.iItem;
    currentColumn_ = hit.iSubItem;
  }
  RepaintCurrentCells(previousRow, previousColumn);
  return result;
}

// A selected row shows its current cell in the selection colours: when a press
// moves the current cell within rows whose selection stays, they are repainted.
void TAdvListView::RepaintCurrentCells(int previousRow, int previousColumn) {
  if (currentRow_ == previousRow && currentColumn_ == previousColumn) return;
  for (const int row : {previousRow, currentRow_})
    if (row >= 0 && row < ItemCount()) RepaintRow(row);
}

// The platform list turns the focused row's tick on the space key; the event
// follows it with that row and its new tick.
LRESULT TAdvListView::OnSpaceKey(WPARAM wParam, LPARAM lParam) {
  const int row = ItemFocused();
  const bool before = row >= 0 && PlatformChecked(row);
  const LRESULT result = listHook_->CallNext(WM_KEYDOWN, wParam, lParam);
  if (row >= 0 && row < ItemCount()) {
    const bool after = PlatformChecked(row);
    if (after != before && OnCheckboxClick) OnCheckboxClick(*this, row, after);
  }
  return result;
}

void TAdvListView::OnPointerMove(POINT point) {
  const std::string link = LinkAt(point);
  overLink_ = !link.empty();
  if (overLink_) {
    if (link == hoverAnchor_) return;
    hoverAnchor_ = link;
    if (OnAnchorEnter) OnAnchorEnter(*this, link);
  } else if (!hoverAnchor_.empty()) {
    const std::string left = std::move(hoverAnchor_);
    hoverAnchor_.clear();
    if (OnAnchorExit) OnAnchorExit(*this, left);
  }
}

// The link of a mini-HTML cell under the point, laid out as the cell is painted;
// empty over anything else.
std::string TAdvListView::LinkAt(POINT point) {
  const LVHITTESTINFO hit = HitTest(list_, point);
  if (hit.iItem < 0 || hit.iItem >= ItemCount() || hit.iSubItem < 0 ||
      hit.iSubItem >= static_cast<int>(columns_.size()))
    return {};
  const RowFacts facts = ReadRowFacts(hit.iItem);
  if (!facts.row) return {};
  const std::string& text = facts.row->Cell(hit.iSubItem);
  if (!IsMiniHtml(text)) return {};
  RECT row = RowRect(hit.iItem);
  const RowLayout layout = LayoutRow(row);
  const int position = DisplayPosition(layout.order, hit.iSubItem);
  const RECT textRect = CellTextRect(layout, position, row, facts.indent, RowCheckMark());
  const win32::ClientDC surface(list_);
  const win32::SelectObjectScope listFont(surface.dc(), Font());
  const TCellStyle style{selectionColor_, selectionTextColor_, Font()};
  return htmlCells_.LinkAt(HtmlCell(surface.dc(), text, textRect, style), point);
}

void TAdvListView::ClickLink(int row, const std::string& link) {
  if (!OpensInSystem(link)) {
    if (OnAnchorClick) OnAnchorClick(*this, link);
    return;
  }
  bool handled = false;
  if (OnURLClick) OnURLClick(*this, row, link, handled);
  if (!handled) opener_.Open(link);
}

}  // namespace quillmere
