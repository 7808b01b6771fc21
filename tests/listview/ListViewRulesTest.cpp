// The list view's rules that need no window: where boxes and cells go, which press
// turns a tick, how cell texts are drawn and coloured, when the rows sort.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "listview/CellStyle.h"
#include "listview/RowGeometry.h"
#include "listview/SortType.h"

namespace quillmere {
namespace {

TEST(ListViewRules, TheBoxIsCentredOnlyInACellTallerThanItself) {
  // Cell from 100 to bottom: the box's top.
  const std::tuple<int, TVAlignment, int> tops[] = {
      {113, vtaCenter, 100}, {114, vtaCenter, 100}, {115, vtaCenter, 100}, {116, vtaCenter, 101},
      {120, vtaCenter, 103}, {120, vtaTop, 100},    {120, vtaBottom, 106}, {113, vtaBottom, 99}};
  for (const auto& [bottom, alignment, top] : tops)
    EXPECT_EQ(CheckBoxTop(100, bottom, alignment), top) << bottom << " " << alignment;
}

TEST(ListViewRules, OnlyAPressOnTheRowsFirst14PixelsInAnOwnerDrawnBoxListTurnsATick) {
  EXPECT_TRUE(PressHitsCheckBox(0, 0, true, true));
  EXPECT_TRUE(PressHitsCheckBox(14, 0, true, true));
  EXPECT_FALSE(PressHitsCheckBox(15, 0, true, true));
  EXPECT_FALSE(PressHitsCheckBox(14, 0, false, true));
  EXPECT_FALSE(PressHitsCheckBox(14, 0, true, false));
  // Scrolled 30 pixels sideways, the box is out of sight and a press at 10 is on text.
  EXPECT_FALSE(PressHitsCheckBox(10, -30, true, true));
  EXPECT_TRUE(PressHitsCheckBox(10, -4, true, true));
}

TEST(ListViewRules, CellsFollowTheDisplayOrderAndTheFirstCellsTextStandsBehindBoxAndIndent) {
  const std::vector<int> widths{125, 45, 80};
  const auto spans = CellSpans(-10, widths, std::vector<int>{0, 1, 2});
  ASSERT_EQ(spans.size(), 3u);
  EXPECT_EQ(std::tie(spans[0].left, spans[0].right, spans[2].left, spans[2].right),
            std::make_tuple(-10, 115, 160, 240));
  const std::vector<int> moved{2, 0, 1};  // the third column dragged to the front
  const auto dragged = CellSpans(0, widths, moved);
  EXPECT_EQ(std::tie(dragged[0].right, dragged[1].left, dragged[2].left),
            std::make_tuple(80, 80, 205));
  EXPECT_EQ(DisplayPosition(moved, 1), 2);
  EXPECT_EQ(DisplayPosition(moved, 2), 0);
  EXPECT_EQ(DisplayPosition(moved, 7), 0);

  EXPECT_EQ(CellTextLeft(0, 0, true, 0), 18);
  EXPECT_EQ(CellTextLeft(0, 0, true, 2), 50);
  EXPECT_EQ(CellTextLeft(0, 0, false, 1), 16);
  EXPECT_EQ(CellTextLeft(125, 1, true, 3), 125);
}

TEST(ListViewRules, AClosingTagMakesMiniHtmlAndACarriageReturnDropsTheEllipsis) {
  EXPECT_EQ(CellKindOf("a</"), CellKind::kMiniHtml);
  EXPECT_EQ(CellKindOf("<b>x"), CellKind::kPlain);
  EXPECT_EQ(CellKindOf("a/<b"), CellKind::kPlain);
  EXPECT_TRUE(PlainTextFormatFor("www.example.com", false, vtaCenter, taCenter).endEllipsis);
  EXPECT_FALSE(PlainTextFormatFor("two\rlines", false, vtaTop, taLeftJustify).endEllipsis);
  EXPECT_TRUE(PlainTextFormatFor("line\nfeed", false, vtaTop, taLeftJustify).endEllipsis);
}

// The cells of a row (current cell at display position `current`) that start in
// selection colours, and those then forced into them.
std::pair<std::vector<int>, std::vector<int>> SelectionCells(bool selected, int current,
                                                             SelectionMode mode) {
  std::pair<std::vector<int>, std::vector<int>> cells;
  for (int p = 0; p < 5; ++p) {
    if (StartsInSelectionColours({selected, true, p, current}, mode)) cells.first.push_back(p);
    if (MarkedSelected({selected, true, p, current}, mode)) cells.second.push_back(p);
  }
  return cells;
}

TEST(ListViewRules, ASelectedRowShowsItsFirstCellAndItsCurrentCell) {
  using Cells = std::pair<std::vector<int>, std::vector<int>>;
  const SelectionMode program;
  EXPECT_EQ(SelectionCells(true, 1, program), (Cells{{1}, {0}}));
  EXPECT_EQ(SelectionCells(true, 0, program), (Cells{{0}, {0}}));
  EXPECT_EQ(SelectionCells(false, 1, program), (Cells{}));
  const std::vector<int> all{0, 1, 2, 3, 4};
  EXPECT_EQ(SelectionCells(true, 3, {.rowSelect = true}), (Cells{all, all}));
  EXPECT_EQ(SelectionCells(true, 3, {.subItemSelect = true}).second, (std::vector<int>{3}));
}

TEST(ListViewRules, TextSortTypesSortAtOnceAndDataTypesOnlyWithACompareHandler) {
  EXPECT_FALSE(SortsWhenSet(stNone, true));
  EXPECT_TRUE(SortsWhenSet(stData, true));
  EXPECT_FALSE(SortsWhenSet(stData, false));
  EXPECT_TRUE(SortsWhenSet(stText, false));
  EXPECT_TRUE(SortsWhenSet(stBoth, false));
  EXPECT_TRUE(ResortsOnCaption(stBoth));
  EXPECT_FALSE(ResortsOnCaption(stData));
  EXPECT_TRUE(ResortsOnData(stData));
  EXPECT_FALSE(ResortsOnData(stText));
}

}  // namespace
}  // namespace quillmere
