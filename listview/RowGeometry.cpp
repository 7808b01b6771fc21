#include "listview/RowGeometry.h"

#include <algorithm>
#include <cstddef>

namespace quillmere {

int CheckBoxTop(int cellTop, int cellBottom, TVAlignment alignment) {
  switch (alignment) {
    case vtaTop:
      return cellTop;
    case vtaBottom:
      return cellBottom - kCheckBoxSize;
    default: {
      const int height = cellBottom - cellTop;
      return height > kCheckBoxSize ? cellTop + (height - kCheckBoxSize) / 2 : cellTop;
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

int CellTextLeft(int cellLeft, int position, bool checkboxes, int indent) {
  if (position != 0) return cellLeft;
  return cellLeft + (checkboxes ? kCheckBoxTextOffset : 0) + indent * kIndentStep;
}

}  // namespace quillmere
