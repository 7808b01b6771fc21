#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "richtext/MiniHtml.h"
#include "richtext/PictureCache.h"
#include "richtext/PictureContainer.h"
#include "tests/fakes/FakePictureDecoder.h"
#include "tests/fakes/FakeSurface.h"

// Base font: 6 pixels a character, 12 high; lines start at x = 1.

namespace quillmere::richtext {
namespace {

using ::testing::ElementsAre;
using testing::FakePictureDecoder;
using testing::FakeSurface;

class MiniHtmlTags : public ::testing::Test {
 protected:
  MiniHtmlTags() {
    decoder.files["C:\\PIC.BMP"] = FakePictureDecoder::Bytes("PIC 12 8");
    TPictureItem& logo = container.Items.Add();
    logo.Name = "logo";
    logo.Picture().ReadFormData(FakePictureDecoder::Bytes("PIC 20 10"));
    TPictureItem& anim = container.Items.Add();
    anim.Name = "anim";
    anim.Picture().ReadFormData(testing::TwoFrameGif(16, 2, 5));
    anim.Picture().SetFrame(2);
  }

  RenderResult Render(std::string_view text, const std::function<void(RenderArgs&)>& set = {}) {
    RenderArgs args;
    args.text = text;
    args.bounds = {0, 0, 300, 200};
    args.wordWrap = true;
    args.pictureCache = &cache;
    args.pictureContainer = &container;
    if (set) set(args);
    return RenderMiniHTML(canvas, args);
  }

  std::vector<int> RunBottoms() const {
    std::vector<int> bottoms;
    for (const FakeSurface::Run& run : canvas.runs) bottoms.push_back(run.rect.bottom);
    return bottoms;
  }

