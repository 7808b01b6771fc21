// The list view's rules that need no window: where boxes and cells go, which press
// turns a tick, how cell texts are formatted and coloured, when the rows sort.
#include <gtest/gtest.h>

#include <vector>

#include "listview/CellStyle.h"
#include "listview/RowGeometry.h"
#include "listview/SortType.h"

namespace quillmere {
namespace {

TEST(CheckBoxTop, IsCentredOnlyInACellTallerThanTheBox) {
  EXPECT_EQ(CheckBoxTop(100, 113, vtaCenter), 100);  // 13 pixels: from the top, one over
  EXPECT_EQ(CheckBoxTop(100, 114, vtaCenter), 100);
  EXPECT_EQ(CheckBoxTop(100, 115, vtaCenter), 100);  // (15 - 14) / 2 rounds down
  EXPECT_EQ(CheckBoxTop(100, 116, vtaCenter), 101);
  EXPECT_EQ(CheckBoxTop(100, 120, vtaCenter), 103);
  EXPECT_EQ(CheckBoxTop(100, 120, vtaTop), 100);
  EXPECT_EQ(CheckBoxTop(100, 120, vtaBottom), 106);
  EXPECT_EQ(CheckBoxTop(100, 113, vtaBottom), 99);
}

TEST(PressHitsCheckBox, OnlyTheFirst14PixelsOfTheRowInAnOwnerDrawnBoxList) {
  EXPECT_TRUE(PressHitsCheckBox(0, 0, true, true));
  EXPECT_TRUE(PressHitsCheckBox(14, 0, true, true));
  EXPECT_FALSE(PressHitsCheckBox(15, 0, true, true));
  EXPECT_FALSE(PressHitsCheckBox(14, 0, false, true));
  EXPECT_FALSE(PressHitsCheckBox(14, 0, true, false));
  // Scrolled 30 pixels sideways, the box is out of sight and a press at 10 is on text.
  EXPECT_FALSE(PressHitsCheckBox(10, -30, true, true));
  EXPECT_TRUE(PressHitsCheckBox(10, -4, true, true));
}

TEST(CellSpans, FollowTheDisplayOrderFromTheRowsLeftEdge) {
  const std::vector<int> widths{125, 45, 80};
  const std::vector<int> inOrder{0, 1, 2};
  const auto spans = CellSpans(-10, widths, inOrder);
  ASSERT_EQ(spans.size(), 3u);
  EXPECT_EQ(spans[0].left, -10);
  EXPECT_EQ(spans[0].right, 115);
  EXPECT_EQ(spans[2].left, 160);
  EXPECT_EQ(spans[2].right, 240);
  const std::vector<int> moved{2, 0, 1};  // the third column dragged to the front
  const auto dragged = CellSpans(0, widths, moved);
  EXPECT_EQ(dragged[0].right, 80);
  EXPECT_EQ(dragged[1].left, 80);
  EXPECT_EQ(dragged[2].left, 205);
  EXPECT_EQ(DisplayPosition(moved, 1), 2);
  EXPECT_EQ(DisplayPosition(moved, 2), 0);
  EXPECT_EQ(DisplayPosition(moved, 7), 0);
}

TEST(CellTextLeft, TheFirstCellsTextStandsBehindTheBoxAndTheIndent) {
  EXPECT_EQ(CellTextLeft(0, 0, true, 0), 18);
  EXPECT_EQ(CellTextLeft(0, 0, true, 2), 50);
  EXPECT_EQ(CellTextLeft(0, 0, false, 1), 16);
  EXPECT_EQ(CellTextLeft(125, 1, true, 3), 125);
}

TEST(CellText, AClosingTagMakesMiniHtmlAndACarriageReturnDropsTheEllipsis) {
  EXPECT_EQ(CellKindOf("<b>x</b>"), CellKind::kMiniHtml);
  EXPECT_EQ(CellKindOf("a</"), CellKind::kMiniHtml);
  EXPECT_EQ(CellKindOf("<b>x"), CellKind::kPlain);
  EXPECT_EQ(CellKindOf("a/<b"), CellKind::kPlain);
  const PlainTextFormat plain = PlainTextFormatFor("www.example.com", false, vtaCenter, taCenter);
  EXPECT_FALSE(plain.wordBreak);
  EXPECT_TRUE(plain.endEllipsis);
  EXPECT_EQ(plain.vertical, vtaCenter);
  EXPECT_EQ(plain.horizontal, taCenter);
  EXPECT_FALSE(PlainTextFormatFor("two\rlines", false, vtaTop, taLeftJustify).endEllipsis);
  EXPECT_TRUE(PlainTextFormatFor("line\nfeed", false, vtaTop, taLeftJustify).endEllipsis);
  EXPECT_TRUE(PlainTextFormatFor("x", true, vtaBottom, taRightJustify).wordBreak);
}

// The cells of a selected row, current cell at display position `current`, under
// each selection mode: which start in selection colours, which are forced into
// them.
std::vector<int> Starting(bool selected, int current, SelectionMode mode) {
  std::vector<int> cells;
  for (int p = 0; p < 5; ++p)
    if (StartsInSelectionColours({selected, true, p, current}, mode)) cells.push_back(p);
  return cells;
}
std::vector<int> Marked(bool selected, int current, SelectionMode mode) {
  std::vector<int> cells;
  for (int p = 0; p < 5; ++p)
    if (MarkedSelected({selected, true, p, current}, mode)) cells.push_back(p);
  return cells;
}

TEST(SelectionColours, ASelectedRowShowsItsFirstCellAndItsCurrentCell) {
  const SelectionMode program;
  EXPECT_EQ(Starting(true, 1, program), (std::vector<int>{1}));
  EXPECT_EQ(Marked(true, 1, program), (std::vector<int>{0}));
  EXPECT_EQ(Starting(true, 0, program), (std::vector<int>{0}));
  EXPECT_TRUE(Starting(false, 1, program).empty());
  EXPECT_TRUE(Marked(false, 1, program).empty());

  const SelectionMode rows{.rowSelect = true};
  EXPECT_EQ(Starting(true, 3, rows), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(Marked(true, 3, rows), (std::vector<int>{0, 1, 2, 3, 4}));
  const SelectionMode cells{.subItemSelect = true};
  EXPECT_EQ(Marked(true, 3, cells), (std::vector<int>{3}));
}

TEST(SortType, TextTypesSortAtOnceAndDataTypesOnlyWithACompareHandler) {
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
