// How the engine breaks marked-up text into lines and runs, and finds and styles
// its links.
#include "tests/richtext/MiniHtmlFixture.h"

namespace quillmere::richtext {
namespace {

using ::testing::ElementsAre;

TEST_F(MiniHtmlTest, AnEmptyTextDrawsNothingAndIsOneLineHigh) {
  const RenderResult result = Render("");
  EXPECT_EQ(result.textHeight, 12);
  EXPECT_EQ(result.textWidth, 0);
  EXPECT_TRUE(canvas.NothingDrawn());
}

TEST_F(MiniHtmlTest, EntitiesAndPrefixesShowAsTheirCharacters) {
  Render("a&amp;b <B>&File</B> &lt;B&gt; &copy;&euro;&nbsp;x");
  ASSERT_THAT(canvas.ShownTexts(),
              ElementsAre("a&b ", "File", " ", "<B> ", "\xC2\xA9\xE2\x82\xAC x"));
  EXPECT_EQ(canvas.runs[0].underlined, -1);
  EXPECT_EQ(canvas.runs[1].underlined, 0);
  EXPECT_EQ(canvas.runs[1].font.style, kBold);
  EXPECT_EQ(canvas.runs[3].font.style, 0) << "an escaped tag is text";
}

TEST_F(MiniHtmlTest, WordWrapMovesWholeWordsOnAndNeverSplitsAWordAtATag) {
  // "alpha " (36) fits in 40 pixels, "beta" (24) no longer does.
  const RenderResult wrapped = Render("alpha beta", Narrow);
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("alpha ", "beta"));
  EXPECT_THAT(canvas.RunEdges(&Rect::top), ElementsAre(0, 12));
  EXPECT_EQ(wrapped.textHeight, 24);
  EXPECT_EQ(wrapped.textWidth, 30) << "the trailing blank does not count";
  EXPECT_EQ(wrapped.plainText, "alpha beta") << "a wrapped word counts once";

  canvas.ClearRecords();
  EXPECT_EQ(Render("alpha<B>beta</B>", Narrow).textHeight, 12);
  EXPECT_THAT(canvas.RunEdges(&Rect::left), ElementsAre(1, 31));

  // "bb" in 18 points (32 wide and high) does not fit after "aaaa " (30) and takes
  // its height along: the first line stays 12 high.
  canvas.ClearRecords();
  EXPECT_EQ(Render("aaaa <FONT size=\"18\">bb</FONT>", Narrow).textHeight, 44);
  EXPECT_THAT(canvas.RunEdges(&Rect::top), ElementsAre(0, 12));
}

TEST_F(MiniHtmlTest, WithoutWordWrapALongLineEndsInAnEllipsisAndTheRestIsDropped) {
  const RenderResult result = Render("abc defghij <B>klm</B> nop<BR>second line", [](auto& args) {
    Narrow(args);
    args.wordWrap = false;
  });
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("abc...", "..."));
  EXPECT_TRUE(canvas.runs[0].endEllipsis);
  EXPECT_EQ(result.textHeight, 12);
  EXPECT_EQ(result.plainText, "abc defghij klm");
}

TEST_F(MiniHtmlTest, TwoLineBreaksLeaveAnEmptyLineOfTheCurrentFont) {
  const RenderResult result = Render("one<BR><BR>two");
  EXPECT_THAT(canvas.RunEdges(&Rect::top), ElementsAre(0, 24));
  EXPECT_EQ(result.textHeight, 36);
  EXPECT_EQ(result.plainText, "one\r\rtwo");
  EXPECT_EQ(Render("<FONT size=\"18\">one<BR><BR>two").textHeight, 96);
}

TEST_F(MiniHtmlTest, ParagraphAlignmentAndIndentLastUntilChanged) {
  Render(
      "<P align=\"right\">ab</P>cd<BR>ef<P align=\"center\">gh</P><P align=\"left\" "
      "indent=\"10\">ij");
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("ab", "cd", "ef", "gh", "ij"));
  // Right: 300 - 12; centred: 1 + (299 - 24) / 2; left with the indent: 1 + 10.
  EXPECT_THAT(canvas.RunEdges(&Rect::left), ElementsAre(288, 288, 138, 150, 11));
}

TEST_F(MiniHtmlTest, FontSizesAndFacesLastUntilTheirEnd) {
  const RenderResult result = Render(
      "<FONT size=\"3\">a</FONT>b<FONT size=\"18\">c</FONT><FONT size=\"5\"><FONT face=\"Arial\" "
      "size=\"2\">d</FONT>e</FONT>");
  std::vector<int> sizes;
  for (const auto& run : canvas.runs) sizes.push_back(run.font.size);
  EXPECT_THAT(sizes, ElementsAre(12, 8, 18, 10, 8)) << "a closing FONT returns to the base font";
  EXPECT_EQ(canvas.runs[3].font.name, "ARIAL");
  EXPECT_EQ(canvas.runs[4].font.name, "MS Sans Serif");
  EXPECT_THAT(canvas.RunEdges(&Rect::left), ElementsAre(1, 11, 17, 33, 41));
  EXPECT_EQ(result.textHeight, 32);
  EXPECT_EQ(canvas.Font().size, 8) << "the surface's font is put back";
}

