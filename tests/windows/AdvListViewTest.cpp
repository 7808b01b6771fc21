// The list view's rows, check boxes, column clicks and sort contract.
#include "listview/gui/AdvListV.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "tests/windows/GuiTestSupport.h"

namespace quillmere {
namespace {

std::string PlatformText(HWND list, int row, int column) {
  char text[300] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

class AdvListViewTest : public ::testing::Test {
 protected:
  void TearDown() override { list.reset(); }
  void SetUp() override {
    host.reset(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(host);
    list = std::make_unique<TAdvListView>(
        TAdvListView::Args{.parent = host.get(), .width = 400, .height = 300});
    list->AddColumn("Name", 100);
    list->AddColumn("Count", 50, taCenter);
    list->AddColumn("Note", 100);
  }

  void AddRows(std::initializer_list<const char*> captions) {
    for (const char* c : captions) list->AddItem(c, {std::to_string(std::string(c).size()), "n"});
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> out;
    for (int i = 0; i < list->ItemCount(); ++i) {
      EXPECT_EQ(list->Item(i).Index(), i);
      EXPECT_EQ(PlatformText(list->ListWindow(), i, 0), list->Item(i).Caption());
      out.push_back(list->Item(i).Caption());
    }
    return out;
  }
  // Orders by the caption's length, counting the calls.
  void CompareByLength() {
    list->OnCompare = [this](TAdvListView& sender, TListItem& a, TListItem& b, std::intptr_t data,
                             int& compare) {
      EXPECT_EQ(&sender, list.get());
      EXPECT_EQ(data, 0);
      ++compares;
      compare = static_cast<int>(a.Caption().size()) - static_cast<int>(b.Caption().size());
    };
  }

  std::unique_ptr<TAdvListView> list;
  win32::UniqueWindow host;  // destroyed after the list it holds
  int compares = 0;
};

TEST_F(AdvListViewTest, IsAReportListWithCheckBoxesAndItsColumns) {
  const HWND lv = list->ListWindow();
  EXPECT_EQ(GetWindowLongA(lv, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(GetWindowLongA(lv, GWL_STYLE) & LVS_SINGLESEL);
  EXPECT_TRUE(ListView_GetExtendedListViewStyle(lv) & LVS_EX_CHECKBOXES);
  const HWND header = ListView_GetHeader(lv);
  ASSERT_EQ(Header_GetItemCount(header), 3);
  LVCOLUMNA column{};
  char text[32];
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.pszText = text;
  column.cchTextMax = sizeof text;
  SendMessageA(lv, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ(text, "Count");
  EXPECT_EQ(column.cx, 50);
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);
  EXPECT_EQ(list->Columns()[1].Alignment, taCenter);
}

TEST_F(AdvListViewTest, RowsShowTheirTextsAndKeepTheirTicksInThePlatformList) {
  list->AddItem("first", {"1"});
  list->AddItem("second", {"2", "note"});
  EXPECT_EQ(PlatformText(list->ListWindow(), 0, 1), "1");
  EXPECT_EQ(PlatformText(list->ListWindow(), 0, 2), "");  // a missing sub-item is empty
  EXPECT_EQ(PlatformText(list->ListWindow(), 1, 2), "note");
  EXPECT_EQ(list->Item(1).Cell(3), "");
  EXPECT_FALSE(list->Item(0).Checked());
  list->Item(1).SetChecked(true);
  EXPECT_TRUE(ListView_GetCheckState(list->ListWindow(), 1));
  EXPECT_FALSE(list->Item(0).Checked());
  ListView_SetCheckState(list->ListWindow(), 0, TRUE);  // as a click on the box does
  EXPECT_TRUE(list->Item(0).Checked());
  list->Item(1).SetSubItem(3, "far");
  EXPECT_EQ(list->Item(1).SubItems().size(), 4u);

  list->ClearItems();
  EXPECT_EQ(list->ItemCount(), 0);
  EXPECT_EQ(ListView_GetItemCount(list->ListWindow()), 0);
  EXPECT_EQ(list->Columns().size(), 3u);  // the captions stay
}

TEST_F(AdvListViewTest, MakeCurrentFocusesSelectsAndScrollsToTheRow) {
  for (int i = 0; i < 60; ++i) list->AddItem("row " + std::to_string(i), {});
  EXPECT_EQ(list->ItemFocused(), -1);
  list->MakeCurrent(45);
  EXPECT_EQ(list->ItemFocused(), 45);
  EXPECT_EQ(list->ItemSelected(), 45);
  const int top = ListView_GetTopIndex(list->ListWindow());
  EXPECT_LE(top, 45);
  EXPECT_GT(top + ListView_GetCountPerPage(list->ListWindow()), 45);
  EXPECT_FALSE(list->CanFocus());  // its window is not shown
}

TEST_F(AdvListViewTest, SortTypeSortsWhenItChangesToASortingValue) {
  AddRows({"ccc", "a", "bb"});
  CompareByLength();
  list->SetSortType(stData);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "bb", "ccc"}));
  EXPECT_GT(compares, 0);
  compares = 0;
  list->SetSortType(stData);  // the same value: nothing
  EXPECT_EQ(compares, 0);
  list->SetSortType(stNone);
  EXPECT_EQ(compares, 0);
  list->AddItem("dddd", {});
  list->AddItem("", {});
  EXPECT_EQ(Captions(),
            (std::vector<std::string>{"a", "bb", "ccc", "dddd", ""}));  // adding never sorts
  list->SetSortType(stData);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"", "a", "bb", "ccc", "dddd"}));
}

