// Presses, keys, the pointer and the header of the list view, told by the events
// they raise and the state they leave.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/windows/AdvListViewFixture.h"

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
    list->OnColumnClick = [this](TAdvListView&, const TListColumn& column) {
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
  int HeaderFormat(int index) const {
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    SendMessageA(header(), HDM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return item.fmt;
  }
};

TEST_F(AdvListViewInputTest, APressWithin14PixelsTurnsTheTickAloneAndBeyondSelectsTheRow) {
  list->MakeCurrent(0);
  PressRow(2, 14);
  EXPECT_TRUE(list->Item(2).Checked());
  EXPECT_EQ(list->ItemSelected(), 0);  // the press went no further
  EXPECT_EQ(list->ItemFocused(), 0);
  EXPECT_EQ(list->CurrentRow(), 2);
  PressRow(2, 2);
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

TEST_F(AdvListViewInputTest, AQuickSecondPressOnTheBoxTurnsTheTickBack) {
  const RECT row = Row(1);
  const LPARAM at = MAKELPARAM(row.left + 8, row.top + 5);
  SendMessageA(lv(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(lv(), WM_LBUTTONUP, 0, at);
  SendMessageA(lv(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(lv(), WM_LBUTTONUP, 0, at);
  EXPECT_FALSE(list->Item(1).Checked());
  EXPECT_EQ(events, (Events{"tick 1 on", "tick 1 off"}));
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

TEST_F(AdvListViewInputTest, AResizeDragLeavesEveryCaptionLeftAlignedAndTheHitsCellsCentred) {
  list->OnStartColumnTrack = [this](TAdvListView&, int column, bool&) {
    events.push_back("start " + std::to_string(column));
  };
  list->OnEndColumnTrack = [this](TAdvListView&, int column) {
    events.push_back("end " + std::to_string(column));
  };
  list->OnColumnSized = [this](TAdvListView&, int column) {
    events.push_back("sized " + std::to_string(column));
  };
  for (int i = 0; i < 5; ++i) EXPECT_EQ(HeaderFormat(i) & HDF_JUSTIFYMASK, HDF_LEFT) << i;
  DragDivider(1, 30);
  EXPECT_EQ(events, (Events{"start 1", "end 1", "sized 1"}));
  EXPECT_EQ(list->Columns()[1].Width, 75);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(HeaderFormat(i) & HDF_JUSTIFYMASK, HDF_LEFT) << i;
  LVCOLUMNA column{};
  column.mask = LVCF_FMT;
  SendMessageA(lv(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);
  const auto picture = Paint();
  const RECT row = Row(2);
  const RECT digit = picture->Extent(RECT{125, row.top, 200, row.bottom}, kText);
  EXPECT_NEAR((digit.left + digit.right) / 2.0, 162.5, 2.0);

  list->OnStartColumnTrack = [](TAdvListView&, int, bool& allow) { allow = false; };
  DragDivider(1, 30);
  EXPECT_EQ(list->Columns()[1].Width, 75);
}

TEST_F(AdvListViewInputTest, AnItemChangeOrADividerDoubleClickLeavesTheCaptionsPlainToo) {
  LVCOLUMNA column{};
  column.mask = LVCF_FMT;
  column.fmt = LVCFMT_CENTER;
  SendMessageA(lv(), LVM_SETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_EQ(HeaderFormat(1) & HDF_JUSTIFYMASK, HDF_LEFT);
  const int divider = HeaderItem(3).right;
  HeaderMouse(WM_LBUTTONDBLCLK, divider);  // the platform fits the column to its texts
  HeaderMouse(WM_LBUTTONUP, divider);
  EXPECT_NE(list->Columns()[3].Width, 80);
  EXPECT_EQ(list->Columns()[3].Width, ListView_GetColumnWidth(lv(), 3));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(HeaderFormat(i) & HDF_JUSTIFYMASK, HDF_LEFT) << i;
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

// Links of mini-HTML cells: a link named "x" over the right half of every cell.
class HalfLinkCells : public TMiniHtmlCells {
 public:
  explicit HalfLinkCells(std::string link) : link_(std::move(link)) {}
  void Draw(const Cell&) override {}
  std::string LinkAt(const Cell& cell, POINT point) override {
    return point.x >= (cell.bounds.left + cell.bounds.right) / 2 ? link_ : "";
  }

 private:
  std::string link_;
};

TEST_F(AdvListViewInputTest, APressOnALinkOfAMiniHtmlCellRaisesTheLinksEvent) {
  list->Item(0).SetSubItem(1, "<a href=\"http://x.test/\">x</a>");
  list->Item(1).SetSubItem(1, "<a href=\"topic\">topic</a>");
  list->OnURLClick = [this](TAdvListView&, int item, const std::string& url, bool& handled) {
    events.push_back("url " + std::to_string(item) + " " + url);
    handled = true;
  };
  list->OnAnchorClick = [this](TAdvListView&, const std::string& anchor) {
    events.push_back("anchor " + anchor);
  };
  list->SetMiniHtmlCells(std::make_unique<HalfLinkCells>("http://x.test/"));
  PressRow(0, 190);  // the left half of the Modified cell: no link
  PressRow(0, 240);
  list->SetMiniHtmlCells(std::make_unique<HalfLinkCells>("topic"));
  PressRow(1, 240);
  PressRow(2, 240);  // a plain cell
  EXPECT_EQ(events, (Events{"click 0 2", "url 0 http://x.test/", "click 0 2", "anchor topic",
                            "click 1 2", "click 2 2"}));
}

TEST_F(AdvListViewInputTest, ThePointerEnteringAndLeavingALinkRaisesItsEvents) {
  list->Item(0).SetSubItem(1, "<a href=\"topic\">topic</a>");
  list->SetMiniHtmlCells(std::make_unique<HalfLinkCells>("topic"));
  list->OnAnchorEnter = [this](TAdvListView&, const std::string& a) {
    events.push_back("in " + a);
  };
  list->OnAnchorExit = [this](TAdvListView&, const std::string& a) {
    events.push_back("out " + a);
  };
  const RECT row = Row(0);
  for (const int x : {190, 240, 245, 100, 240})
    SendMessageA(lv(), WM_MOUSEMOVE, 0, MAKELPARAM(x, row.top + 5));
  EXPECT_EQ(events, (Events{"in topic", "out topic", "in topic"}));
}

}  // namespace
}  // namespace quillmere
