// Presses, keys and the header of the list view, told by the events they raise and
// the state they leave.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/listview/AdvListViewFixture.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;
using Events = std::vector<std::string>;

class AdvListViewInputTest : public AdvListViewFixture {
 protected:
  void SetUp() override {
    AdvListViewFixture::SetUp();
    AddRows(5);
    Show();
    RecordTicks(*list);
    list->OnLeftClickCell = [this](TAdvListView&, int item, int subItem) {
      events.push_back("click " + std::to_string(item) + " " + std::to_string(subItem));
    };
    list->OnColumnClick = [this](TAdvListView& sender, const TListColumn& column) {
      EXPECT_EQ(&sender, list.get());
      events.push_back("column " + column.Caption);
    };
  }
  void RecordTicks(TAdvListView& target) {
    target.OnCheckboxClick = [this, &target](TAdvListView& sender, int item, bool checked) {
      EXPECT_EQ(&sender, &target);
      events.push_back("tick " + std::to_string(item) + (checked ? " on" : " off"));
    };
  }
  HWND header() const { return list->HeaderWindow(); }
  RECT HeaderItem(int index) const {
    RECT rc{};
    SendMessageA(header(), HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
    return rc;
  }
  void HeaderMouse(UINT message, int x) const {
    SendMessageA(header(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 5));
  }
  // Drags the divider at the right of header item `index` by `dx` pixels.
  void DragDivider(int index, int dx) const {
    const int x = HeaderItem(index).right;
    HeaderMouse(WM_LBUTTONDOWN, x);
    HeaderMouse(WM_MOUSEMOVE, x + dx);
    HeaderMouse(WM_LBUTTONUP, x + dx);
    PumpMessages();
  }
  void ExpectPlainCaptions() const {
    for (int i = 0; i < 5; ++i) {
      HDITEMA item{};
      item.mask = HDI_FORMAT;
      SendMessageA(header(), HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
      EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_LEFT) << "caption " << i;
    }
  }
};

TEST_F(AdvListViewInputTest, APressWithin14PixelsTurnsTheTickAloneAndBeyondSelectsTheRow) {
  list->MakeCurrent(0);
  PressRow(2, 14);
  EXPECT_TRUE(list->Item(2).Checked());
  EXPECT_EQ(list->ItemSelected(), 0);  // the press went no further
  EXPECT_EQ(list->ItemFocused(), 0);
  EXPECT_EQ(list->CurrentRow(), 2);
  // A quick second press on the box comes as a double click: the tick turns back.
  const RECT row = Row(2);
  SendMessageA(lv(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 2, row.top + 5));
  SendMessageA(lv(), WM_LBUTTONUP, 0, MAKELPARAM(row.left + 2, row.top + 5));
  EXPECT_FALSE(list->Item(2).Checked());
  EXPECT_EQ(events, (Events{"tick 2 on", "tick 2 off"}));

  events.clear();
  PressRow(3, 15);
  EXPECT_EQ(list->ItemSelected(), 3);
  EXPECT_EQ(list->ItemFocused(), 3);
  EXPECT_FALSE(list->Item(3).Checked());
  EXPECT_EQ(events, (Events{"click 3 0"}));
  EXPECT_EQ(list->CurrentColumn(), 0);
  PressRow(3, 128);  // the Hits cell becomes the current cell
  EXPECT_EQ(list->CurrentColumn(), 1);
  PressRow(3, 5);  // the box: the Address cell again
  EXPECT_EQ(list->CurrentColumn(), 0);
}

TEST_F(AdvListViewInputTest, WhereThePlatformDrawsTheBoxesATickItTurnsOnAPressRaisesTheEvent) {
  TAdvListView plain(TAdvListView::Args{
      .parent = host.get(), .y = 120, .width = 200, .height = 100, .ownerDraw = false});
  plain.AddColumn("Name", 100);
  plain.AddItem("a", {});
  RecordTicks(plain);
  RECT box{};
  box.left = LVIR_ICON;
  SendMessageA(plain.ListWindow(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&box));
  const LPARAM at = MAKELPARAM(box.left - 8, (box.top + box.bottom) / 2);  // on the state icon
  SendMessageA(plain.ListWindow(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(plain.ListWindow(), WM_LBUTTONUP, 0, at);
  EXPECT_TRUE(plain.Item(0).Checked());
  EXPECT_EQ(events, (Events{"tick 0 on"}));
}

TEST_F(AdvListViewInputTest, TheSpaceKeyTurnsTheFocusedRowsTickAndRaisesTheEvent) {
  SetFocus(lv());
  list->MakeCurrent(4);
  SendMessageA(lv(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(list->Item(4).Checked());
  SendMessageA(lv(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_FALSE(list->Item(4).Checked());
  SendMessageA(lv(), WM_KEYDOWN, VK_DOWN, 0);  // other keys move on as ever
  EXPECT_EQ(list->ItemFocused(), 4);
  EXPECT_EQ(events, (Events{"tick 4 on", "tick 4 off"}));
}

TEST_F(AdvListViewInputTest, TheFlatHeaderStillReportsAClickOnACaptionButNotAPressThatMovesOff) {
  const auto style = GetWindowLongA(header(), GWL_STYLE);
  EXPECT_FALSE(style & HDS_BUTTONS);
  EXPECT_FALSE(style & HDS_HOTTRACK);
  EXPECT_FALSE(ListView_GetExtendedListViewStyle(lv()) & LVS_EX_HEADERDRAGDROP);
  EXPECT_TRUE(GetWindowLongA(lv(), GWL_STYLE) & LVS_SINGLESEL);
  HeaderMouse(WM_LBUTTONDOWN, 150);
  HeaderMouse(WM_LBUTTONUP, 150);
  HeaderMouse(WM_LBUTTONDOWN, 30);
  HeaderMouse(WM_LBUTTONUP, 200);  // released over another caption
  EXPECT_EQ(events, (Events{"column Hits"}));

  list->SetHeaderFlatStyle(false);  // push buttons: the platform reports the click
  EXPECT_TRUE(GetWindowLongA(header(), GWL_STYLE) & HDS_BUTTONS);
  HeaderMouse(WM_LBUTTONDOWN, 30);
  HeaderMouse(WM_LBUTTONUP, 30);
  PumpMessages();
  EXPECT_EQ(events, (Events{"column Hits", "column Address"}));
}

TEST_F(AdvListViewInputTest, CaptionsStayLeftAlignedAndHitsCentredThroughResizesAndItemChanges) {
  list->OnStartColumnTrack = [this](TAdvListView&, int column, bool&) {
    events.push_back("start " + std::to_string(column));
  };
  list->OnEndColumnTrack = [this](TAdvListView&, int column) {
    events.push_back("end " + std::to_string(column));
  };
  list->OnColumnSized = [this](TAdvListView&, int column) {
    events.push_back("sized " + std::to_string(column));
  };
  ExpectPlainCaptions();
  DragDivider(1, 30);
  EXPECT_EQ(events, (Events{"start 1", "end 1", "sized 1"}));
  EXPECT_EQ(list->Columns()[1].Width, 75);
  ExpectPlainCaptions();
  LVCOLUMNA column{};
  column.mask = LVCF_FMT;
  SendMessageA(lv(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);
  const Picture picture = Paint();
  const RECT digit = picture.Extent(Cell(2, 125, 200), kText);
  EXPECT_NEAR((digit.left + digit.right) / 2.0, 162.5, 2.0) << "the Hits cell centred";

  list->OnStartColumnTrack = [](TAdvListView&, int, bool& allow) { allow = false; };
  DragDivider(1, 30);
  EXPECT_EQ(list->Columns()[1].Width, 75) << "a vetoed drag";

  SendMessageA(lv(), LVM_SETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));  // an item change
  ExpectPlainCaptions();
  const int divider = HeaderItem(3).right;
  HeaderMouse(WM_LBUTTONDBLCLK, divider);  // the platform fits the column to its texts
  HeaderMouse(WM_LBUTTONUP, divider);
  EXPECT_NE(list->Columns()[3].Width, 80);
  EXPECT_EQ(list->Columns()[3].Width, ListView_GetColumnWidth(lv(), 3));
  ExpectPlainCaptions();
}

TEST_F(AdvListViewInputTest, ARightClickOnTheHeaderNamesTheColumnUnderThePointer) {
  list->OnColumnRClick = [this](TAdvListView&, int column) {
    events.push_back("right " + std::to_string(column));
  };
  const RECT item = HeaderItem(2);
  POINT at{(item.left + item.right) / 2, 5};
  ClientToScreen(header(), &at);
  SetCursorPos(at.x, at.y);
  SendMessageA(header(), WM_RBUTTONUP, 0, MAKELPARAM((item.left + item.right) / 2, 5));
  EXPECT_EQ(events, (Events{"right 2"}));
}

TEST_F(AdvListViewInputTest, RowHeightsOfZeroOrLessAreIgnored) {
  for (const int height : {0, -5}) {
    list->SetItemHeight(height);
    EXPECT_EQ(list->ItemHeight(), 13);
    EXPECT_EQ(Row(1).bottom - Row(1).top, 13);
  }
  list->SetItemHeight(18);
  EXPECT_EQ(Row(1).bottom - Row(1).top, 18);
  EXPECT_EQ(Row(1).top, Row(0).bottom);
}

TEST_F(AdvListViewInputTest, TheHeaderIsLaidOutAnewForItsFont) {
  const int before = Row(0).top;
  const win32::UniqueFont big = win32::MakeFont("MS Sans Serif", -24);
  list->SetHeaderFont(big.get());
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(header(), WM_GETFONT, 0, 0)), big.get());
  EXPECT_GT(Row(0).top, before);
  list->SetHeaderFont(font.get());
  EXPECT_EQ(Row(0).top, before);
}

TEST_F(AdvListViewInputTest, ThePlatformsTooltipsAreOffAndTheListsOwnTimerRuns) {
  EXPECT_EQ(SendMessageA(lv(), LVM_SETTOOLTIPS, 0, 0), 0);  // none to hand back
  EXPECT_EQ(list->HoverTime(), -1);
  EXPECT_TRUE(KillTimer(lv(), 1222));
}

// A list whose row hook counts the rows that became selected.
class CountingListView : public TAdvListView {
 public:
  using TAdvListView::TAdvListView;
  std::vector<int> selected;

 protected:
  void RowSelected(int index) override { selected.push_back(index); }
};

TEST_F(AdvListViewInputTest, EveryRowThatBecomesSelectedReachesTheRowHook) {
  CountingListView counting(TAdvListView::Args{.parent = host.get(), .width = 200, .height = 100});
  counting.AddColumn("Name", 100);
  for (const char* name : {"a", "b", "c"}) counting.AddItem(name, {});
  counting.MakeCurrent(2);
  counting.MakeCurrent(0);
  EXPECT_EQ(counting.selected, (std::vector<int>{2, 0}));
}

}  // namespace
}  // namespace quillmere
