// Text in UTF-8 whatever its script: conversion to and from UTF-16 that keeps a
// name's real units, characters never cut in two, letter case beyond ASCII, and
// the engine measuring, cutting and hit-testing characters, not bytes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/FuncUnit.h"
#include "cookies/CookieKeepList.h"
#include "cookies/CookieRow.h"
#include "platform/RegionalFormat.h"
#include "platform/Utf8.h"
#include "richtext/Markup.h"
#include "tests/native/MiniHtmlFixture.h"

namespace quillmere {
namespace {

// "Привет" (two bytes a letter), "日本" (three), an emoji (four).
constexpr std::string_view kRussian = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
constexpr std::string_view kJapanese = "\xE6\x97\xA5\xE6\x9C\xAC";
constexpr std::string_view kEmoji = "\xF0\x9F\x98\x80";

TEST(Utf8Text, Utf16RoundTripsWholeEvenWithAnUnpairedSurrogate) {
  const std::u16string units = {u'a', 0x0416, 0xD83D, 0xDE00, 0xD800, u'.', 0xDC01};
  const std::string wtf8 = NarrowUtf16(units);
  EXPECT_EQ(wtf8, "a\xD0\x96\xF0\x9F\x98\x80\xED\xA0\x80.\xED\xB0\x81");
  EXPECT_EQ(WidenUtf8(wtf8), units) << "the real name comes back for the system";
  EXPECT_EQ(ValidUtf8(wtf8),
            "a\xD0\x96\xF0\x9F\x98\x80\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD."
            "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD")
      << "for people, each byte of a lone surrogate is a replacement character";
  // Cut sequences, overlong forms and bytes that start nothing.
  EXPECT_EQ(ValidUtf8("\xC3\x28 \xC0\xAF \xE6\x97 \xFF"),
            "\xEF\xBF\xBD( \xEF\xBF\xBD\xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD \xEF\xBF\xBD");
}

TEST(Utf8Text, CutsFallBetweenCharactersNeverInsideOne) {
  const std::string text = std::string("a") + std::string(kJapanese) + std::string(kEmoji);
  EXPECT_EQ(CharacterCount(text), 4u);
  for (std::size_t bytes = 0; bytes <= text.size(); ++bytes) {
    const std::string_view prefix = PrefixWithin(text, bytes);
    EXPECT_LE(prefix.size(), bytes);
    EXPECT_EQ(ValidUtf8(prefix), prefix) << bytes << " bytes";
  }
  EXPECT_EQ(FirstCharacters(text, 2), PrefixWithin(text, 6));

  std::string tail(kRussian);
  CutTail(tail, 2);
  EXPECT_EQ(tail, kRussian.substr(0, 8)) << "two letters, four bytes";

  // The "Address" holds 260 characters: here 520 bytes, no letter cut.
  std::string url = "Cookie:user@";
  for (int i = 0; i < 300; ++i) url += "\xD0\x96";
  const std::string address = CookieAddress(url);
  EXPECT_EQ(CharacterCount(address), kMaxAddressLength);
  EXPECT_EQ(ValidUtf8(address), address);
}

TEST(Utf8Text, LetterCaseFoldsLatinGreekAndCyrillicAndLeavesTheRestAlone) {
  EXPECT_EQ(UpperCaseUtf8("z\xC3\xAB \xC5\x82ukasz \xCE\xB1\xCF\x82 \xD0\xBF\xD1\x91"),
            "Z\xC3\x8B \xC5\x81UKASZ \xCE\x91\xCE\xA3 \xD0\x9F\xD0\x81");
  EXPECT_EQ(LowerCaseUtf8("Z\xC3\x8B \xC5\x81UKASZ \xCE\x91 \xD0\x9F\xD0\x81"),
            "z\xC3\xAB \xC5\x82ukasz \xCE\xB1 \xD0\xBF\xD1\x91");
  const std::string untouched = std::string(kJapanese) + std::string(kEmoji) + "\xFF\xED\xA0\x80";
  EXPECT_EQ(UpperCaseUtf8(untouched), untouched);
  // The picture cache keys a source by its upper-cased text.
  EXPECT_EQ(richtext::UpperCase("file://c:\\bilder\\\xC3\xA4rger.gif"),
            richtext::UpperCase("FILE://C:\\BILDER\\\xC3\x84RGER.GIF"));
}

TEST(Utf8Text, TheKeepListTakesDomainsInAnyScriptAndCase) {
  const std::string bucher =
      "b\xC3\xBC"
      "cher";  // "bücher"
  CookieKeepList keep;
  EXPECT_TRUE(keep.Add(UpperCaseUtf8(bucher) + ".DE"));
  EXPECT_FALSE(keep.Add("bad\xFF.de")) << "no character at all";
  const auto keeps = [&](const std::string& host) {
    return keep.Keeps(
        {.sourceUrl = "Cookie:zo\xC3\xAB@" + host + "/", .entryType = kCookieCacheEntry});
  };
  EXPECT_TRUE(keeps("www." + bucher + ".de"));
  EXPECT_FALSE(keeps(bucher + ".com"));
}

TEST(Utf8Text, RegionalTextsInOtherScriptsReadBack) {
  // Japanese: the markers before the time, in three bytes a letter.
  const RegionalPictures japan{"yyyy/MM/dd", "tt h:mm:ss", "\xE5\x8D\x88\xE5\x89\x8D",
                               "\xE5\x8D\x88\xE5\xBE\x8C"};
  const CalendarTime t{2026, 3, 4, 15, 6, 7};
  const std::string text = FormatDatePicture(japan, t) + " " + FormatTimePicture(japan, t);
  EXPECT_EQ(text, "2026/03/04 \xE5\x8D\x88\xE5\xBE\x8C 3:06:07");
  EXPECT_EQ(ParseWithPictures(japan, text), t);
  // One "t" is the marker's first character, whole.
  const RegionalPictures shortMarker{"yyyy/MM/dd", "H:mm t", "\xE5\x8D\x88\xE5\x89\x8D", ""};
  EXPECT_EQ(FormatTimePicture(shortMarker, {2026, 1, 1, 9, 5, 0}), "9:05 \xE5\x8D\x88");
  // A separator of several bytes after the hours.
  const RegionalPictures hours{"yyyy/MM/dd", "H\xE6\x99\x82mm\xE6\x99\x82ss", "", ""};
  EXPECT_EQ(ParseWithPictures(hours,
                              "2026/03/04 15\xE6\x99\x82"
                              "06\xE6\x99\x82"
                              "07"),
            t);
}

}  // namespace

namespace richtext {
namespace {

// The fixed-metric surface: 6 pixels a character, whatever its bytes.
TEST_F(MiniHtmlTest, MultiByteTextIsMeasuredCutAndHitByCharacters) {
  // Nine characters of 2, 3 and 4 bytes: 54 pixels, not 6 a byte.
  const std::string word = std::string(kRussian) + std::string(kJapanese) + std::string(kEmoji);
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
  const std::string linked = std::string(kRussian) + "<A href=\"\xE6\x97\xA5\">ab</A>";
  EXPECT_EQ(HitTest(linked, 40, 6).anchor, "\xE6\x97\xA5");
  EXPECT_EQ(HitTest(linked, 30, 6).anchor, "") << "over the letters, not the link";
}

}  // namespace
}  // namespace richtext
}  // namespace quillmere
