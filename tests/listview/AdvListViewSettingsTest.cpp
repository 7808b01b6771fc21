// The list view's settings that the cookie list leaves at their defaults: tick
// glyphs, the link cursor, the text colour, a new platform list for another drawing
// mode that keeps the hover and filter delays, and the control's own clear.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "common/ProgramCursors.h"
#include "tests/listview/AdvListViewFixture.h"
#include "tests/support/GuiTestSupport.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

constexpr COLORREF kClear = RGB(255, 0, 255);  // the glyphs' background
constexpr COLORREF kTicked = RGB(200, 0, 0);
constexpr COLORREF kUnticked = RGB(0, 150, 0);
constexpr int kGlyphWidth = 10;
constexpr int kGlyphHeight = 9;

// A glyph of the clear colour with a 4 x 4 square of `mark` at (3, 2).
win32::UniqueBitmap MakeGlyph(COLORREF mark) {
  win32::UniqueBitmap glyph = win32::MakeDibSection(kGlyphWidth, kGlyphHeight);
  const win32::UniqueDC dc(CreateCompatibleDC(nullptr));
  const win32::SelectObjectScope select(dc.get(), glyph.get());
  SetDCBrushColor(dc.get(), kClear);
  const RECT all{0, 0, kGlyphWidth, kGlyphHeight};
  FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetDCBrushColor(dc.get(), mark);
  const RECT square{3, 2, 7, 6};
  FillRect(dc.get(), &square, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  return glyph;
}

class AdvListViewSettingsTest : public AdvListViewFixture {
 protected:
  void SetGlyphs() {
    const win32::UniqueBitmap ticked = MakeGlyph(kTicked);
    const win32::UniqueBitmap unticked = MakeGlyph(kUnticked);
    list->SetCheckTrueGlyph(ticked.get());
    list->SetCheckFalseGlyph(unticked.get());
  }
  std::string HeaderCaption(int index) const {
    char text[64] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list->HeaderWindow(), HDM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
  }
};

TEST_F(AdvListViewSettingsTest, TickGlyphsStandInForTheBoxWithoutTheirBackgroundAndMoveTheText) {
  AddRows(2);
  list->Item(1).SetChecked(true);
  const win32::UniqueBitmap ticked = MakeGlyph(kTicked);
  list->SetCheckTrueGlyph(ticked.get());
  EXPECT_EQ(Paint().Count(Cell(0, 0, kAddressRight), kTicked), 0) << "one glyph is no pair";
  SetGlyphs();
  const Picture picture = Paint();
  picture.SaveBmp(TestProgramFolder() + "glyph-box-list.bmp");
  for (int row = 0; row < 2; ++row) {
    const RECT cell = Cell(row, 0, kAddressRight);
    // 9 pixels centred in 13: the glyph's top is 2 below the row's, its left 2 in.
    const int left = Row(row).left + 2;
    const int top = Row(row).top + 2;
    const COLORREF mark = row == 1 ? kTicked : kUnticked;
    EXPECT_EQ(picture.At(left + 3, top + 2), mark) << row;
    EXPECT_EQ(picture.At(left + 6, top + 5), mark) << row;
    EXPECT_EQ(picture.Count(cell, mark), 16) << row;
    EXPECT_EQ(picture.Count(cell, kClear), 0) << row;
    EXPECT_EQ(picture.At(left, top), kBackground) << row;
    // The text starts behind the glyph (10 + 4), 2 pixels of margin further in,
    // where the box would keep it 18 away.
    const RECT text =
        picture.Extent(RECT{cell.left + 12, cell.top, cell.right, cell.bottom}, kText);
    EXPECT_GE(text.left, Row(row).left + 14 + 2) << row;
    EXPECT_LT(text.left, Row(row).left + 18 + 2) << row;
  }
}

TEST_F(AdvListViewSettingsTest, ThePointerOverALinkShowsTheProgramsPointingHand) {
  const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_LINK_HAND));
  ASSERT_TRUE(hand) << "the test program carries the cursor as Quillmere does";
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  const win32::UniqueBitmap mask(info.hbmMask);
  const win32::UniqueBitmap colour(info.hbmColor);
  {
    // The hot spot is the finger's tip: drawn there, the screen shows above it.
    const win32::UniqueDC dc(CreateCompatibleDC(nullptr));
    const win32::SelectObjectScope select(dc.get(), info.hbmMask);
    EXPECT_EQ(GetPixel(dc.get(), info.xHotspot, info.yHotspot), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc.get(), info.xHotspot, info.yHotspot - 1), RGB(255, 255, 255));
  }

  list->AddItem("see <A href=\"topic\">topic</A>", {"1"});
  Show();
  const POINT link = Paint().MiddleOf(Cell(0, 0, kAddressRight), RGB(0, 0, 255));
  const auto cursorAt = [this](POINT point) {
    SetCursor(nullptr);
    SendMessageA(lv(), WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    SendMessageA(lv(), WM_SETCURSOR, reinterpret_cast<WPARAM>(lv()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_EQ(cursorAt(link), hand);
  EXPECT_NE(cursorAt(POINT{Row(0).left + 20, link.y}), hand);
}

TEST_F(AdvListViewSettingsTest, TheTextTakesTheControlsFontColour) {
  AddRows(1);
  constexpr COLORREF kRed = RGB(190, 0, 0);
  list->SetFontColor(kRed);
  const Picture picture = Paint();
  EXPECT_GT(picture.Count(Cell(0, kAddressRight, kModifiedRight), kRed), 0);
  EXPECT_EQ(picture.Count(Cell(0, kAddressRight, kModifiedRight), kText), 0);
}

// The hover and filter delays are asked of the platform's windows themselves, so the
// new list and header prove that they reached them.
TEST_F(AdvListViewSettingsTest, AnotherDrawingModeMakesANewPlatformListThatKeepsRowsAndHeader) {
  AddRows(3);
  list->Item(1).SetChecked(true);
  list->MakeCurrent(2);
  list->SetHoverTime(250);
  list->SetFilterTimeOut(300);
  int order[5] = {0, 2, 1, 3, 4};  // Modified dragged before Hits
  SendMessageA(lv(), LVM_SETCOLUMNORDERARRAY, 5, reinterpret_cast<LPARAM>(order));
  const HWND before = lv();
  list->SetOwnerDraw(false);
  ASSERT_NE(lv(), before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_FALSE(GetWindowLongA(lv(), GWL_STYLE) & LVS_OWNERDRAWFIXED);
  ASSERT_EQ(SendMessageA(lv(), LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_TRUE(list->Item(1).Checked());
  EXPECT_FALSE(list->Item(0).Checked());
  EXPECT_EQ(list->ItemSelected(), 2);
  EXPECT_EQ(list->HoverTime(), 250);
  EXPECT_EQ(list->Item(2).Cell(1), "2");
  EXPECT_EQ(HeaderCaption(4), "Full Address");
  EXPECT_EQ(SendMessageA(lv(), LVM_GETCOLUMNWIDTH, 1, 0), 45);
  int shown[5] = {};
  SendMessageA(lv(), LVM_GETCOLUMNORDERARRAY, 5, reinterpret_cast<LPARAM>(shown));
  EXPECT_EQ(shown[1], 2);
  const HWND header = list->HeaderWindow();
  // The header answers a new delay with the one it had.
  EXPECT_EQ(SendMessageA(header, HDM_SETFILTERCHANGETIMEOUT, 0, 300), 300);
  EXPECT_FALSE(GetWindowLongA(header, GWL_STYLE) & HDS_BUTTONS) << "still flat";
  list->SetHeaderHotTrack(true);  // acts on the new header
  EXPECT_TRUE(GetWindowLongA(header, GWL_STYLE) & HDS_HOTTRACK);

  list->SetOwnerDraw(true);
  EXPECT_TRUE(list->Item(1).Checked());
  EXPECT_EQ(Row(0).bottom - Row(0).top, 13);
  const Picture picture = Paint();
  EXPECT_GT(picture.Count(Cell(2, 0, kAddressRight), kSelection), 0);
}

TEST_F(AdvListViewSettingsTest, TheControlsOwnClearBlanksTheCaptionsButKeepsTheColumns) {
  AddRows(3);
  list->Clear();
  EXPECT_EQ(list->ItemCount(), 0);
  EXPECT_EQ(SendMessageA(lv(), LVM_GETITEMCOUNT, 0, 0), 0);
  ASSERT_EQ(list->Columns().size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(HeaderCaption(i), "") << i;
    EXPECT_EQ(list->Columns()[static_cast<std::size_t>(i)].Caption, "") << i;
  }
  EXPECT_EQ(SendMessageA(lv(), LVM_GETCOLUMNWIDTH, 4, 0), 150);
}

}  // namespace
}  // namespace quillmere
