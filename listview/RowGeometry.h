#pragma once

#include <span>
#include <vector>

namespace quillmere {

// Vertical placement of check boxes, images and text in a row.
enum TVAlignment { vtaTop, vtaCenter, vtaBottom };

// The flat check box the list draws in front of each row: 14 pixels square, 2
// pixels in from the row's left edge; the row's text starts 18 pixels further right.
inline constexpr int kCheckBoxSize = 14;
inline constexpr int kCheckBoxInset = 2;
inline constexpr int kCheckBoxTextOffset = 18;
// Each indent step of a row moves its first cell's text this far right.
inline constexpr int kIndentStep = 16;

// What stands in front of a row's first cell: the flat check box, or the list's
// pair of tick glyphs, measured by the ticked one. The mark stands 2 pixels in from
// the cell's left edge, and the text starts `textOffset` pixels right of that edge.
struct CheckMark {
  int width = kCheckBoxSize;
  int height = kCheckBoxSize;
  int textOffset = kCheckBoxTextOffset;
};
inline constexpr CheckMark kFlatCheckBox{};
CheckMark GlyphCheckMark(int trueGlyphWidth, int trueGlyphHeight);

// The top of a check mark `height` pixels high in a cell from `cellTop` to
// `cellBottom`. Centred only when the cell is taller than the mark, so a 13-pixel
// row shows its 14-pixel box from the row top, overhanging by one pixel.
int CheckMarkTop(int cellTop, int cellBottom, TVAlignment alignment, int height);

// Whether a press at `x` (client coordinates) over a row whose left edge is at
// `rowLeft` lands on the row's check box: within its first 14 pixels. Measured from
// the row, so that on a list scrolled sideways a press on the text never ticks a box
// scrolled out of sight.
bool PressHitsCheckBox(int x, int rowLeft, bool checkboxes, bool ownerDraw);

// Left and right edge of a cell.
struct CellSpan {
  int left = 0;
  int right = 0;
};

// The cells of a row from `rowLeft`, one per display position: `widths` are the
// column widths by column index, `order` the column at each display position.
std::vector<CellSpan> CellSpans(int rowLeft, std::span<const int> widths,
                                std::span<const int> order);

// The display position that shows `column`; 0 when no position does.
int DisplayPosition(std::span<const int> order, int column);

// Where the text of the cell at display position `position` starts: behind the
// check mark (`markOffset`: its text offset, 0 without one) and the row's indent in
// the first cell, at the cell's left elsewhere.
int CellTextLeft(int cellLeft, int position, int markOffset, int indent);

}  // namespace quillmere
