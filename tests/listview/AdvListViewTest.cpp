// The list view's rows, check boxes and sort contract.
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
#include "tests/fakes/FakeLinkOpener.h"
#include "tests/support/Picture.h"

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
  void SetUp() override {
    list = std::make_unique<TAdvListView>(
        TAdvListView::Args{.parent = host.get(), .width = 400, .height = 300}, links);
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

  testing::FakeLinkOpener links;
  win32::UniqueWindow host = testing::HostWindow(400, 300);
  std::unique_ptr<TAdvListView> list;  // goes before its host
  int compares = 0;
};

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
  list->Item(0).SetCaption("premier");
  list->Item(1).SetSubItem(1, "changed");
  // The platform list asks the rows for their texts, so it reads what they hold now.
  EXPECT_EQ(PlatformText(list->ListWindow(), 1, 2), "changed");
  EXPECT_EQ(PlatformText(list->ListWindow(), 0, 0), "premier");

  list->ClearItems();
  EXPECT_EQ(list->ItemCount(), 0);
  EXPECT_EQ(ListView_GetItemCount(list->ListWindow()), 0);
  EXPECT_EQ(list->Columns().size(), 3u);  // the captions stay
}

// A reader with a buffer shorter than the cell gets as much as fits, never half of a
// character.
TEST_F(AdvListViewTest, ACellLongerThanTheReadersBufferIsCutAtAWholeCharacter) {
  std::string wide;
  for (int i = 0; i < 200; ++i) wide += "\xC3\xA9";  // é
  list->AddItem("x", {wide});
  const std::string read = PlatformText(list->ListWindow(), 0, 1);
  EXPECT_GT(read.size(), 100u);
  EXPECT_LT(read.size(), wide.size());
  EXPECT_EQ(read.size() % 2, 0u);
  EXPECT_EQ(wide.substr(0, read.size()), read);
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

// Which changes sort is the portable rule's; here the list applies it.
TEST_F(AdvListViewTest, TheSortTypeSortsWhenItChangesAndThenOnTheChangesItNames) {
  using Texts = std::vector<std::string>;
  AddRows({"ccc", "a", "bb"});
  list->SetSortType(stData);  // without a handler: nothing to sort by
  EXPECT_EQ(Captions(), (Texts{"ccc", "a", "bb"}));
  CompareByLength();
  list->SetSortType(stNone);
  list->SetSortType(stData);
  EXPECT_EQ(Captions(), (Texts{"a", "bb", "ccc"}));
  EXPECT_GT(compares, 0);
  compares = 0;
  list->SetSortType(stData);            // the same value: nothing
  list->AddItem("", {});                // adding never sorts
  list->Item(0).SetCaption("dddd");     // under stData a caption does not sort
  list->Item(1).SetSubItem(0, "zzzz");  // nor does a sub-item
  EXPECT_EQ(compares, 0);
  EXPECT_EQ(Captions(), (Texts{"dddd", "bb", "ccc", ""}));
  list->Item(0).SetData(8);  // data does
  EXPECT_EQ(Captions(), (Texts{"", "bb", "ccc", "dddd"}));
  EXPECT_EQ(list->Item(3).Data(), 8);

  list->OnCompare = nullptr;  // by caption, in the platform's order of words
  list->SetSortType(stText);
  list->Item(0).SetCaption("Banana");
  list->Item(3).SetCaption("apple");
  EXPECT_EQ(Captions(), (Texts{"apple", "Banana", "bb", "ccc"}));
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

}  // namespace
}  // namespace quillmere
