#include <gtest/gtest.h>

#include "richtext/Color.h"
#include "richtext/Entities.h"
#include "richtext/Markup.h"

namespace quillmere::richtext {
namespace {

TEST(RichTextColors, NamesMatchExactlyAndHexPairsReadRedFirst) {
  EXPECT_EQ(ColorFromName("cl3ddkshadow"), SystemColor(21));
  EXPECT_EQ(ColorFromName("clinfobk"), 0x80000018u);
  EXPECT_EQ(ColorFromName("clteal"), 0x808000u);
  EXPECT_EQ(ColorFromName("clRed"), clBlack) << "names arrive in lower case";
  EXPECT_EQ(ColorFromName("purple"), clBlack);
  EXPECT_EQ(ColorFromHex("#FF8000"), 0x0080FFu);
  EXPECT_EQ(ColorFromHex("#12"), 0x12u) << "pairs cut short give 0";
  EXPECT_EQ(ColorFromHex("#1"), 0u);
}

TEST(RichTextNumbers, ReadAsFarAsTheyAreDigits) {
  EXPECT_EQ(ReadNumber("18\""), 18);
  EXPECT_EQ(ReadNumber("  -7px"), -7);
  EXPECT_EQ(ReadNumber("+5"), 5);
  EXPECT_EQ(ReadNumber("$1F"), 31);
  EXPECT_EQ(ReadNumber("0x10"), 16);
  EXPECT_EQ(ReadNumber("x10"), 16);
  EXPECT_EQ(ReadNumber("abc"), 0);
  EXPECT_EQ(ReadNumber("99999999999999999999"), kLargestMarkupNumber);
  EXPECT_EQ(ReadNumber("-99999999999999999999"), -kLargestMarkupNumber);
  EXPECT_EQ(ReadWholeNumber(" 12"), 12);
  EXPECT_EQ(ReadWholeNumber("12a"), std::nullopt);
  EXPECT_EQ(ReadWholeNumber(""), std::nullopt);
  EXPECT_EQ(ReadWholeNumber("-"), std::nullopt);
}

TEST(RichTextAttributes, ValuesAreTheNextQuotedTextAfterTheName) {
  EXPECT_EQ(AttributeValue("<A HREF=\"x\" TITLE=\"y\">", "title"), "y");
  EXPECT_EQ(AttributeValue("<IMG SRC=ABC>", "SRC"), "");
  EXPECT_EQ(AttributeValue("<IMG SRC=\"ABC>", "SRC"), "");
  EXPECT_EQ(QuotedValue("<A x y=\"\">"), "");
}

TEST(RichTextEntities, NamedEntitiesMarkersAndLineBreaks) {
  EXPECT_EQ(PrepareMarkup("a&AMP;b&quot;&sect;&permil;&reg;&copy;&para;&trade;&euro;"),
            "a&&b\"\xA7\x89\xAE\xA9\xB6\x99\x80");
  EXPECT_EQ(PrepareMarkup("&amp;amp;"), "&&&") << "replaced until nothing more is replaced";
  EXPECT_EQ(PrepareMarkup("a<#b>c<#d>"), "a#bc<#d>");
  EXPECT_EQ(PrepareMarkup("<#x"), "#x");
  EXPECT_EQ(PrepareMarkup("x\r\ny\nz\r"), "x<BR>yz<BR>");
  EXPECT_EQ(RunText("&nbsp;&lt;&gt;&LT;"), " <>&LT;");
}

}  // namespace
}  // namespace quillmere::richtext
