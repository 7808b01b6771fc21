// The list view's rules that need no window and that the real control's tests
// (tests/listview/AdvListView*Test.cpp) do not reach: boxes in rows of other
// heights, a press on a row scrolled sideways, columns in another display order,
// which cell texts count as mini-HTML, and which plain ones keep their ellipsis.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "listview/CellStyle.h"
#include "listview/RowGeometry.h"

namespace quillmere {
namespace {

TEST(ListViewRules, TheMarkIsCentredOnlyInACellTallerThanItself) {
  // Cell from 100 to bottom: the box's top.
  const std::tuple<int, TVAlignment, int> tops[] = {
      {113, vtaCenter, 100}, {114, vtaCenter, 100}, {115, vtaCenter, 100}, {116, vtaCenter, 101},
      {120, vtaCenter, 103}, {120, vtaTop, 100},    {120, vtaBottom, 106}, {113, vtaBottom, 99}};
  for (const auto& [bottom, alignment, top] : tops)
    EXPECT_EQ(CheckMarkTop(100, bottom, alignment, kCheckBoxSize), top) << bottom << alignment;
  // A glyph 9 pixels high goes by its own height: centred in 13 pixels, it overhangs
  // nothing; one 20 high starts at the top of a 13-pixel row.
  EXPECT_EQ(CheckMarkTop(100, 113, vtaCenter, 9), 102);
  EXPECT_EQ(CheckMarkTop(100, 113, vtaCenter, 20), 100);
  EXPECT_EQ(CheckMarkTop(100, 113, vtaBottom, 9), 104);
}

// The text stands the ticked glyph's width and 4 pixels right of the cell's edge,
// where the box leaves 18.
TEST(ListViewRules, TextStandsBehindTheTickedGlyph) {
  const CheckMark glyph = GlyphCheckMark(10, 9);
  EXPECT_EQ(std::tie(glyph.width, glyph.height, glyph.textOffset), std::make_tuple(10, 9, 14));
  EXPECT_EQ(CellTextLeft(20, 0, glyph.textOffset, 1), 50);
  EXPECT_EQ(CellTextLeft(20, 0, kFlatCheckBox.textOffset, 0), 38);
}

// The 14 pixels themselves are proven through the real control; scrolled sideways,
// the box goes with the row.
TEST(ListViewRules, APressTurnsATickOnlyWhereTheScrolledRowStillShowsItsBox) {
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

  EXPECT_EQ(CellTextLeft(0, 0, kCheckBoxTextOffset, 0), 18);
  EXPECT_EQ(CellTextLeft(0, 0, kCheckBoxTextOffset, 2), 50);
  EXPECT_EQ(CellTextLeft(0, 0, 0, 1), 16);
  EXPECT_EQ(CellTextLeft(125, 1, kCheckBoxTextOffset, 3), 125);
}

TEST(ListViewRules, AClosingTagMakesMiniHtmlAndACarriageReturnDropsTheEllipsis) {
  EXPECT_EQ(CellKindOf("a</"), CellKind::kMiniHtml);
  EXPECT_EQ(CellKindOf("<b>x"), CellKind::kPlain);
  EXPECT_EQ(CellKindOf("a/<b"), CellKind::kPlain);
  EXPECT_TRUE(PlainTextFormatFor("www.example.com", false, vtaCenter, taCenter).endEllipsis);
  EXPECT_FALSE(PlainTextFormatFor("two\rlines", false, vtaTop, taLeftJustify).endEllipsis);
  EXPECT_TRUE(PlainTextFormatFor("line\nfeed", false, vtaTop, taLeftJustify).endEllipsis);
}

}  // namespace
}  // namespace quillmere
