#include "listview/gui/AdvListV.h"

#include <windowsx.h>

namespace quillmere {

namespace {

// The header item whose caption (not its divider) lies under the point; -1 for none.
int HeaderItemAt(HWND header, POINT point) {
  HDHITTESTINFO hit{};
  hit.pt = point;
  SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  const bool onCaption =
      (hit.flags & HHT_ONHEADER) && !(hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN));
  return onCaption ? hit.iItem : -1;
}

}  // namespace

void TAdvListView::SetHeaderStyle(DWORD bit, bool on) {
  const DWORD style = static_cast<DWORD>(GetWindowLongA(header_, GWL_STYLE));
  SetWindowLongA(header_, GWL_STYLE, static_cast<LONG>(on ? style | bit : style & ~bit));
  InvalidateRect(header_, nullptr, TRUE);
}

void TAdvListView::SetHeaderFlatStyle(bool flat) {
  SetHeaderStyle(HDS_BUTTONS, !flat);
  headerFlatStyle_ = flat;
}

void TAdvListView::SetHeaderHotTrack(bool hotTrack) {
  SetHeaderStyle(HDS_HOTTRACK, hotTrack);
  headerHotTrack_ = hotTrack;
}

void TAdvListView::SetHeaderDragDrop(bool dragDrop) {
  if (dragDrop == headerDragDrop_) return;
  ListView_SetExtendedListViewStyleEx(list_, LVS_EX_HEADERDRAGDROP,
                                      dragDrop ? LVS_EX_HEADERDRAGDROP : 0);
  headerDragDrop_ = dragDrop;
}

void TAdvListView::SetHeaderFont(HFONT font) {
  headerFont_ = font;
  SendMessageA(header_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  // The platform list fits its header to the font only when it is sized.
  SetWindowPos(header_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  NudgeSize(list_, 1, 0);
}

// Every caption as plain left-aligned text in the header font, whatever the
// alignment of its column's cells.
void TAdvListView::ApplyPlainHeaderFormats() {
  if (applyingHeaderFormats_) return;  // setting an item reports a change of it
  applyingHeaderFormats_ = true;
  const int count = static_cast<int>(SendMessageA(header_, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    item.fmt = HDF_STRING;
    SendMessageA(header_, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(header_, WM_SETFONT, reinterpret_cast<WPARAM>(headerFont_), TRUE);
  applyingHeaderFormats_ = false;
}

void TAdvListView::ReadColumnWidths() {
  for (TListColumn& column : columns_)
    column.Width = static_cast<int>(SendMessageA(list_, LVM_GETCOLUMNWIDTH, column.Index, 0));
}

// The header's notifications, ANSI or Unicode alike: the platform list's header
// speaks Unicode to it whatever this program is built for. Only the header's own
// codes name an item; NM_RCLICK and NM_RELEASEDCAPTURE come as a bare NMHDR.
LRESULT TAdvListView::OnHeaderNotify(NMHDR& from, WPARAM wParam, LPARAM lParam) {
  const auto item = [&from] { return reinterpret_cast<const NMHEADERA&>(from).iItem; };
  const UINT code = from.code;
  const bool beginTrack = code == HDN_BEGINTRACKA || code == HDN_BEGINTRACKW;
  const bool endTrack = code == HDN_ENDTRACKA || code == HDN_ENDTRACKW;
  if (endTrack && OnEndColumnTrack) {
    columnTracking_ = false;
    OnEndColumnTrack(*this, item());
  }
  if (beginTrack && OnStartColumnTrack) {
    bool allow = true;
    OnStartColumnTrack(*this, item(), allow);
    return allow ? FALSE : TRUE;  // TRUE keeps the drag from starting
  }
  const LRESULT result = listHook_->CallNext(WM_NOTIFY, wParam, lParam);
  if (beginTrack) {
    columnTracking_ = true;
  } else if (endTrack) {
    columnTracking_ = false;
    EndColumnResize(item());
  } else if (code == HDN_ITEMCHANGEDA || code == HDN_ITEMCHANGEDW || code == HDN_DIVIDERDBLCLICKA ||
             code == HDN_DIVIDERDBLCLICKW) {
    if (!columnTracking_) {
      ReadColumnWidths();
      ApplyPlainHeaderFormats();
    }
  } else if (code == HDN_FILTERCHANGE) {
    if (OnFilterChange) OnFilterChange(*this, item());
  } else if (code == HDN_FILTERBTNCLICK) {
    if (OnFilterBtnClick) OnFilterBtnClick(*this, item());
  } else if (code == static_cast<UINT>(NM_RCLICK)) {
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(header_, &at);
    if (const int column = HeaderItemAt(header_, at); column >= 0 && OnColumnRClick)
      OnColumnRClick(*this, column);
  }
  return result;
}

// After a resize drag the column gets its cells' alignment back in the platform
// list, and the captions their plain format.
void TAdvListView::EndColumnResize(int column) {
  if (column >= 0 && column < static_cast<int>(columns_.size())) {
    LVCOLUMNA format{};
    format.mask = LVCF_FMT;
    format.fmt = ColumnFormat(columns_[static_cast<std::size_t>(column)].Alignment);
    SendMessageA(list_, LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&format));
    if (OnColumnSized) OnColumnSized(*this, column);
  }
  ReadColumnWidths();
  ApplyPlainHeaderFormats();
}

// Without push buttons the platform header reports no clicks on its items; a
// press and release on the same caption is a click all the same.
LRESULT TAdvListView::OnHeaderMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_LBUTTONDOWN:
      if (!(GetWindowLongA(header_, GWL_STYLE) & HDS_BUTTONS)) {
        pressedHeaderItem_ = HeaderItemAt(header_, point);
        if (pressedHeaderItem_ >= 0) SetCapture(header_);
      }
      break;
    case WM_LBUTTONUP:
      if (pressedHeaderItem_ >= 0) {
        const int pressed = pressedHeaderItem_;
        pressedHeaderItem_ = -1;
        ReleaseCapture();
        if (HeaderItemAt(header_, point) == pressed && pressed < static_cast<int>(columns_.size()))
          ColumnClick(columns_[static_cast<std::size_t>(pressed)]);
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      pressedHeaderItem_ = -1;
      break;
    default:
      break;
  }
  return headerHook_->CallNext(message, wParam, lParam);
}

}  // namespace quillmere
