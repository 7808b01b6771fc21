// What the engine's tags draw: images and pictures, backgrounds and bands,
// shadows, marks, scripts, rotation and the rest.
#include "tests/richtext/MiniHtmlFixture.h"

namespace quillmere::richtext {
namespace {

using ::testing::ElementsAre;
using Fill = testing::FakeSurface::Fill;
using Image = testing::FakeSurface::Image;
using Stroke = testing::FakeSurface::Stroke;

TEST_F(MiniHtmlTest, ImageListImagesTakeTheSurfacesResolutionOnTheLineButDrawAtTheirOwnSize) {
  const ImageListId images = canvas.AddImageList(1, {32, 32});
  canvas.ppiX = canvas.ppiY = 120;
  const auto render = [&](std::string_view text, bool printMode) {
    canvas.ClearRecords();
    return Render(text, [&](RenderArgs& args) {
      args.images = images;
      args.printMode = printMode;
      args.scale = 1.5;
    });
  };
  const RenderResult result = render("<IMG src=\"idx:0\">ab", false);
  EXPECT_THAT(canvas.images, ElementsAre(Image{images, 0, {1, 0, 33, 32}, false, false}));
  EXPECT_EQ(canvas.runs[0].rect.left, 41) << "laid out 40 pixels wide";
  EXPECT_EQ(canvas.runs[0].rect.bottom, 40);
  EXPECT_EQ(result.textHeight, 40);
  EXPECT_EQ(result.textWidth, 52);

  render("<IMG src=\"idx:0\">", true);
  EXPECT_THAT(canvas.images, ElementsAre(Image{images, 0, {1, 0, 49, 48}, false, true}));

  render("<IMG src=\"idx:1\">ab", false);
  Render("<IMG src=\"idx:0\">ab");
  EXPECT_TRUE(canvas.images.empty()) << "a missing index or image list draws nothing";
  EXPECT_THAT(canvas.RunEdges(&Rect::left), ElementsAre(1, 1));
}

TEST_F(MiniHtmlTest, AnImageThatDoesNotFitStartsTheNextLineUnlessWiderThanAnyLine) {
  const ImageListId images = canvas.AddImageList(1, {32, 32});
  const auto render = [&](std::string_view text) {
    canvas.ClearRecords();
    return Render(text, [&](RenderArgs& args) {
      Narrow(args);
      args.images = images;
    });
  };
  EXPECT_EQ(render("ab<IMG src=\"idx:0\">c").textHeight, 44);
  ASSERT_EQ(canvas.images.size(), 1u);
  EXPECT_EQ(canvas.images[0].rect, (Rect{1, 12, 33, 44}));
  EXPECT_EQ(canvas.runs[1].rect.left, 33);

  canvas.ppiX = canvas.ppiY = 192;  // now 64 pixels wide on the line
  render("ab<IMG src=\"idx:0\">c");
  EXPECT_EQ(canvas.images.at(0).rect.top, 0) << "placed anyway, overflowing the line";
  EXPECT_EQ(canvas.runs[1].rect.left, 77);
}

TEST_F(MiniHtmlTest, SystemIconsComeByNumberOrByFileName) {
  canvas.iconIndexes["C:\\README.TXT"] = 7;
  Render("<IMG src=\"ssys:c:\\readme.txt\"><IMG src=\"lsys:3\">");
  EXPECT_THAT(canvas.images,
              ElementsAre(Image{canvas.smallIcons, 7, {1, 0, 17, 16}, true, false},
                          Image{canvas.largeIcons, 3, {17, 0, 49, 32}, true, false}));
}

TEST_F(MiniHtmlTest, AnAlignedImageLiftsTheTextOfItsLine) {
  const ImageListId images = canvas.AddImageList(1, {32, 32});
  for (const auto& [align, bottom] :
       {std::pair{"", 32}, std::pair{" align=\"top\"", 12}, std::pair{" align=\"middle\"", 22}}) {
    canvas.ClearRecords();
    const std::string text = std::string("ab<IMG src=\"idx:0\"") + align + ">cd";
    Render(text, [&](RenderArgs& args) { args.images = images; });
    EXPECT_THAT(canvas.RunEdges(&Rect::bottom), ElementsAre(bottom, bottom)) << align;
  }
}

TEST_F(MiniHtmlTest, PicturesComeFromTheContainerAndTheCache) {
  Render("<IMG src=\"LOGO\"><IMG src=\"logo\" width=\"40\" height=\"30\">x");
  EXPECT_THAT(canvas.pictures, ElementsAre(Rect{1, 0, 21, 10}, Rect{21, 0, 41, 10}))
      << "no Stretch: natural size";
  EXPECT_EQ(canvas.runs[0].rect, (Rect{61, 0, 300, 30}));

  canvas.ClearRecords();
  container.FindByName("LOGO")->SetStretch(true);
  Render("<IMG src=\"logo\" width=\"40\" height=\"30\">");
  EXPECT_THAT(canvas.pictures, ElementsAre(Rect{1, 0, 41, 30}));

  canvas.ClearRecords();
  Render("<IMG src=\"file://C:\\PIC.BMP\"><IMG src=\"res://none\">x");
  Render("<IMG src=\"file://C:\\PIC.BMP\"><IMG src=\"res://none\">x");
  EXPECT_THAT(canvas.pictures, ElementsAre(Rect{1, 0, 13, 8}, Rect{1, 0, 13, 8}))
      << "a missing resource draws nothing";
  EXPECT_EQ(canvas.runs[1].rect.left, 13);
  EXPECT_EQ(cache.Count(), 2u);
  EXPECT_EQ(decoder.decoded.size(), 4u) << "the container's three decodes, then the file once";
}

TEST_F(MiniHtmlTest, AnAnimatedGifClearsItsScreenAndDrawsTheFrameAtItsOffset) {
  canvas.SetBackground(clWhite);
  Render("<IMG src=\"anim\">x");
  EXPECT_THAT(canvas.fills, ElementsAre(Fill{{1, 0, 17, 16}, clWhite}));
  EXPECT_THAT(canvas.pictures, ElementsAre(Rect{6, 5, 22, 21}));
  EXPECT_EQ(canvas.runs[0].rect.left, 17);
}

TEST_F(MiniHtmlTest, BodyTilesItsBackgroundAndFillsWithItsColour) {
  Render("<BODY background=\"logo\" bgcolor=\"#FF8000\">x</FONT>y", [](RenderArgs& args) {
    args.bounds = {0, 0, 50, 25};
  });
  EXPECT_EQ(canvas.pictures.size(), 9u);
  EXPECT_EQ(canvas.pictures.back(), (Rect{40, 20, 60, 30}));
  EXPECT_THAT(canvas.clips, ElementsAre(Rect{0, 0, 50, 25}, std::nullopt));
  EXPECT_THAT(canvas.fills, ElementsAre(Fill{{0, 0, 50, 25}, 0x0080FF}));
  EXPECT_EQ(canvas.runs[0].background, 0x0080FFu);
  EXPECT_EQ(canvas.runs[1].background, 0x0080FFu) << "a closing FONT returns to the body colour";

  canvas.ClearRecords();
  Render("<BODY bgcolor=\"clInfoBk\">x");
  EXPECT_EQ(canvas.runs[0].background, SystemColor(24));
}

TEST_F(MiniHtmlTest, ParagraphBandsPaintEachOfTheirLinesAndHighlightRestores) {
  Render("<P bgcolor=\"clYellow\">a<BR>b</P>c<HI>h</HI>n");
  EXPECT_THAT(canvas.fills,
              ElementsAre(Fill{{0, 0, 300, 12}, 0x00FFFF}, Fill{{0, 12, 300, 24}, 0x00FFFF}));
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("a", "b", "c", "h", "n"));
  EXPECT_EQ(canvas.runs[1].background, 0x00FFFFu);
  EXPECT_EQ(canvas.runs[2].background, clNone);
  EXPECT_EQ(canvas.runs[3].background, clHighlight);
  EXPECT_EQ(canvas.runs[3].font.color, clHighlightText);
  EXPECT_EQ(canvas.runs[4].background, clNone);
  EXPECT_EQ(canvas.runs[4].font.color, clBlack);
}

TEST_F(MiniHtmlTest, ShadowErrorMarkAndScriptsDrawWhereTheyShould) {
  const RenderResult result = Render("<SH>s</SH><E>ab</E>x<SUB>2</SUB>y<SUP>3</SUP>",
                                     [](RenderArgs& args) { args.shadowOffset = 2; });
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("s", "s", "ab", "x", "2", "y", "3"));
  // Subscript and superscript extras: a quarter of 12 each, on a line of 18.
  EXPECT_EQ(result.textHeight, 18);
  EXPECT_EQ(canvas.runs[0].rect, (Rect{3, 2, 302, 17}));
  EXPECT_EQ(canvas.runs[0].font.color, clGray);
  EXPECT_EQ(canvas.runs[1].font.color, clBlack);
  EXPECT_THAT(canvas.RunEdges(&Rect::bottom), ElementsAre(17, 15, 15, 15, 18, 15, 12));
  // A red zig-zag under "ab" (x 7 to 19), two pixels a step, in phase with x.
  ASSERT_EQ(canvas.lines.size(), 7u);
  EXPECT_EQ(canvas.lines[0], (Stroke{6, 14, 8, 16, clRed}));
  EXPECT_EQ(canvas.lines[6], (Stroke{18, 14, 20, 16, clRed}));
}

