#pragma once

#include <string_view>

#include "listview/RowGeometry.h"

namespace quillmere {

// Horizontal alignment of a column's cells.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// How a cell's text is drawn: as mini-HTML when it holds a closing tag, else as
// plain text.
enum class CellKind { kPlain, kMiniHtml };
CellKind CellKindOf(std::string_view text);

// The formatting of a plain cell text: one line unless the list wraps words, an
// ellipsis at the end unless the text holds a carriage return, placed by the row's
// vertical alignment and the column's alignment, 2 pixels of margin either side.
struct PlainTextFormat {
  bool wordBreak = false;
  bool endEllipsis = true;
  TVAlignment vertical = vtaCenter;
  TAlignment horizontal = taLeftJustify;
};
inline constexpr int kTextMargin = 2;
PlainTextFormat PlainTextFormatFor(std::string_view text, bool wordWrap, TVAlignment vertical,
                                   TAlignment horizontal);

// Which cells of a selected row show the selection colours. The list never selects
// whole rows or single cells in this program, but the rule is the list's own.
struct SelectionMode {
  bool rowSelect = false;      // the whole row is one selection
  bool subItemSelect = false;  // single cells are selected (or edited)
};

// One cell of a row being painted: the row's state, the cell's display position and
// the display position of the list's current column.
struct CellPaint {
  bool rowSelected = false;
  bool rowFocused = false;
  int position = 0;
  int currentPosition = 0;
};

// Whether the cell starts in selection colours, before the cell's own hook may
// change them: in a selected row, the current cell (or every cell with whole-row
// selection).
bool StartsInSelectionColours(const CellPaint& cell, SelectionMode mode);

// Whether the cell is then forced into selection colours and counts as selected: in
// a selected row, the first cell (unless single cells are selected), the current
// cell when single cells are selected, or every cell with whole-row selection.
bool MarkedSelected(const CellPaint& cell, SelectionMode mode);

}  // namespace quillmere
