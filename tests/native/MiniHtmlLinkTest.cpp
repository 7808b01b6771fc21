#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "richtext/MiniHtml.h"
#include "tests/fakes/FakeSurface.h"

// Base font: 6 pixels a character, 12 high; lines start at x = 1.

namespace quillmere::richtext {
namespace {

using ::testing::ElementsAre;
using testing::FakeSurface;

class MiniHtmlLinks : public ::testing::Test {
 protected:
  RenderResult Render(std::string_view text, const std::function<void(RenderArgs&)>& set = {}) {
    RenderArgs args;
    args.text = text;
    args.bounds = {0, 0, 300, 200};
    args.wordWrap = true;
    if (set) set(args);
    return RenderMiniHTML(canvas, args);
  }
  RenderResult HitTest(std::string_view text, int x, int y, Rect bounds = {0, 0, 300, 200}) {
    return Render(text, [&](RenderArgs& args) {
      args.checkAnchor = true;
      args.xPos = x;
      args.yPos = y;
      args.bounds = bounds;
    });
  }

  FakeSurface canvas;
};

TEST_F(MiniHtmlLinks, APointOverALinksTextNamesItsValueNumberAndRectangle) {
  constexpr std::string_view kText = "go <A href=\"x\">here</A> now";
  const RenderResult hit = HitTest(kText, 30, 6);
  EXPECT_TRUE(hit.linkHit);
  EXPECT_EQ(hit.anchor, "x");
  EXPECT_EQ(hit.mouseLink, 1);
  EXPECT_EQ(hit.hoverRect, (Rect{19, 0, 43, 12}));
  EXPECT_EQ(hit.linkCount, 1);
  EXPECT_EQ(canvas.drawCalls, 0) << "a hit test draws nothing";

  for (const auto& [x, y] : {std::pair{10, 6}, std::pair{50, 6}, std::pair{30, 20}}) {
    const RenderResult miss = HitTest(kText, x, y);
    EXPECT_FALSE(miss.linkHit) << x << "," << y;
    EXPECT_EQ(miss.anchor, "") << x << "," << y;
    EXPECT_EQ(miss.mouseLink, -1) << x << "," << y;
  }
}

TEST_F(MiniHtmlLinks, ALinkOverTwoLinesIsFramedOnTheLineWhereItEnds) {
  constexpr std::string_view kText = "<A href=\"y\">one two</A>";
  for (const int y : {6, 18}) {
    const RenderResult hit = HitTest(kText, 5, y, {0, 0, 41, 200});
    EXPECT_TRUE(hit.linkHit) << y;
    EXPECT_EQ(hit.anchor, "y") << y;
    EXPECT_EQ(hit.mouseLink, 1) << y;
    EXPECT_EQ(hit.hoverRect, (Rect{1, 12, 19, 24})) << y;
  }
}

TEST_F(MiniHtmlLinks, AnAlignedLinkIsFoundWhereItIsDrawnAndOnlyThere) {
  constexpr std::string_view kText = "<P align=\"right\">go <A href=\"r\">there</A>";
  const RenderResult hit = HitTest(kText, 280, 6);
  EXPECT_TRUE(hit.linkHit);
  EXPECT_EQ(hit.anchor, "r");
  EXPECT_EQ(hit.hoverRect, (Rect{270, 0, 300, 12}));
  const RenderResult whereItWouldBeUnaligned = HitTest(kText, 25, 6);
  EXPECT_FALSE(whereItWouldBeUnaligned.linkHit);
  EXPECT_EQ(whereItWouldBeUnaligned.anchor, "");
  EXPECT_EQ(whereItWouldBeUnaligned.mouseLink, -1);
}

TEST_F(MiniHtmlLinks, AnImageLinkIsHitOnlyStrictlyInsideTheImageInAnyCall) {
  constexpr std::string_view kText = "<A href=\"pic\"><IMG src=\"idx:0\"></A>";
  const ImageListId images = canvas.AddImageList(1, {16, 16});  // at x 1..17, y 0..16
  const auto at = [&](int x, int y, bool checkAnchor) {
    return Render(kText, [&](RenderArgs& args) {
      args.images = images;
      args.checkAnchor = checkAnchor;
      args.xPos = x;
      args.yPos = y;
    });
  };
  for (const bool checkAnchor : {true, false}) {
    const RenderResult inside = at(2, 1, checkAnchor);
    EXPECT_TRUE(inside.linkHit) << checkAnchor;
    EXPECT_EQ(inside.anchor, "pic");
    EXPECT_EQ(inside.mouseLink, -1) << "image hits name no link number";
    for (const auto& [x, y] :
         {std::pair{1, 5}, std::pair{17, 5}, std::pair{5, 0}, std::pair{5, 16}}) {
      EXPECT_FALSE(at(x, y, checkAnchor).linkHit) << x << "," << y << " " << checkAnchor;
    }
  }
}

TEST_F(MiniHtmlLinks, TheFocusedLinkIsFramedPerLineAndNamed) {
  const RenderResult result = Render("a <A href=\"1\">b</A> <A href=\"2\">cc</A>",
                                     [](RenderArgs& args) { args.focusLink = 1; });
  EXPECT_THAT(canvas.focusRects, ElementsAre(Rect{24, 0, 38, 12}));
  EXPECT_EQ(result.focusAnchor, "2");
  EXPECT_EQ(result.linkCount, 2);

  canvas.ClearRecords();
  Render("<A href=\"f\">one two</A></A>", [](RenderArgs& args) {
    args.focusLink = 0;
    args.bounds = {0, 0, 41, 200};
  });
  EXPECT_THAT(canvas.focusRects, ElementsAre(Rect{0, 0, 26, 12}, Rect{1, 12, 20, 24}))
      << "a second closing tag frames nothing again";
}

TEST_F(MiniHtmlLinks, LinksAreStyledAndHoverStylingFollowsTheHoveredLink) {
  constexpr std::string_view kText = "<A href=\"a\">one</A> <A href=\"b\">two</A> after";
  Render(kText);
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("one", " ", "two", " ", "after"));
  EXPECT_EQ(canvas.runs[0].font.color, clBlue);
  EXPECT_EQ(canvas.runs[0].font.style, kUnderline);
  EXPECT_EQ(canvas.runs[4].font.color, clBlack);
  EXPECT_EQ(canvas.runs[4].font.style, 0);