TEST_F(AdvListViewTest, WithoutAHandlerOnlyTextSortTypesSortByCaption) {
  AddRows({"pear", "Apple", "fig"});
  list->SetSortType(stData);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"pear", "Apple", "fig"}));
  list->SetSortType(stText);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Apple", "fig", "pear"}));
}

TEST_F(AdvListViewTest, CaptionAndDataChangesResortUnderTheirSortTypes) {
  AddRows({"b", "c", "d"});
  list->SetSortType(stText);
  list->Item(2).SetCaption("a");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b", "c"}));
  list->Item(0).SetSubItem(0, "zzz");  // sub-items never sort
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b", "c"}));

  list->SetSortType(stNone);
  CompareByLength();
  list->Item(0).SetData(7);  // stNone: no sort
  EXPECT_EQ(compares, 0);
  list->Item(0).SetCaption("long one");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"long one", "b", "c"}));
  list->SetSortType(stData);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"b", "c", "long one"}));
  compares = 0;
  list->Item(0).SetCaption("longest of all");  // stData: captions do not sort...
  EXPECT_EQ(compares, 0);
  EXPECT_EQ(Captions().front(), "longest of all");
  list->Item(0).SetData(8);  // ...data does
  EXPECT_GT(compares, 0);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"c", "long one", "longest of all"}));
  EXPECT_EQ(list->Item(2).Data(), 8);
}

TEST_F(AdvListViewTest, RowsKeepTheirTicksAndTextsWhileTheyMove) {
  AddRows({"three", "one", "four4"});
  list->Item(0).SetChecked(true);
  list->Item(0).SetData(3);
  CompareByLength();
  list->SetSortType(stBoth);
  ASSERT_EQ(Captions(), (std::vector<std::string>{"one", "three", "four4"}));
  EXPECT_TRUE(list->Item(1).Checked());
  EXPECT_FALSE(list->Item(0).Checked());
  EXPECT_EQ(list->Item(1).Data(), 3);
  EXPECT_EQ(PlatformText(list->ListWindow(), 1, 1), "5");
}

TEST_F(AdvListViewTest, AnErrorOfTheCompareHandlerEndsTheSortAndReachesTheCaller) {
  AddRows({"b", "a", "c"});
  list->OnCompare = [this](TAdvListView&, TListItem&, TListItem&, std::intptr_t, int&) {
    ++compares;
    throw std::runtime_error("'x' is not a valid integer value");
  };
  EXPECT_THROW(list->SetSortType(stData), std::runtime_error);
  EXPECT_EQ(compares, 1);
  EXPECT_EQ(list->ItemCount(), 3);
  std::vector<std::string> captions = Captions();  // whatever order, every row still there
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(AdvListViewTest, AClickOnAHeaderItemRaisesColumnClickWithThatColumn) {
  ShowWindow(host.get(), SW_SHOWNOACTIVATE);
  std::vector<int> clicked;
  list->OnColumnClick = [&](TAdvListView& sender, const TListColumn& column) {
    EXPECT_EQ(&sender, list.get());
    clicked.push_back(column.Index);
  };
  const HWND header = ListView_GetHeader(list->ListWindow());
  for (int column : {1, 2, 0}) {
    RECT rc{};
    Header_GetItemRect(header, column, &rc);
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
    testing::PumpMessages();
  }
  EXPECT_EQ(clicked, (std::vector<int>{1, 2, 0}));
  list->OnColumnClick = nullptr;
  list->ColumnClick(list->Columns()[0]);  // an empty event is skipped
}

}  // namespace
}  // namespace quillmere