  FakeSurface canvas;
  FakePictureDecoder decoder;
  TPictureContainer container{decoder};
  THTMLPictureCache cache{decoder};
};

TEST_F(MiniHtmlTags, ImageListImagesScaleWithTheSurfaceButDrawAtTheirOwnSize) {
  const ImageListId images = canvas.AddImageList(1, {32, 32});
  canvas.ppiX = canvas.ppiY = 120;
  const auto render = [&](std::string_view text, bool printMode) {
    return Render(text, [&](RenderArgs& args) {
      args.images = images;
      args.printMode = printMode;
      args.scale = 1.5;
    });
  };
  const RenderResult result = render("<IMG src=\"idx:0\">ab", false);
  ASSERT_EQ(canvas.images.size(), 1u);
  EXPECT_EQ(canvas.images[0].rect, (Rect{1, 0, 33, 32}));
  EXPECT_FALSE(canvas.images[0].stretched);
  EXPECT_EQ(canvas.runs[0].rect.left, 41) << "laid out 40 pixels wide";
  EXPECT_EQ(canvas.runs[0].rect.bottom, 40);
  EXPECT_EQ(result.textHeight, 40);
  EXPECT_EQ(result.textWidth, 52);

  canvas.ClearRecords();
  render("<IMG src=\"idx:0\">", true);
  ASSERT_EQ(canvas.images.size(), 1u);
  EXPECT_EQ(canvas.images[0].rect, (Rect{1, 0, 49, 48}));
  EXPECT_TRUE(canvas.images[0].stretched);

  canvas.ClearRecords();
  render("<IMG src=\"idx:1\">ab", false);
  Render("<IMG src=\"idx:0\">ab");
  EXPECT_TRUE(canvas.images.empty()) << "a missing index or image list draws nothing";
  EXPECT_EQ(canvas.runs[0].rect.left, 1);
  EXPECT_EQ(canvas.runs[1].rect.left, 1);
}

TEST_F(MiniHtmlTags, AnImageThatDoesNotFitStartsTheNextLineUnlessWiderThanAnyLine) {
  const ImageListId images = canvas.AddImageList(1, {32, 32});
  const auto render = [&](std::string_view text) {
    canvas.ClearRecords();
    return Render(text, [&](RenderArgs& args) {
      args.images = images;
      args.bounds = {0, 0, 41, 200};  // 40 pixels of room
    });
  };
  const RenderResult wrapped = render("ab<IMG src=\"idx:0\">c");
  ASSERT_EQ(canvas.images.size(), 1u);
  EXPECT_EQ(canvas.images[0].rect, (Rect{1, 12, 33, 44}));
  EXPECT_EQ(canvas.runs[1].rect.left, 33);
  EXPECT_EQ(wrapped.textHeight, 44);

  canvas.ppiX = canvas.ppiY = 192;  // now 64 pixels wide on the line
  render("ab<IMG src=\"idx:0\">c");
  EXPECT_EQ(canvas.images[0].rect.top, 0) << "placed anyway, overflowing the line";
  EXPECT_EQ(canvas.runs[1].rect.left, 77);
}

TEST_F(MiniHtmlTags, SystemIconsComeByNumberOrByFileName) {
  canvas.iconIndexes["C:\\README.TXT"] = 7;
  Render("<IMG src=\"ssys:c:\\readme.txt\"><IMG src=\"lsys:3\">");
  ASSERT_EQ(canvas.images.size(), 2u);
  EXPECT_EQ(canvas.images[0].list, canvas.smallIcons);
  EXPECT_EQ(canvas.images[0].index, 7);
  EXPECT_EQ(canvas.images[0].rect, (Rect{1, 0, 17, 16}));
  EXPECT_TRUE(canvas.images[0].transparent);
  EXPECT_EQ(canvas.images[1].list, canvas.largeIcons);
  EXPECT_EQ(canvas.images[1].index, 3);
  EXPECT_EQ(canvas.images[1].rect, (Rect{17, 0, 49, 32}));
}

TEST_F(MiniHtmlTags, AnAlignedImageLiftsTheTextOfItsLine) {
  const ImageListId images = canvas.AddImageList(1, {32, 32});
  for (const auto& [align, bottom] :
       {std::pair{"", 32}, std::pair{" align=\"top\"", 12}, std::pair{" align=\"middle\"", 22}}) {
    canvas.ClearRecords();
    const std::string text = std::string("ab<IMG src=\"idx:0\"") + align + ">cd";
    Render(text, [&](RenderArgs& args) { args.images = images; });
    EXPECT_THAT(RunBottoms(), ElementsAre(bottom, bottom)) << align;
  }
}

TEST_F(MiniHtmlTags, PicturesComeFromTheContainerAndTheCache) {
  Render("<IMG src=\"LOGO\"><IMG src=\"logo\" width=\"40\" height=\"30\">x");
  ASSERT_EQ(canvas.pictures.size(), 2u);
  EXPECT_EQ(canvas.pictures[0].rect, (Rect{1, 0, 21, 10}));
  EXPECT_EQ(canvas.pictures[1].rect, (Rect{21, 0, 41, 10})) << "no Stretch: natural size";
  EXPECT_EQ(canvas.runs[0].rect.left, 61);
  EXPECT_EQ(canvas.runs[0].rect.bottom, 30);

  canvas.ClearRecords();
  container.FindByName("LOGO")->SetStretch(true);
  Render("<IMG src=\"logo\" width=\"40\" height=\"30\">");
  EXPECT_EQ(canvas.pictures[0].rect, (Rect{1, 0, 41, 30}));

  canvas.ClearRecords();
  Render("<IMG src=\"file://C:\\PIC.BMP\"><IMG src=\"res://none\">x");
  Render("<IMG src=\"file://C:\\PIC.BMP\"><IMG src=\"res://none\">x");
  ASSERT_EQ(canvas.pictures.size(), 2u) << "a missing resource draws nothing";
  EXPECT_EQ(canvas.pictures[1].rect, (Rect{1, 0, 13, 8}));
  EXPECT_EQ(canvas.runs[1].rect.left, 13);
  EXPECT_EQ(cache.Count(), 2u);
  EXPECT_EQ(decoder.decoded.size(), 4u) << "the container's three decodes, then the file once";
}

TEST_F(MiniHtmlTags, AnAnimatedGifClearsItsScreenAndDrawsTheFrameAtItsOffset) {
  canvas.SetBackground(clWhite);
  Render("<IMG src=\"anim\">x");
  EXPECT_THAT(canvas.fills, ElementsAre(FakeSurface::Fill{{1, 0, 17, 16}, clWhite}));
  ASSERT_EQ(canvas.pictures.size(), 1u);
  EXPECT_EQ(canvas.pictures[0].rect, (Rect{6, 5, 22, 21}));
  EXPECT_EQ(canvas.runs[0].rect.left, 17);
}

TEST_F(MiniHtmlTags, BodyTilesItsBackgroundAndFillsWithItsColour) {
  Render("<BODY background=\"logo\" bgcolor=\"#FF8000\">x</FONT>y", [](RenderArgs& args) {
    args.bounds = {0, 0, 50, 25};
  });
  EXPECT_EQ(canvas.pictures.size(), 9u);
  EXPECT_EQ(canvas.pictures.back().rect, (Rect{40, 20, 60, 30}));
  EXPECT_THAT(canvas.clips, ElementsAre(Rect{0, 0, 50, 25}, std::nullopt));
  EXPECT_THAT(canvas.fills, ElementsAre(FakeSurface::Fill{{0, 0, 50, 25}, 0x0080FF}));
  EXPECT_EQ(canvas.runs[0].background, 0x0080FFu);
  EXPECT_EQ(canvas.runs[1].background, 0x0080FFu) << "a closing FONT returns to the body colour";

  canvas.ClearRecords();
  Render("<BODY bgcolor=\"clInfoBk\">x");
  EXPECT_EQ(canvas.runs[0].background, SystemColor(24));
}

TEST_F(MiniHtmlTags, ParagraphBandsPaintEachOfTheirLinesAndHighlightRestores) {
  Render("<P bgcolor=\"clYellow\">a<BR>b</P>c<HI>h</HI>n");
  EXPECT_THAT(canvas.fills, ElementsAre(FakeSurface::Fill{{0, 0, 300, 12}, 0x00FFFF},
                                        FakeSurface::Fill{{0, 12, 300, 24}, 0x00FFFF}));
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("a", "b", "c", "h", "n"));
  EXPECT_EQ(canvas.runs[1].background, 0x00FFFFu);
  EXPECT_EQ(canvas.runs[2].background, clNone);
  EXPECT_EQ(canvas.runs[3].background, clHighlight);
  EXPECT_EQ(canvas.runs[3].font.color, clHighlightText);
  EXPECT_EQ(canvas.runs[4].background, clNone);
  EXPECT_EQ(canvas.runs[4].font.color, clBlack);
}

TEST_F(MiniHtmlTags, ShadowErrorMarkAndScriptsDrawWhereTheyShould) {
  const RenderResult result = Render("<SH>s</SH><E>ab</E>x<SUB>2</SUB>y<SUP>3</SUP>",
                                     [](RenderArgs& args) { args.shadowOffset = 2; });
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("s", "s", "ab", "x", "2", "y", "3"));
  // Subscript and superscript extras: a quarter of 12 each, on a line of 18.
  EXPECT_EQ(result.textHeight, 18);
  EXPECT_EQ(canvas.runs[0].rect, (Rect{3, 2, 302, 17}));
  EXPECT_EQ(canvas.runs[0].font.color, clGray);
  EXPECT_EQ(canvas.runs[1].font.color, clBlack);
  EXPECT_THAT(RunBottoms(), ElementsAre(17, 15, 15, 15, 18, 15, 12));
  // A red zig-zag under "ab" (x 7 to 19), two pixels a step, in phase with x.
  ASSERT_EQ(canvas.lines.size(), 7u);
  EXPECT_EQ(
      (std::vector{canvas.lines[0].x1, canvas.lines[0].y1, canvas.lines[0].x2, canvas.lines[0].y2}),
      (std::vector{6, 14, 8, 16}));
  EXPECT_EQ(canvas.lines[6].x2, 20);
  EXPECT_EQ(canvas.lines[0].color, clRed);
}

