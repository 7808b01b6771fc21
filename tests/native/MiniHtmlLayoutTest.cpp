#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "richtext/MiniHtml.h"
#include "tests/fakes/FakeSurface.h"

// The fake surface's 8-point base font: 6 pixels a character, 12 high. Lines
// start one pixel right of the bounds' left edge.

namespace quillmere::richtext {
namespace {

using ::testing::ElementsAre;
using testing::FakeSurface;

class MiniHtmlLayout : public ::testing::Test {
 protected:
  RenderResult Draw(std::string_view text, Rect bounds = {0, 0, 300, 200}, bool wordWrap = true) {
    RenderArgs args;
    args.text = text;
    args.bounds = bounds;
    args.wordWrap = wordWrap;
    return RenderMiniHTML(canvas, args);
  }

  std::vector<int> RunLefts() const {
    std::vector<int> lefts;
    for (const FakeSurface::Run& run : canvas.runs) lefts.push_back(run.rect.left);
    return lefts;
  }

  FakeSurface canvas;
};

TEST_F(MiniHtmlLayout, AnEmptyTextDrawsNothingAndIsOneLineHigh) {
  const RenderResult result = Draw("");
  EXPECT_EQ(result.textHeight, 12);
  EXPECT_EQ(result.textWidth, 0);
  EXPECT_EQ(canvas.drawCalls, 0);
}

TEST_F(MiniHtmlLayout, EntitiesAndPrefixesShowAsTheirCharacters) {
  Draw("a&amp;b <B>&File</B> &lt;B&gt; &copy;&euro;&nbsp;x");
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("a&b ", "File", " ", "<B> ", "\xA9\x80 x"));
  EXPECT_EQ(canvas.runs[1].underlined, 0);
  EXPECT_EQ(canvas.runs[1].font.style, kBold);
  EXPECT_EQ(canvas.runs[3].font.style, 0) << "an escaped tag is text";
  EXPECT_EQ(canvas.runs[0].underlined, -1);
}

TEST_F(MiniHtmlLayout, OnlyTheFirstMarkerShowsLiterally) {
  const RenderResult result = Draw("<#1> and <#2>", {0, 0, 300, 200}, false);
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("#1 and "));
  EXPECT_EQ(result.plainText, "#1 and ");
}

TEST_F(MiniHtmlLayout, CarriageReturnsBreakLinesAndLoneLineFeedsVanish) {
  Draw("one\r\ntwo");
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("one", "two"));
  EXPECT_EQ(canvas.runs[1].rect.top, 12);
  canvas.ClearRecords();
  const RenderResult joined = Draw("one\ntwo");
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("onetwo"));
  EXPECT_EQ(joined.textHeight, 12);
}

TEST_F(MiniHtmlLayout, WordWrapMovesTheWordThatDoesNotFitButNeverSplitsAtATag) {
  // 40 pixels of room: "alpha " (36) fits, "beta" (24) no longer does.
  const RenderResult wrapped = Draw("alpha beta", {0, 0, 41, 200});
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("alpha ", "beta"));
  EXPECT_EQ(canvas.runs[1].rect.top, 12);
  EXPECT_EQ(wrapped.textHeight, 24);
  EXPECT_EQ(wrapped.textWidth, 30) << "the trailing blank does not count";
  EXPECT_EQ(wrapped.plainText, "alpha beta") << "a wrapped word counts once";

  canvas.ClearRecords();
  const RenderResult joined = Draw("alpha<B>beta</B>", {0, 0, 41, 200});
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("alpha", "beta"));
  EXPECT_THAT(RunLefts(), ElementsAre(1, 31));
  EXPECT_EQ(joined.textHeight, 12);
}

TEST_F(MiniHtmlLayout, WithoutWordWrapALongLineEndsInAnEllipsisAndTheRestIsDropped) {
  const RenderResult result =
      Draw("abc defghij <B>klm</B> nop<BR>second line", {0, 0, 41, 200}, false);
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("abc...", "..."));
  EXPECT_TRUE(canvas.runs[0].endEllipsis);
  EXPECT_EQ(result.textHeight, 12);
  EXPECT_EQ(result.plainText, "abc defghij klm");
}

TEST_F(MiniHtmlLayout, TwoLineBreaksLeaveAnEmptyLineOfTheCurrentFont) {
  const RenderResult result = Draw("one<BR><BR>two");
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("one", "two"));
  EXPECT_EQ(canvas.runs[1].rect.top, 24);
  EXPECT_EQ(result.textHeight, 36);
  EXPECT_EQ(result.plainText, "one\r\rtwo");

  canvas.ClearRecords();
  EXPECT_EQ(Draw("<FONT size=\"18\">one<BR><BR>two").textHeight, 96);
}

