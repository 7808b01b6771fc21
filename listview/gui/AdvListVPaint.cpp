#include "listview/gui/AdvListV.h"

#include <cstdlib>
#include <numeric>

#include "platform/win32/WideText.h"
#include "toolkit/Colors.h"

namespace quillmere {

namespace {

// The list neither selects whole rows nor single cells in this program.
constexpr SelectionMode kSelectionMode{};

UINT DrawTextFlags(const PlainTextFormat& format) {
  UINT flags = DT_NOPREFIX | DT_EXPANDTABS | DT_EDITCONTROL;
  flags |= format.wordBreak ? DT_WORDBREAK : DT_SINGLELINE;
  if (format.endEllipsis) flags |= DT_END_ELLIPSIS;
  if (format.vertical == vtaCenter) flags |= DT_VCENTER;
  if (format.vertical == vtaBottom) flags |= DT_BOTTOM;
  if (format.horizontal == taRightJustify) flags |= DT_RIGHT;
  if (format.horizontal == taCenter) flags |= DT_CENTER;
  return flags;
}

void FillWith(HDC dc, const RECT& rect, TColor color) {
  SetDCBrushColor(dc, win32::ColorToRGB(color));
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP facts{};
  GetObjectA(bitmap, sizeof facts, &facts);
  return SIZE{facts.bmWidth, std::abs(facts.bmHeight)};
}

// The glyph at (x, y) without the colour of its bottom-left pixel, as a picture with
// a background of one colour is drawn over another.
void DrawTransparent(HDC dc, HBITMAP glyph, int x, int y) {
  const SIZE size = BitmapSize(glyph);
  const win32::UniqueDC source(CreateCompatibleDC(dc));
  if (!source) return;
  const win32::SelectObjectScope picture(source.get(), glyph);
  const COLORREF clear = GetPixel(source.get(), 0, size.cy - 1);
  TransparentBlt(dc, x, y, size.cx, size.cy, source.get(), 0, 0, size.cx, size.cy, clear);
}

}  // namespace

// Wine places owner-drawn rows two pixels right of the header's columns; the
// platform's own bounds of the row line up with them, as on Windows.
RECT TAdvListView::RowRect(int index) const {
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  SendMessageA(list_, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&bounds));
  return bounds;
}

void TAdvListView::PaintItem(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  if (!dc) return;
  // Wine asks for the focus alone as the focus moves, with a state that leaves out
  // the selection; the row is painted whole, with its own state, instead.
  if (item.itemAction == ODA_FOCUS) return RepaintRow(static_cast<int>(item.itemID));
  const int saved = SaveDC(dc);
  if (const HFONT font = Font()) SelectObject(dc, font);
  const int index = static_cast<int>(item.itemID);
  if (index < 0) {
    FillWith(dc, item.rcItem, color_);
  } else {
    RECT row = item.rcItem;
    const RECT bounds = RowRect(index);
    row.left = bounds.left;
    row.right = bounds.right;
    DrawRow(dc, index, row, item.itemState);
  }
  RestoreDC(dc, saved);
}

TAdvListView::RowLayout TAdvListView::LayoutRow(const RECT& row) const {
  const int count = static_cast<int>(columns_.size());
  RowLayout layout;
  layout.order.resize(columns_.size());
  std::iota(layout.order.begin(), layout.order.end(), 0);
  SendMessageA(list_, LVM_GETCOLUMNORDERARRAY, count,
               reinterpret_cast<LPARAM>(layout.order.data()));
  std::vector<int> widths(columns_.size());
  for (int c = 0; c < count; ++c)
    widths[static_cast<std::size_t>(c)] =
        static_cast<int>(SendMessageA(list_, LVM_GETCOLUMNWIDTH, c, 0));
  layout.spans = CellSpans(row.left, widths, layout.order);
  layout.currentPosition = DisplayPosition(layout.order, currentColumn_);
  return layout;
}

RECT TAdvListView::CellTextRect(const RowLayout& layout, int position, const RECT& row, int indent,
                                const CheckMark& mark) const {
  const CellSpan& span = layout.spans[static_cast<std::size_t>(position)];
  const int markOffset = checkboxes_ ? mark.textOffset : 0;
  return RECT{CellTextLeft(span.left, position, markOffset, indent), row.top, span.right,
              row.bottom};
}

// The glyphs take the box's place only as a pair.
CheckMark TAdvListView::RowCheckMark() const {
  if (!checkTrueGlyph_ || !checkFalseGlyph_) return kFlatCheckBox;
  const SIZE size = BitmapSize(checkTrueGlyph_.get());
  return GlyphCheckMark(size.cx, size.cy);
}

