#include "listview/RowGeometry.h"

#include <algorithm>
#include <cstddef>

namespace quillmere {

CheckMark GlyphCheckMark(int trueGlyphWidth, int trueGlyphHeight) {
  return {trueGlyphWidth, trueGlyphHeight, kCheckBoxInset + trueGlyphWidth + 2};
}

int CheckMarkTop(int cellTop, int cellBottom, TVAlignment alignment, int height) {
  switch (alignment) {
    case vtaTop:
      return cellTop;
    case vtaBottom:
      return cellBottom - height;
    default: {
      const int cell = cellBottom - cellTop;
      return cell > height ? cellTop + (cell - height) / 2 : cellTop;
    }
  }
}

bool PressHitsCheckBox(int x, int rowLeft, bool checkboxes, bool ownerDraw) {
  return checkboxes && ownerDraw && x - rowLeft <= kCheckBoxSize;
}

std::vector<CellSpan> CellSpans(int rowLeft, std::span<const int> widths,
                                std::span<const int> order) {
  std::vector<CellSpan> spans;
  spans.reserve(order.size());
  int left = rowLeft;
  for (const int column : order) {
    const auto c = static_cast<std::size_t>(column);
    const int width = c < widths.size() ? widths[c] : 0;
    spans.push_back({left, left + width});
    left += width;
  }
  return spans;
}

int DisplayPosition(std::span<const int> order, int column) {
  const auto at = std::find(order.begin(), order.end(), column);
  return at == order.end() ? 0 : static_cast<int>(at - order.begin());
}

int CellTextLeft(int cellLeft, int position, int markOffset, int indent) {
  if (position != 0) return cellLeft;
  return cellLeft + markOffset + indent * kIndentStep;
}

}  // namespace quillmere