  canvas.ClearRecords();
  Render(kText, [](RenderArgs& args) {
    args.hoverOnly = true;
    args.hoverLink = 2;
    args.hoverColor = 0x00FFFF;
    args.hoverFontColor = 0x0000FF;
  });
  EXPECT_EQ(canvas.runs[0].font.color, clBlue);
  EXPECT_EQ(canvas.runs[0].font.style, 0);
  EXPECT_EQ(canvas.runs[0].background, clNone);
  EXPECT_EQ(canvas.runs[2].font.color, 0x0000FFu);
  EXPECT_EQ(canvas.runs[2].font.style, kUnderline);
  EXPECT_EQ(canvas.runs[2].background, 0x00FFFFu);
  EXPECT_EQ(canvas.runs[4].font.color, clBlack);
  EXPECT_EQ(canvas.runs[4].background, clNone);

  canvas.ClearRecords();
  Render(kText, [](RenderArgs& args) { args.selected = true; });
  EXPECT_EQ(canvas.runs[0].font.color, clBlack) << "a selected text keeps its colours";
  EXPECT_EQ(canvas.runs[0].font.style, kUnderline);
}

TEST_F(MiniHtmlLinks, LinksAreCountedOverTheWholeTextAndAQuotelessLinkIsEmpty) {
  const RenderResult measured =
      Render("<A>a</A><BR><A href=\"b\">b</A>", [](RenderArgs& args) { args.calcOnly = true; });
  EXPECT_EQ(measured.linkCount, 2);
  EXPECT_EQ(measured.plainText, "a\rb");
  const RenderResult hit = HitTest("<A>a</A>", 3, 6);
  EXPECT_TRUE(hit.linkHit);
  EXPECT_EQ(hit.anchor, "");
}

}  // namespace
}  // namespace quillmere::richtext
