// The list view's rows painted into a picture of their own through WM_PRINTCLIENT,
// the path WM_PAINT takes too.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/listview/AdvListViewFixture.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

class AdvListViewPaintTest : public AdvListViewFixture {
 protected:
  // Whether the 14 x 14 pixels at (x, y) of `picture` are the platform's flat check
  // box drawn on the row background.
  static bool IsFlatBox(const Picture& picture, int x, int y, bool checked) {
    Picture box(kCheckBoxSize, kCheckBoxSize, kBackground);
    RECT frame{0, 0, kCheckBoxSize, kCheckBoxSize};
    DrawFrameControl(box.dc(), &frame, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
    for (int j = 0; j < kCheckBoxSize; ++j)
      for (int i = 0; i < kCheckBoxSize; ++i)
        if (picture.At(x + i, y + j) != box.At(i, j)) return false;
    return true;
  }
};

TEST_F(AdvListViewPaintTest, ARowIs13PixelsHighWithItsFlatBoxFromTheRowTopOverhangingByOne) {
  list->AddItem("a.test", {"1"});
  const RECT row = Row(0);
  ASSERT_EQ(row.bottom - row.top, 13);
  EXPECT_TRUE(IsFlatBox(Paint(), row.left + 2, row.top, false));  // rows top .. top + 13
  list->Item(0).SetChecked(true);
  const Picture ticked = Paint();
  EXPECT_TRUE(IsFlatBox(ticked, row.left + 2, row.top, true));
  EXPECT_FALSE(IsFlatBox(ticked, row.left + 2, row.top, false));
  EXPECT_EQ(ticked.Count(Cell(0, 0, 2), kBackground), 2 * 13);  // left of the box
}

TEST_F(AdvListViewPaintTest, ASelectedRowHighlightsTheAddressCellAndTheCurrentCellItFrames) {
  AddRows(3);
  Show();
  SetFocus(lv());
  PressRow(1, kAddressRight + 20);  // on the Hits cell
  ASSERT_EQ(list->ItemSelected(), 1);
  ASSERT_EQ(list->CurrentColumn(), 1);
  Picture picture = Paint();
  const RECT address = Cell(1, 0, kAddressRight);
  const RECT hits = Cell(1, kAddressRight, kHitsRight);
  const RECT modified = Cell(1, kHitsRight, kModifiedRight);
  EXPECT_EQ(picture.At(kAddressRight - 3, address.top + 1), kSelection);
  EXPECT_GT(picture.Count(address, kSelectionText), 0);
  EXPECT_EQ(picture.At(kAddressRight + 3, hits.top + 2), kSelection);
  EXPECT_GT(picture.Count(hits, kSelectionText), 0);
  EXPECT_EQ(picture.At(kModifiedRight - 3, modified.top + 2), kBackground);
  EXPECT_GT(picture.Count(modified, kText), 0);
  EXPECT_EQ(picture.At(kAddressRight - 3, Row(0).top + 2), kBackground);  // other rows
  // The dotted focus frame runs round the Hits cell alone.
  const RECT hitsTopLine{hits.left, hits.top, hits.right, hits.top + 1};
  const RECT addressTopLine{20, address.top, address.right, address.top + 1};
  EXPECT_GT(hits.right - hits.left - picture.Count(hitsTopLine, kSelection), 10);
  EXPECT_EQ(picture.Count(addressTopLine, kSelection), address.right - 20);

  PressRow(1, 60);  // on the Address cell: that cell alone
  picture = Paint();
  EXPECT_EQ(picture.At(kAddressRight + 3, hits.top + 2), kBackground);
  EXPECT_EQ(picture.Count(hitsTopLine, kBackground), hits.right - hits.left);
  EXPECT_LT(picture.Count(addressTopLine, kSelection), address.right - 20);
}

TEST_F(AdvListViewPaintTest, ALongTextEndsInAnEllipsisUnlessItHoldsACarriageReturn) {
  const std::string wide(40, 'W');
  list->AddItem(wide, {});
  list->AddItem(wide + "\r" + wide, {});
  const Picture picture = Paint();
  // The last pixels before the right margin: dots on the base line, or letters.
  const RECT ellipsisEnd = picture.Extent(Cell(0, kAddressRight - 12, kAddressRight), kText);
  const RECT clippedEnd = picture.Extent(Cell(1, kAddressRight - 12, kAddressRight), kText);
  EXPECT_GE(ellipsisEnd.bottom - ellipsisEnd.top, 1);
  EXPECT_LE(ellipsisEnd.bottom - ellipsisEnd.top, 2);
  EXPECT_GE(clippedEnd.bottom - clippedEnd.top, 6);
  EXPECT_LE(clippedEnd.right, kAddressRight);
}

TEST_F(AdvListViewPaintTest, HitsAreCentredAndMissingCellsShowTheRowBackgroundAlone) {
  list->AddItem("a.test", {"12"});
  const Picture picture = Paint();
  const RECT digits = picture.Extent(Cell(0, kAddressRight, kHitsRight), kText);
  EXPECT_NEAR((digits.left + digits.right) / 2.0, (kAddressRight + kHitsRight) / 2.0, 2.0);
  const RECT missing = Cell(0, kHitsRight, 480);  // where the columns end
  EXPECT_EQ(picture.Count(missing, kBackground),
            (missing.right - missing.left) * (missing.bottom - missing.top));
}

TEST_F(AdvListViewPaintTest, TheCellHookMayRecolourACellBeforeTheSelectionColours) {
  AddRows(2);
  list->MakeCurrent(1);
  std::vector<std::string> seen;
  list->OnDrawItemProp = [&](TAdvListView&, int item, int subItem, UINT, TCellStyle& style,
                             const std::string& text) {
    seen.push_back(std::to_string(item) + "/" + std::to_string(subItem) + " " + text);
    if (subItem == 1) style.brush = RGB(255, 0, 0);
    if (subItem == -1) style.brush = RGB(0, 255, 0);  // the Address cell is selected after
  };
  const Picture picture = Paint();
  EXPECT_EQ(picture.At(kModifiedRight - 3, Row(0).top + 2), RGB(255, 0, 0));
  EXPECT_EQ(picture.At(kAddressRight - 3, Row(0).top + 2), RGB(0, 255, 0));
  EXPECT_EQ(picture.At(kAddressRight - 3, Row(1).top + 2), kSelection);
  EXPECT_EQ(seen.size(), 10u);
  EXPECT_EQ(seen[0], "0/-1 row0.test");
  EXPECT_EQ(seen[2], "0/1 01/02/03");
}

// Wine places owner-drawn rows two pixels in from the left; a row is repainted
// to the list's edge all the same when its selection moves on.
TEST_F(AdvListViewPaintTest, ARowThatLosesTheSelectionIsRepaintedToTheListsEdgeOnTheScreen) {
  AddRows(4);
  Show();
  SetFocus(lv());
  list->MakeCurrent(0);
  PumpMessages(100);
  PressRow(3, 200);
  PumpMessages(100);
  const Picture screen = ScreenCopy(lv());
  EXPECT_EQ(screen.Count(Cell(0, 0, 2), kBackground), 2 * 13);
  EXPECT_EQ(screen.At(0, Row(3).top + 2), kSelection);
}

}  // namespace
}  // namespace quillmere