TEST_F(MiniHtmlTest, ListItemsTakeALineEachWithSymbolBulletsPerLevel) {
  EXPECT_EQ(Render("<UL><LI>a<LI>bb</UL>").textWidth, 24) << "a second item on a line adds nothing";
  canvas.ClearRecords();
  Render("<UL><LI>one<LI>two<UL><LI>deep</UL></UL>after");
  EXPECT_THAT(canvas.ShownTexts(),
              ElementsAre("\xC2\xB7", "one", "\xC2\xB7", "two", "o", "deep", "after"));
  EXPECT_THAT(canvas.RunEdges(&Rect::left), ElementsAre(1, 13, 1, 13, 13, 25, 49));
  EXPECT_EQ(canvas.runs[0].font.name, "Symbol");
  EXPECT_EQ(canvas.runs[1].font.name, "MS Sans Serif");
  EXPECT_EQ(canvas.runs[4].rect.top, 24);
}

// Each line's second pass starts from the state its first pass started from.
TEST_F(MiniHtmlTest, HiddenTextAndStylesCarryAcrossLinesAsTheyWereOpened) {
  RenderResult result = Render("a<Z>hid<FONT size=\"18\">den</FONT></Z>b");
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("a", "b"));
  EXPECT_THAT(canvas.RunEdges(&Rect::left), ElementsAre(1, 7));
  EXPECT_EQ(result.plainText, "ahiddenb");
  EXPECT_EQ(result.textHeight, 32) << "hidden text takes no width but its height counts";
  EXPECT_EQ(result.textWidth, 12);

  canvas.ClearRecords();
  result = Render("aaa <Z>bbb<BR>ccc</Z> <SH>ddd<BR>eee</SH>");
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("aaa ", " ", "ddd", "ddd", "eee", "eee"));
  EXPECT_EQ(canvas.runs[0].font.color, clBlack);
  EXPECT_EQ(canvas.runs[2].font.color, clGray) << "the shadow comes first";
  EXPECT_EQ(result.plainText, "aaa bbb\rccc ddd\reee");
}

TEST_F(MiniHtmlTest, APointOverALinksTextNamesItsValueNumberAndRectangle) {
  constexpr std::string_view kText = "go <A href=\"x\">here</A> now <A>q</A>";
  const RenderResult hit = HitTest(kText, 30, 6);
  EXPECT_TRUE(hit.linkHit);
  EXPECT_EQ(hit.anchor, "x");
  EXPECT_EQ(hit.mouseLink, 1);
  EXPECT_EQ(hit.hoverRect, (Rect{19, 0, 43, 12}));
  EXPECT_EQ(hit.linkCount, 2);
  EXPECT_TRUE(canvas.NothingDrawn()) << "a hit test draws nothing";
  const RenderResult quoteless = HitTest(kText, 76, 6);
  EXPECT_TRUE(quoteless.linkHit);
  EXPECT_EQ(quoteless.anchor, "");
  EXPECT_EQ(quoteless.mouseLink, 2);

  for (const auto& [x, y] : {std::pair{10, 6}, std::pair{50, 6}, std::pair{30, 20}}) {
    const RenderResult miss = HitTest(kText, x, y);
    EXPECT_FALSE(miss.linkHit) << x << "," << y;
    EXPECT_EQ(miss.anchor, "") << x << "," << y;
    EXPECT_EQ(miss.mouseLink, -1) << x << "," << y;
  }
  const RenderResult measured = Render("<A>a</A><BR><A>b</A>", [](auto& args) {
    args.calcOnly = true;
    args.bounds.bottom = 5;
  });
  EXPECT_EQ(measured.linkCount, 2) << "measuring counts the links of the whole text";
  EXPECT_EQ(measured.plainText, "a\rb");
}

TEST_F(MiniHtmlTest, ALinkIsFoundWhereItIsDrawnAndFramedOnTheLineWhereItEnds) {
  for (const int y : {6, 18}) {
    const RenderResult hit = HitTest("<A href=\"y\">one two</A>", 5, y, Narrow);
    EXPECT_EQ(hit.anchor, "y") << y;
    EXPECT_EQ(hit.mouseLink, 1) << y;
    EXPECT_EQ(hit.hoverRect, (Rect{1, 12, 19, 24})) << y;
  }
  constexpr std::string_view kRight = "<P align=\"right\">go <A href=\"r\">there</A>";
  const RenderResult hit = HitTest(kRight, 280, 6);
  EXPECT_EQ(hit.anchor, "r");
  EXPECT_EQ(hit.hoverRect, (Rect{270, 0, 300, 12}));
  const RenderResult whereItWouldBeUnaligned = HitTest(kRight, 25, 6);
  EXPECT_FALSE(whereItWouldBeUnaligned.linkHit);
  EXPECT_EQ(whereItWouldBeUnaligned.mouseLink, -1);
}