TEST_F(MiniHtmlTags, BlinkRotationAndTabStops) {
  canvas.SetBackground(clWhite);
  Render("<BLINK>b</BLINK>c<R a=\"90\">r</R>s<R a=\"45\">t<IND x=\"100\">u<IND x=\"5x\">v");
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("b", "c", "r", "s", "t", "u", "v"));
  EXPECT_EQ(canvas.runs[0].font.color, clWhite) << "hidden in the blink's off phase";
  EXPECT_EQ(canvas.runs[1].font.color, clBlack);
  EXPECT_EQ(canvas.runs[2].rotation, 900);
  EXPECT_EQ(canvas.runs[3].rotation, 0);
  EXPECT_EQ(canvas.runs[4].rotation, 450);
  EXPECT_TRUE(canvas.rotations.empty()) << "an open rotation is taken off at the end";
  EXPECT_EQ(canvas.runs[5].rect.left, 101);
  EXPECT_EQ(canvas.runs[6].rect.left, 107) << "a tab stop that is no whole number is ignored";

  canvas.ClearRecords();
  Render("<BLINK>b", [](RenderArgs& args) { args.blinkOn = true; });
  EXPECT_EQ(canvas.runs[0].font.color, clBlack);
}

TEST_F(MiniHtmlTags, ASelectedTextIgnoresColourTags) {
  constexpr std::string_view kText = "<FONT color=\"clred\" bgcolor=\"#00FFFF\">x</FONT>";
  Render(kText);
  EXPECT_EQ(canvas.runs[0].font.color, clRed);
  EXPECT_EQ(canvas.runs[0].background, 0xFFFF00u);
  canvas.ClearRecords();
  Render(kText, [](RenderArgs& args) { args.selected = true; });
  EXPECT_EQ(canvas.runs[0].font.color, clBlack);
  EXPECT_EQ(canvas.runs[0].background, clNone);
}

TEST_F(MiniHtmlTags, TheSurfaceGetsItsFontAndBackgroundBackWhateverIsLeftOpen) {
  canvas.SetBackground(clWhite);
  const FontState before = canvas.Font();
  Render(
      "<B><I><U><S><FONT face=\"Arial\" size=\"18\" color=\"clred\" bgcolor=\"clblue\"><HI>"
      "<P bgcolor=\"clgreen\"><R a=\"30\">x");
  EXPECT_EQ(canvas.Font(), before);
  EXPECT_EQ(canvas.Background(), clWhite);
  EXPECT_TRUE(canvas.rotations.empty());
}

TEST_F(MiniHtmlTags, TheSimpleEntryPointNeitherWrapsNorStyles) {
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
