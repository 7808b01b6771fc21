#include <gtest/gtest.h>

#include "richtext/Color.h"
#include "richtext/Entities.h"
#include "richtext/Markup.h"

namespace quillmere::richtext {
namespace {

TEST(RichTextMarkup, ColoursMatchWholeLowerCaseNamesAndReadHexPairsRedFirst) {
  EXPECT_EQ(ColorFromName("cl3ddkshadow"), SystemColor(21));
  EXPECT_EQ(ColorFromName("clRed"), clBlack) << "names arrive in lower case";
  EXPECT_EQ(ColorFromName("purple"), clBlack);
  EXPECT_EQ(ColorFromHex("#FF8000"), 0x0080FFu);
  EXPECT_EQ(ColorFromHex("#12"), 0x12u) << "pairs cut short give 0";
  EXPECT_EQ(ColorFromHex("#1"), 0u);
}

TEST(RichTextMarkup, NumbersReadAsFarAsTheyAreDigits) {
  const std::pair<std::string_view, int> read[] = {
      {"18\"", 18},
      {"  -7px", -7},
      {"+5", 5},
      {"$1F", 31},
      {"0x10", 16},
      {"x10", 16},
      {"abc", 0},
      {"99999999999999999999", kLargestMarkupNumber},
      {"-99999999999999999999", -kLargestMarkupNumber}};
  for (const auto& [text, value] : read) EXPECT_EQ(ReadNumber(text), value) << text;
  EXPECT_EQ(ReadWholeNumber(" 12"), 12);
  for (const std::string_view no : {"12a", "", "-"}) EXPECT_EQ(ReadWholeNumber(no), std::nullopt);
}

TEST(RichTextMarkup, AttributeValuesAreTheNextQuotedTextAfterTheName) {
  EXPECT_EQ(AttributeValue("<A HREF=\"x\" TITLE=\"y\">", "title"), "y");
  EXPECT_EQ(AttributeValue("<IMG SRC=ABC>", "SRC"), "");
  EXPECT_EQ(AttributeValue("<IMG SRC=\"ABC>", "SRC"), "");
  EXPECT_EQ(QuotedValue("<A x y=\"\">"), "");
}

TEST(RichTextMarkup, EntitiesTheFirstMarkerAndLineBreaksArePreparedBeforeLayout) {
  EXPECT_EQ(PrepareMarkup("a&AMP;b&quot;&sect;&permil;&reg;&copy;&para;&trade;&euro;"),
            "a&&b\"\xC2\xA7\xE2\x80\xB0\xC2\xAE\xC2\xA9\xC2\xB6\xE2\x84\xA2\xE2\x82\xAC");
  EXPECT_EQ(PrepareMarkup("&amp;amp;"), "&&&") << "replaced until nothing more is replaced";
  EXPECT_EQ(PrepareMarkup("a<#b>c<#d>"), "a#bc<#d>");
  EXPECT_EQ(PrepareMarkup("<#x"), "#x");
  EXPECT_EQ(PrepareMarkup("x\r\ny\nz\r"), "x<BR>yz<BR>");
  EXPECT_EQ(RunText("&nbsp;&lt;&gt;&LT;"), " <>&LT;");
}

}  // namespace
}  // namespace quillmere::richtext