TAdvListView::RowFacts TAdvListView::ReadRowFacts(int index) const {
  LVITEMA item{};
  item.mask = LVIF_STATE | LVIF_INDENT | LVIF_PARAM;
  item.iItem = index;
  item.stateMask = LVIS_STATEIMAGEMASK;
  SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return {reinterpret_cast<const TListItem*>(item.lParam),
          (item.state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2), item.iIndent};
}

void TAdvListView::DrawRow(HDC dc, int index, const RECT& rect, UINT state) {
  if (index >= ItemCount() || !dc) return;
  const RowFacts facts = ReadRowFacts(index);
  if (!facts.row) return;
  const RowLayout layout = LayoutRow(rect);
  const HFONT font = Font();
  const TCellStyle normal{color_, fontColor_, font};
  const CheckMark mark = RowCheckMark();
  const TCellStyle selection{selectionColor_, selectionTextColor_, font};
  const bool selected = state & ODS_SELECTED;
  for (std::size_t p = 0; p < layout.order.size(); ++p) {
    const int position = static_cast<int>(p);
    const int column = layout.order[p];
    const std::string& text = facts.row->Cell(column);
    const CellPaint cell{selected, (state & ODS_FOCUS) != 0, position, layout.currentPosition};
    TCellStyle style = StartsInSelectionColours(cell, kSelectionMode) ? selection : normal;
    DrawCellProps(index, column - 1, state, style, text);
    if (MarkedSelected(cell, kSelectionMode)) {
      style.brush = selection.brush;
      style.fontColor = selection.fontColor;
    }
    // The background covers the whole row height, under the box too.
    FillWith(dc, RECT{layout.spans[p].left, rect.top, layout.spans[p].right, rect.bottom},
             style.brush);
    if (position == 0 && checkboxes_)
      DrawCheckMark(dc, mark, layout.spans[p].left, rect, facts.checked);
    DrawCellText(dc, text, CellTextRect(layout, position, rect, facts.indent, mark),
                 columns_[static_cast<std::size_t>(column)].Alignment, style);
  }
  RECT drawn = rect;
  if ((state & ODS_FOCUS) && selected && GetFocus() == list_ && !layout.spans.empty()) {
    const CellSpan& current = layout.spans[static_cast<std::size_t>(layout.currentPosition)];
    drawn = RECT{current.left, rect.top, current.right, rect.bottom};
    DrawFocusRect(dc, &drawn);
  }
  if (OnDrawItem) OnDrawItem(*this, dc, index, drawn, state);
}

void TAdvListView::DrawCheckMark(HDC dc, const CheckMark& mark, int cellLeft, const RECT& row,
                                 bool checked) const {
  const int left = cellLeft + kCheckBoxInset;
  const int top = CheckMarkTop(row.top, row.bottom, vAlignment_, mark.height);
  if (checkTrueGlyph_ && checkFalseGlyph_) {
    DrawTransparent(dc, checked ? checkTrueGlyph_.get() : checkFalseGlyph_.get(), left, top);
    return;
  }
  RECT box{left, top, left + kCheckBoxSize, top + kCheckBoxSize};
  DrawFrameControl(dc, &box, DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
}

void TAdvListView::DrawCellText(HDC dc, const std::string& text, const RECT& rect,
                                TAlignment alignment, const TCellStyle& style) {
  if (style.font) SelectObject(dc, style.font);
  SetTextColor(dc, win32::ColorToRGB(style.fontColor));
  SetBkColor(dc, win32::ColorToRGB(style.brush));
  SetBkMode(dc, OPAQUE);
  if (IsMiniHtml(text)) {
    htmlCells_.Draw(HtmlCell(dc, text, rect, style));
    return;
  }
  // Wide: GDI's ANSI calls keep the system's code page, and the end ellipsis must
  // cut between characters, not between the bytes of one.
  DRAWTEXTPARAMS margins{sizeof margins, 0, kTextMargin, kTextMargin, 0};
  RECT bounds = rect;
  std::wstring wide = win32::Widen(text);
  DrawTextExW(dc, wide.data(), static_cast<int>(wide.size()), &bounds,
              DrawTextFlags(PlainTextFormatFor(text, false, vAlignment_, alignment)), &margins);
}

// The engine lays the cell out two pixels right of where plain text would start.
TMiniHtmlCells::Cell TAdvListView::HtmlCell(HDC dc, const std::string& text, const RECT& textRect,
                                            const TCellStyle& style) const {
  RECT bounds = textRect;
  OffsetRect(&bounds, 2, 0);
  return {.dc = dc,
          .text = text,
          .bounds = bounds,
          .font = style.font,
          .fontColor = style.fontColor,
          .background = style.brush,
          .urlColor = urlColor_};
}

}  // namespace quillmere