TEST_F(MiniHtmlTest, AnImageLinkIsHitOnlyStrictlyInsideTheImageInAnyCall) {
  const ImageListId images = canvas.AddImageList(1, {16, 16});  // at x 1..17, y 0..16
  const auto at = [&](int x, int y, bool checkAnchor) {
    return Render("<A href=\"pic\"><IMG src=\"idx:0\"></A>", [&](RenderArgs& args) {
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

TEST_F(MiniHtmlTest, TheFocusedLinkIsFramedPerLineAndNamed) {
  const RenderResult result = Render("a <A href=\"1\">b</A> <A href=\"2\">cc</A>",
                                     [](RenderArgs& args) { args.focusLink = 1; });
  EXPECT_THAT(canvas.focusRects, ElementsAre(Rect{24, 0, 38, 12}));
  EXPECT_EQ(result.focusAnchor, "2");

  canvas.ClearRecords();
  Render("<A href=\"f\">one two</A></A>", [](RenderArgs& args) {
    Narrow(args);
    args.focusLink = 0;
  });
  EXPECT_THAT(canvas.focusRects, ElementsAre(Rect{0, 0, 26, 12}, Rect{1, 12, 20, 24}))
      << "a second closing tag frames nothing again";
}

TEST_F(MiniHtmlTest, LinksAreStyledAndHoverStylingFollowsTheHoveredLink) {
  constexpr std::string_view kText = "<A href=\"a\">one</A> <A href=\"b\">two</A> after";
  Render(kText);
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("one", " ", "two", " ", "after"));
  EXPECT_EQ(canvas.runs[0].font, (FontState{"MS Sans Serif", 8, clBlue, kUnderline}));
  EXPECT_EQ(canvas.runs[4].font, (FontState{"MS Sans Serif", 8, clBlack, 0}));

  canvas.ClearRecords();
  Render(kText, [](RenderArgs& args) {
    args.hoverOnly = true;
    args.hoverLink = 2;
    args.hoverColor = 0x00FFFF;
    args.hoverFontColor = 0x0000FF;
  });
  EXPECT_EQ(canvas.runs[0].font, (FontState{"MS Sans Serif", 8, clBlue, 0}));
  EXPECT_EQ(canvas.runs[0].background, clNone);
  EXPECT_EQ(canvas.runs[2].font, (FontState{"MS Sans Serif", 8, 0x0000FF, kUnderline}));
  EXPECT_EQ(canvas.runs[2].background, 0x00FFFFu);
  EXPECT_EQ(canvas.runs[4].font.color, clBlack);
  EXPECT_EQ(canvas.runs[4].background, clNone);
}

TEST_F(MiniHtmlTest, ASelectedTextKeepsItsColoursWhateverTheTagsSay) {
  constexpr std::string_view kText = "<FONT color=\"clred\" bgcolor=\"#00FFFF\">x</FONT><A>l</A>";
  Render(kText);
  EXPECT_EQ(canvas.runs[0].font.color, clRed);
  EXPECT_EQ(canvas.runs[0].background, 0xFFFF00u);
  EXPECT_EQ(canvas.runs[1].font.color, clBlue);
  canvas.ClearRecords();
  Render(kText, [](RenderArgs& args) { args.selected = true; });
  EXPECT_EQ(canvas.runs[0].font.color, clBlack);
  EXPECT_EQ(canvas.runs[0].background, clNone);
  EXPECT_EQ(canvas.runs[1].font, (FontState{"MS Sans Serif", 8, clBlack, kUnderline}));
}

// The fixed-metric surface: 6 pixels a character, whatever its bytes.
TEST_F(MiniHtmlTest, MultiByteTextIsMeasuredCutAndHitByCharacters) {
  // Nine characters of 2, 3 and 4 bytes: 54 pixels, not 6 a byte.
  const std::string word =  // "Привет日本" and an emoji
      "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\xE6\x97\xA5\xE6\x9C\xAC\xF0\x9F\x98\x80";
  EXPECT_EQ(Render(word).textWidth, 54);

  // Without word wrap the run is cut with "..." at 40 pixels: three whole
  // characters and the dots.
  canvas.ClearRecords();
  Render(word, [](RenderArgs& args) {
    args.bounds = {0, 0, 37, 200};
    args.wordWrap = false;
  });
  ASSERT_EQ(canvas.runs.size(), 1u);
  EXPECT_EQ(canvas.runs[0].shown, "\xD0\x9F\xD1\x80\xD0\xB8...");

  // A prefix underlines the whole character after it.
  canvas.ClearRecords();
  Render("a&\xE6\x97\xA5z");
  EXPECT_EQ(canvas.runs[0].shown, "a\xE6\x97\xA5z");
  EXPECT_EQ(canvas.runs[0].underlined, 1);

  // The link after six Cyrillic letters (36 pixels) starts at x = 37.
  const std::string linked =
      "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82<A href=\"\xE6\x97\xA5\">ab</A>";
  EXPECT_EQ(HitTest(linked, 40, 6).anchor, "\xE6\x97\xA5");
  EXPECT_EQ(HitTest(linked, 30, 6).anchor, "") << "over the letters, not the link";
}

}  // namespace
}  // namespace quillmere::richtext
