#include "listview/CellStyle.h"

namespace quillmere {

CellKind CellKindOf(std::string_view text) {
  return text.find("</") != std::string_view::npos ? CellKind::kMiniHtml : CellKind::kPlain;
}

PlainTextFormat PlainTextFormatFor(std::string_view text, bool wordWrap, TVAlignment vertical,
                                   TAlignment horizontal) {
  return {.wordBreak = wordWrap,
          .endEllipsis = text.find('\r') == std::string_view::npos,
          .vertical = vertical,
          .horizontal = horizontal};
}

bool StartsInSelectionColours(const CellPaint& cell, SelectionMode mode) {
  return cell.rowSelected && (mode.rowSelect || cell.position == cell.currentPosition);
}

bool MarkedSelected(const CellPaint& cell, SelectionMode mode) {
  if (!cell.rowSelected) return false;
  if (mode.rowSelect) return true;
  if (mode.subItemSelect) return cell.position == cell.currentPosition;
  return cell.position == 0;
}

}  // namespace quillmere