TEST_F(MiniHtmlTest, BlinkRotationAndTabStops) {
  canvas.SetBackground(clWhite);
  Render("<BLINK>b</BLINK>c<R a=\"90\">r</R>s<R a=\"45\">t<IND x=\"100\">u<IND x=\"5x\">v");
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("b", "c", "r", "s", "t", "u", "v"));
  EXPECT_EQ(canvas.runs[0].font.color, clWhite) << "hidden in the blink's off phase";
  EXPECT_EQ(canvas.runs[1].font.color, clBlack);
  std::vector<int> rotations;
  for (const auto& run : canvas.runs) rotations.push_back(run.rotation);
  EXPECT_THAT(rotations, ElementsAre(0, 0, 900, 0, 450, 450, 450));
  EXPECT_TRUE(canvas.rotations.empty()) << "an open rotation is taken off at the end";
  EXPECT_EQ(canvas.runs[5].rect.left, 101);
  EXPECT_EQ(canvas.runs[6].rect.left, 107) << "a tab stop that is no whole number is ignored";

  canvas.ClearRecords();
  Render("<BLINK>b", [](RenderArgs& args) { args.blinkOn = true; });
  EXPECT_EQ(canvas.runs[0].font.color, clBlack);
}

TEST_F(MiniHtmlTest, TheSurfaceGetsItsFontAndBackgroundBackWhateverIsLeftOpen) {
  canvas.SetBackground(clWhite);
  const FontState before = canvas.Font();
  Render(
      "<B><I><U><S><FONT face=\"Arial\" size=\"18\" color=\"clred\" bgcolor=\"clblue\"><HI>"
      "<P bgcolor=\"clgreen\"><R a=\"30\">x");
  EXPECT_EQ(canvas.Font(), before);
  EXPECT_EQ(canvas.Background(), clWhite);
  EXPECT_TRUE(canvas.rotations.empty());
}

TEST_F(MiniHtmlTest, TheSimpleEntryPointNeitherWrapsNorStyles) {
  SimpleRenderArgs args;
  args.text = "<SH>aaa bbb</SH> <A href=\"u\">l</A>";
  args.bounds = {0, 0, 41, 100};
  const SimpleRenderResult result = RenderMiniHTMLSimple(canvas, args);
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("aaa...", "aaa...", "...", "..."));
  EXPECT_EQ(canvas.runs[0].rect.left, 2) << "a one-pixel shadow";
  EXPECT_EQ(canvas.runs[0].font.color, clGray);
  EXPECT_EQ(result.textHeight, 12);
  EXPECT_EQ(result.plainText, "aaa bbb l");
}

}  // namespace
}  // namespace quillmere::richtext
