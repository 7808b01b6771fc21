// Text in UTF-8 whatever its script: conversion to and from UTF-16 that keeps a
// name's real units, characters never cut in two, letter case beyond ASCII, and
// regional texts in other scripts read back.
#include <gtest/gtest.h>

#include "platform/RegionalFormat.h"
#include "platform/Utf8.h"

namespace quillmere {
namespace {

// "日本" (three bytes a letter), an emoji (four).
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
}

TEST(Utf8Text, LetterCaseFoldsLatinGreekAndCyrillicAndLeavesTheRestAlone) {
  EXPECT_EQ(UpperCaseUtf8("z\xC3\xAB \xC5\x82ukasz \xCE\xB1\xCF\x82 \xD0\xBF\xD1\x91"),
            "Z\xC3\x8B \xC5\x81UKASZ \xCE\x91\xCE\xA3 \xD0\x9F\xD0\x81");
  EXPECT_EQ(LowerCaseUtf8("Z\xC3\x8B \xC5\x81UKASZ \xCE\x91 \xD0\x9F\xD0\x81"),
            "z\xC3\xAB \xC5\x82ukasz \xCE\xB1 \xD0\xBF\xD1\x91");
  const std::string untouched = std::string(kJapanese) + std::string(kEmoji) + "\xFF\xED\xA0\x80";
  EXPECT_EQ(UpperCaseUtf8(untouched), untouched);
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
}  // namespace quillmere