TEST_F(MiniHtmlLayout, ParagraphAlignmentAndIndentLastUntilChanged) {
  Draw(
      "<P align=\"right\">ab</P>cd<BR>ef<P align=\"center\">gh</P><P align=\"left\" "
      "indent=\"10\">ij");
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("ab", "cd", "ef", "gh", "ij"));
  // Right: 300 - 12; centred: 1 + (299 - 24) / 2; left with the indent: 1 + 10.
  EXPECT_THAT(RunLefts(), ElementsAre(288, 288, 138, 150, 11));
}

TEST_F(MiniHtmlLayout, FontSizesFacesAndTheirEnd) {
  const RenderResult result = Draw(
      "<FONT size=\"3\">a</FONT>b<FONT size=\"18\">c</FONT><FONT size=\"5\"><FONT face=\"Arial\" "
      "size=\"2\">d</FONT>e</FONT>");
  ASSERT_EQ(canvas.runs.size(), 5u);
  EXPECT_EQ(canvas.runs[0].font.size, 12);
  EXPECT_EQ(canvas.runs[1].font.size, 8);
  EXPECT_EQ(canvas.runs[2].font.size, 18);
  EXPECT_EQ(canvas.runs[3].font.size, 10);
  EXPECT_EQ(canvas.runs[3].font.name, "ARIAL");
  EXPECT_EQ(canvas.runs[4].font.size, 8) << "a closing FONT returns to the base font";
  EXPECT_EQ(canvas.runs[4].font.name, "MS Sans Serif");
  EXPECT_THAT(RunLefts(), ElementsAre(1, 11, 17, 33, 41));
  EXPECT_EQ(result.textHeight, 32);
  EXPECT_EQ(canvas.Font().size, 8) << "the surface's font is put back";
}

TEST_F(MiniHtmlLayout, ListItemsTakeALineEachWithSymbolBulletsPerLevel) {
  EXPECT_EQ(Draw("<UL><LI>a<LI>bb</UL>").textWidth, 24) << "a second item on a line adds nothing";
  canvas.ClearRecords();
  Draw("<UL><LI>one<LI>two<UL><LI>deep</UL></UL>after");
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("\xB7", "one", "\xB7", "two", "o", "deep", "after"));
  EXPECT_THAT(RunLefts(), ElementsAre(1, 13, 1, 13, 13, 25, 49));
  EXPECT_EQ(canvas.runs[0].font.name, "Symbol");
  EXPECT_EQ(canvas.runs[1].font.name, "MS Sans Serif");
  EXPECT_EQ(canvas.runs[4].rect.top, 24);
}

TEST_F(MiniHtmlLayout, AWrappedWordBelongsWhollyToTheNextLine) {
  // "bb" in 18 points (32 wide, 32 high) no longer fits after "aaaa " (30 of 40).
  const RenderResult result = Draw("aaaa <FONT size=\"18\">bb</FONT>", {0, 0, 41, 200});
  ASSERT_THAT(canvas.ShownTexts(), ElementsAre("aaaa ", "bb"));
  EXPECT_EQ(canvas.runs[0].rect.bottom, 12);
  EXPECT_EQ(canvas.runs[1].rect.top, 12);
  EXPECT_EQ(result.textHeight, 44);
}

TEST_F(MiniHtmlLayout, StylesOpenAtALineEndCarryOnlyIntoTheNextLine) {
  const RenderResult result = Draw("aaa <Z>bbb<BR>ccc</Z> <SH>ddd<BR>eee</SH>");
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("aaa ", " ", "ddd", "ddd", "eee", "eee"));
  EXPECT_EQ(canvas.runs[0].font.color, clBlack);
  EXPECT_EQ(canvas.runs[2].font.color, clGray) << "the shadow comes first";
  EXPECT_EQ(result.plainText, "aaa bbb\rccc ddd\reee");
}

TEST_F(MiniHtmlLayout, HiddenTextTakesNoWidthButCountsForTextAndHeight) {
  const RenderResult result = Draw("a<Z>hid<FONT size=\"18\">den</FONT></Z>b");
  EXPECT_THAT(canvas.ShownTexts(), ElementsAre("a", "b"));
  EXPECT_THAT(RunLefts(), ElementsAre(1, 7));
  EXPECT_EQ(result.plainText, "ahiddenb");
  EXPECT_EQ(result.textHeight, 32);
  EXPECT_EQ(result.textWidth, 12);
}

}  // namespace
}  // namespace quillmere::richtext
