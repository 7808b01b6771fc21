// The list's mini-HTML cells: drawn by the engine on the row's device context in
// the cell's colours, and hit-tested where they are drawn.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/listview/AdvListViewFixture.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;
using ::testing::ElementsAre;

constexpr COLORREF kLink = RGB(0, 0, 255);

class AdvListViewHtmlCellTest : public AdvListViewFixture {
 protected:
  // How much darker than white the rectangle is, over all its pixels: text drawn
  // with smoothed edges has few pixels of the text colour itself.
  static int Ink(const Picture& picture, const RECT& r) {
    int ink = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const COLORREF c = picture.At(x, y);
        ink += 3 * 255 - GetRValue(c) - GetGValue(c) - GetBValue(c);
      }
    return ink;
  }
  // The Address cell of a row, right of its check box.
  RECT Address(int row) const {
    const RECT r = Row(row);
    return RECT{r.left + 18, r.top, kAddressRight, r.bottom};
  }
};

TEST_F(AdvListViewHtmlCellTest, ABoldTagDrawsItsTextBoldInTheCellsColours) {
  list->AddItem("<B>bold</B>", {"1"});
  list->AddItem("bold", {"2"});
  list->AddItem("<B>bold</B> and more text than the column holds", {"3"});
  const Picture picture = Paint(kBackground);  // what no row covers stays white
  const RECT bold = picture.Extent(Address(0), kBackground, true);
  const RECT plain = picture.Extent(Address(1), kBackground, true);
  EXPECT_GT(bold.right - bold.left, plain.right - plain.left);
  EXPECT_GT(Ink(picture, Address(0)), Ink(picture, Address(1)));
  EXPECT_GE(bold.left, Address(0).left + 2) << "two pixels further in than plain text";
  // One line, cut at the column: nothing beyond it, nothing under the last row.
  const RECT row = Row(2);
  EXPECT_LE(picture.Extent(Address(2), kBackground, true).right, kAddressRight);
  const RECT below{18, row.bottom, picture.width(), picture.height()};  // the box overhangs
  EXPECT_EQ(picture.Count(below, kBackground),
            (below.right - below.left) * (below.bottom - below.top));

  list->MakeCurrent(0);
  const Picture selected = Paint();
  EXPECT_EQ(selected.Count(Address(0), kBackground), 0);
  EXPECT_GT(selected.Count(Address(0), kSelectionText), 0) << "in the selection colours";
}

TEST_F(AdvListViewHtmlCellTest,
       ALinkIsDrawnInTheLinkColourAndAPressOrThePointerOnItReachesItsEvents) {
  list->AddItem("see <A href=\"topic\">topic</A>", {"1"});
  list->AddItem("<A href=\"http://example.org/\">site</A>", {"2"});
  list->OnAnchorClick = [this](TAdvListView&, const std::string& a) {
    events.push_back("anchor " + a);
  };
  list->OnURLClick = [this](TAdvListView&, int item, const std::string& url, bool& handled) {
    events.push_back("url " + std::to_string(item) + " " + url);
    handled = true;  // nothing is opened by the tests
  };
  list->OnAnchorEnter = [this](TAdvListView&, const std::string& a) {
    events.push_back("enter " + a);
  };
  list->OnAnchorExit = [this](TAdvListView&, const std::string& a) {
    events.push_back("exit " + a);
  };
  const Picture picture = Paint();
  const POINT topic = picture.MiddleOf(Address(0), kLink);
  const POINT site = picture.MiddleOf(Address(1), kLink);
  const LONG see = Address(0).left + 4;
  Press(topic.x, topic.y);
  Press(site.x, site.y);
  Press(see, topic.y);
  for (const LONG x : {topic.x, topic.x + 1, see})
    SendMessageA(lv(), WM_MOUSEMOVE, 0, MAKELPARAM(x, topic.y));
  EXPECT_THAT(events, ElementsAre("anchor topic", "url 1 http://example.org/", "enter topic",
                                  "exit topic"));
}

}  // namespace
}  // namespace quillmere
