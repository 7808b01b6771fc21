#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "richtext/AdvImage.h"
#include "richtext/PanelView.h"
#include "tests/fakes/FakePictureDecoder.h"
#include "tests/fakes/FakeSurface.h"

// Base font: 6 pixels a character, 12 high. The panel is 100 x 50 with a raised
// 1-pixel bevel unless a test says otherwise, so its text area is (1, 1, 99, 49)
// and lines start at x = 2.

namespace quillmere::richtext {
namespace {

using ::testing::ElementsAre;
using testing::FakePictureDecoder;
using testing::FakeSurface;
using Fill = FakeSurface::Fill;

constexpr TColor kHighlight = SystemColor(20);
constexpr TColor kShadow = SystemColor(16);

class PanelViewTest : public ::testing::Test {
 protected:
  PanelViewTest() {
    panel.client = {100, 50};
    panel.color = clWhite;
    panel.font = canvas.Font();
  }
  void Paint() {
    canvas.ClearRecords();
    PaintPanel(canvas, panel);
  }

  FakeSurface canvas;
  FakePictureDecoder decoder;
  PanelView panel;
};

TEST_F(PanelViewTest, FramesTheAreaOutsideInAndFillsWhatIsLeftInItsColour) {
  Paint();
  EXPECT_THAT(canvas.fills, ElementsAre(Fill{{0, 0, 99, 1}, kHighlight},  // top
                                        Fill{{0, 0, 1, 49}, kHighlight},  // left
                                        Fill{{99, 0, 100, 50}, kShadow},  // right
                                        Fill{{0, 49, 100, 50}, kShadow},  // bottom
                                        Fill{{1, 1, 99, 49}, clWhite}));

  panel.bevels = {.outer = bvLowered, .inner = bvRaised, .width = 1, .borderWidth = 2};
  Paint();
  ASSERT_EQ(canvas.fills.size(), 4u + 8u + 4u + 1u);
  EXPECT_EQ(canvas.fills[0], (Fill{{0, 0, 99, 1}, kShadow}));
  EXPECT_EQ(canvas.fills[4], (Fill{{1, 1, 98, 2}, clWhite}));  // the border's first ring
  EXPECT_EQ(canvas.fills[8], (Fill{{2, 2, 97, 3}, clWhite}));
  EXPECT_EQ(canvas.fills[12], (Fill{{3, 3, 96, 4}, kHighlight}));
  EXPECT_EQ(canvas.fills[16], (Fill{{4, 4, 96, 46}, clWhite}));
}

TEST_F(PanelViewTest, DrawsTheTextClippedToTheAreaFromItsTopOrLowerByTheAlignment) {
  panel.text = "one<BR>two";
  Paint();
  ASSERT_EQ(canvas.runs.size(), 2u);
  EXPECT_EQ(canvas.runs[0].rect, (Rect{2, 1, 99, 13}));
  EXPECT_EQ(canvas.runs[1].rect, (Rect{2, 13, 99, 25}));
  EXPECT_EQ(canvas.runs[0].font, panel.font);
  EXPECT_THAT(canvas.clips, ElementsAre(Rect{1, 1, 99, 49}, std::nullopt));

  // 24 pixels of text in 48: centred 12 lower, at the bottom 24 lower.
  for (const auto& [alignment, top] : {std::pair{tvaCenter, 13}, std::pair{tvaBottom, 25}}) {
    panel.textVAlign = alignment;
    Paint();
    EXPECT_THAT(canvas.RunEdges(&Rect::top), ElementsAre(top, top + 12)) << alignment;
  }
  panel.text = "1<BR>2<BR>3<BR>4<BR>5";
  Paint();
  EXPECT_EQ(canvas.runs.at(0).rect.top, 1) << "text taller than the area stays at its top";
}

TEST_F(PanelViewTest, PlacesTheBackgroundPictureAtItsNaturalSizeByThePosition) {
  TAdvImage picture(decoder);
  picture.ReadFormData(FakePictureDecoder::Bytes("PIC 20 10"));
  panel.background = &picture;
  const std::pair<TBackGroundPosition, Rect> placed[] = {
      {bpTopLeft, {1, 1, 21, 11}},     {bpTopRight, {79, 1, 99, 11}},
      {bpBottomLeft, {1, 39, 21, 49}}, {bpBottomRight, {79, 39, 99, 49}},
      {bpCenter, {39, 19, 59, 29}},    {bpStretched, {1, 1, 99, 49}}};
  for (const auto& [position, rect] : placed) {
    panel.backgroundPosition = position;
    Paint();
    EXPECT_THAT(canvas.pictures, ElementsAre(rect)) << position;
  }

  panel.backgroundPosition = bpTiled;
  Paint();
  ASSERT_EQ(canvas.pictures.size(), 25u);  // x 1, 21 .. 81 and y 1, 11 .. 41
  EXPECT_EQ(canvas.pictures.front(), (Rect{1, 1, 21, 11}));
  EXPECT_EQ(canvas.pictures.back(), (Rect{81, 41, 101, 51}));

  // A picture larger than the panel keeps to the area's top-left corner.
  picture.ReadFormData(FakePictureDecoder::Bytes("PIC 200 100"));
  for (const TBackGroundPosition position : {bpBottomRight, bpCenter}) {
    panel.backgroundPosition = position;
    Paint();
    EXPECT_THAT(canvas.pictures, ElementsAre(Rect{1, 1, 201, 101})) << position;
  }
}

TEST_F(PanelViewTest, FindsLinksWhereThePaintPutThemAndStylesOnlyTheHoveredOne) {
  panel.text = "go <A href=\"x\">here</A> <A href=\"y\">b</A>";  // "here" from x = 20 to 44
  EXPECT_EQ(HitTestPanel(canvas, panel, 30, 6).hoverRect, (Rect{20, 1, 44, 13}));
  EXPECT_TRUE(canvas.NothingDrawn());
  panel.textVAlign = tvaBottom;  // the line is now from y = 37 to 49
  EXPECT_FALSE(HitTestPanel(canvas, panel, 30, 6).linkHit);
  const PanelHit hit = HitTestPanel(canvas, panel, 30, 42);
  EXPECT_EQ(hit.anchor, "x");
  EXPECT_EQ(hit.mouseLink, 1);
  EXPECT_EQ(hit.hoverRect, (Rect{20, 37, 44, 49}));
  panel.textVAlign = tvaTop;
  panel.bevels.borderWidth = 4;  // the text moves 4 pixels in
  EXPECT_EQ(HitTestPanel(canvas, panel, 22, 6).anchor, "");
  EXPECT_EQ(HitTestPanel(canvas, panel, 30, 8).anchor, "x");

  panel.urlColor = clRed;
  panel.hover = true;
  panel.hoverLink = 2;
  Paint();
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("go ", "here", " ", "b"));
  EXPECT_EQ(canvas.runs[1].font.style, 0);
  EXPECT_EQ(canvas.runs[3].font.style, kUnderline);
  EXPECT_EQ(canvas.runs[3].font.color, clRed);
}

TEST(OpensInShell, TakesAddressesWithASchemeAndMailAddresses) {
  EXPECT_TRUE(OpensInShell("http://example.org/"));
  EXPECT_TRUE(OpensInShell("mailto:help@example.org"));
  EXPECT_FALSE(OpensInShell("contents"));
  EXPECT_FALSE(OpensInShell("file:readme"));
}

}  // namespace
}  // namespace quillmere::richtext
