#include "platform/RegionalFormat.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

const RegionalPictures kUnitedStates{};
const RegionalPictures kGermany{"dd.MM.yyyy", "HH:mm:ss", "", ""};

TEST(RegionalFormat, WritesNumericPicturesWithAndWithoutLeadingZeros) {
  const CalendarTime t{2026, 3, 7, 14, 5, 9};
  EXPECT_EQ(FormatDatePicture(kUnitedStates, t), "3/7/2026");
  EXPECT_EQ(FormatTimePicture(kUnitedStates, t), "2:05:09 PM");
  EXPECT_EQ(FormatDatePicture(kGermany, t), "07.03.2026");
  EXPECT_EQ(FormatTimePicture(kGermany, t), "14:05:09");
  EXPECT_EQ(FormatDatePicture({"yy'-'MM", "", "", ""}, t), "26-03");
}

TEST(RegionalFormat, TwelveHourClockNamesMidnightAndNoonTwelve) {
  EXPECT_EQ(FormatTimePicture(kUnitedStates, {2026, 1, 1, 0, 0, 0}), "12:00:00 AM");
  EXPECT_EQ(FormatTimePicture(kUnitedStates, {2026, 1, 1, 12, 30, 0}), "12:30:00 PM");
}

TEST(RegionalFormat, ReadsBackWhatItWrites) {
  for (const RegionalPictures& pictures : {kUnitedStates, kGermany}) {
    for (const CalendarTime t :
         {CalendarTime{1980, 1, 1, 0, 0, 0}, CalendarTime{2107, 12, 31, 23, 59, 58},
          CalendarTime{2024, 2, 29, 12, 0, 0}, CalendarTime{2001, 10, 5, 0, 0, 1}}) {
      const std::string text =
          FormatDatePicture(pictures, t) + " " + FormatTimePicture(pictures, t);
      EXPECT_EQ(ParseWithPictures(pictures, text), t) << text;
    }
  }
}

TEST(RegionalFormat, ReadsDatesThatEndInTextAndTimesThatStartWithTheirMarker) {
  const RegionalPictures hungarian{"yyyy. MM. dd.", "H:mm:ss", "de.", "du."};
  const RegionalPictures korean{"yyyy-MM-dd", "tt h:mm:ss", "AM", "PM"};
  const RegionalPictures bulgarian{"d.M.yyyy 'g.'", "H:mm:ss", "", ""};
  const CalendarTime t{2026, 12, 8, 14, 4, 30};
  for (const RegionalPictures& pictures : {hungarian, korean, bulgarian}) {
    const std::string text = FormatDatePicture(pictures, t) + " " + FormatTimePicture(pictures, t);
    EXPECT_EQ(ParseWithPictures(pictures, text), t) << text;
    EXPECT_EQ(ParseWithPictures(pictures, FormatDatePicture(pictures, t)),
              (CalendarTime{2026, 12, 8}));
  }
  EXPECT_EQ(FormatTimePicture(korean, t), "PM 2:04:30");
  EXPECT_EQ(FormatDatePicture(hungarian, t), "2026. 12. 08.");
}

TEST(RegionalFormat, ReadsTheFallbackTextOnlyWhereTheFormatsAcceptIt) {
  EXPECT_EQ(ParseWithPictures(kUnitedStates, "01/01/80 12:00:00 AM"),
            (CalendarTime{1980, 1, 1, 0, 0, 0}));
  EXPECT_EQ(ParseWithPictures(kGermany, "01/01/80 12:00:00 AM"), std::nullopt);
}

TEST(RegionalFormat, TwoDigitYearsFallInTheHundredYearsFrom1950) {
  EXPECT_EQ(ParseWithPictures(kUnitedStates, "6/1/49")->year, 2049);
  EXPECT_EQ(ParseWithPictures(kUnitedStates, "6/1/50")->year, 1950);
}

TEST(RegionalFormat, ADateAloneIsMidnightAndMinutesAloneLeaveSecondsZero) {
  EXPECT_EQ(ParseWithPictures(kUnitedStates, "  12/24/2026  "), (CalendarTime{2026, 12, 24}));
  EXPECT_EQ(ParseWithPictures(kGermany, "24.12.2026 18:30"),
            (CalendarTime{2026, 12, 24, 18, 30, 0}));
  EXPECT_EQ(ParseWithPictures(kUnitedStates, "12/24/2026 6:30pm"),
            (CalendarTime{2026, 12, 24, 18, 30, 0}));
}

TEST(RegionalFormat, RejectsTextsThatNameNoMoment) {
  for (const char* text : {"", "abc", "2/30/2026", "13/1/2026", "1/1/2026 25:00:00",
                           "1/1/2026 0:00:00 AM", "1/1/2026 10:61", "1/1/2026 10:00:00 XM",
                           "1-1-2026", "1/1", "1/1/2026 10:00 AM trailing"}) {
    EXPECT_EQ(ParseWithPictures(kUnitedStates, text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace quillmere
