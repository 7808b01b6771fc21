#include "common/FuncUnit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/Errors.h"
#include "tests/fakes/FakeLocaleTime.h"
#include "tests/fakes/FakeShell.h"

namespace quillmere {
namespace {

using testing::FakeLocaleTime;
using testing::FakeShell;
using testing::FileTimeOf;

class FileTimeToTextTest : public ::testing::Test {
 protected:
  FakeLocaleTime locale;
};

TEST_F(FileTimeToTextTest, ShowsTheLocalDateAndTime) {
  locale.utcOffsetMinutes = -5 * 60;
  EXPECT_EQ(FileTimeToText(locale, FileTimeOf({2026, 12, 8, 19, 4, 30})), "12/8/2026 2:04:30 PM");
}

TEST_F(FileTimeToTextTest, MidnightLocalTimeShowsTheDateAlone) {
  locale.utcOffsetMinutes = 60;
  EXPECT_EQ(FileTimeToText(locale, FileTimeOf({2026, 6, 30, 23, 0, 0})), "7/1/2026");
  EXPECT_EQ(FileTimeToText(locale, FileTimeOf({2026, 6, 30, 23, 0, 2})), "7/1/2026 12:00:02 AM");
}

TEST_F(FileTimeToTextTest, OddSecondsShowAsTheEvenSecondBelow) {
  EXPECT_EQ(FileTimeToText(locale, FileTimeOf({2001, 2, 3, 4, 5, 37})), "2/3/2001 4:05:36 AM");
  EXPECT_EQ(FileTimeToText(locale, FileTimeOf({2001, 2, 3, 4, 5, 59}) + 9'999'999),
            "2/3/2001 4:05:58 AM");
}

TEST_F(FileTimeToTextTest, TimesOutsideThePackedRangeGiveTheFallback) {
  EXPECT_EQ(FileTimeToText(locale, 0), kFallbackDateText);
  EXPECT_EQ(FileTimeToText(locale, FileTimeOf({1979, 12, 31, 23, 59, 59})), kFallbackDateText);
  EXPECT_EQ(FileTimeToText(locale, FileTimeOf({2200, 1, 1, 12, 0, 0})), kFallbackDateText);
  EXPECT_EQ(FileTimeToText(locale, FileTimeOf({1980, 1, 1, 0, 0, 0})), "1/1/1980");
  EXPECT_EQ(FileTimeToText(locale, FileTimeOf({2107, 12, 31, 23, 59, 58})),
            "12/31/2107 11:59:58 PM");
}

TEST_F(FileTimeToTextTest, AnUnconvertibleOrUnformattableTimeGivesTheFallback) {
  locale.utcOffsetMinutes = -60;
  EXPECT_EQ(FileTimeToText(locale, 0), kFallbackDateText);  // before the first file time
  locale.utcOffsetMinutes = 0;
  locale.formatFails = true;
  EXPECT_EQ(FileTimeToText(locale, FileTimeOf({2020, 5, 5, 5, 5, 6})), kFallbackDateText);
}

TEST_F(FileTimeToTextTest, FollowsTheRegionalPictures) {
  locale.pictures = {"dd.MM.yyyy", "HH:mm:ss", "", ""};
  EXPECT_EQ(FileTimeToText(locale, FileTimeOf({2026, 3, 4, 17, 8, 10})), "04.03.2026 17:08:10");
}

TEST_F(FileTimeToTextTest, DateTimeValuesShowTheSameWay) {
  EXPECT_EQ(DateTimeToText(locale, 45444 + 14.5 / 24), "6/1/2024 2:30:00 PM");
  EXPECT_EQ(DateTimeToText(locale, 45444), "6/1/2024");
  EXPECT_EQ(DateTimeToText(locale, 0), "12/30/1899");
  EXPECT_EQ(DateTimeToText(locale, -109512), "2/29/1600");
  EXPECT_EQ(DateTimeToText(locale, 45444 - 0.1 / 86400), "6/1/2024");  // rounds up to midnight
  EXPECT_THROW(DateTimeToText(locale, 1e300), ConvertError);
  EXPECT_THROW(DateTimeToText(locale, std::nan("")), ConvertError);
  locale.formatFails = true;
  EXPECT_THROW(DateTimeToText(locale, 45444), ConvertError);
}

TEST(TextHelpers, TrimTrailingSlashRemovesOneFinalSlash) {
  EXPECT_EQ(TrimTrailingSlash("example.com/"), "example.com");
  EXPECT_EQ(TrimTrailingSlash("example.com//"), "example.com/");
  EXPECT_EQ(TrimTrailingSlash("example.com/path"), "example.com/path");
  EXPECT_EQ(TrimTrailingSlash("/"), "");
  EXPECT_EQ(TrimTrailingSlash(""), "");
}

TEST(TextHelpers, CutTailShortensAtTheEndAndNeverPastTheStart) {
  std::string text = "Recycle Bin";
  CutTail(text, 4);
  EXPECT_EQ(text, "Recycle");
  CutTail(text, 0);
  EXPECT_EQ(text, "Recycle");
  CutTail(text, 100);
  EXPECT_EQ(text, "");
  // Characters, not bytes: "Привет" less two letters is four bytes shorter.
  std::string russian = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
  CutTail(russian, 2);
  EXPECT_EQ(russian, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2");
}

class CompareDateTextsTest : public ::testing::Test {
 protected:
  int Compare(std::string_view a, std::string_view b) { return CompareDateTexts(locale, a, b); }
  FakeLocaleTime locale;
};

TEST_F(CompareDateTextsTest, OrdersByMomentNotByText) {
  EXPECT_EQ(Compare("12/8/2026 2:04:30 PM", "12/8/2026 2:04:30 PM"), 0);
  EXPECT_EQ(Compare("9/1/2026", "10/1/2026"), -1);
  EXPECT_EQ(Compare("12/8/2026 1:00:00 PM", "12/8/2026 11:00:00 AM"), 1);
  EXPECT_EQ(Compare("12/8/2026", "12/8/2026 12:00:00 AM"), 0);
  EXPECT_EQ(Compare(kFallbackDateText, "1/1/1980"), 0);
}

TEST_F(CompareDateTextsTest, AnUnreadableTextIsAnErrorNamingIt) {
  try {
    Compare("12/8/2026", "not a date");
    FAIL() << "no error";
  } catch (const ConvertError& error) {
    EXPECT_STREQ(error.what(), "'not a date' is not a valid date and time");
  }
  EXPECT_THROW(Compare("", "12/8/2026"), ConvertError);
}

TEST_F(CompareDateTextsTest, TheFallbackDoesNotReadWhereDaysComeFirst) {
  locale.pictures = {"dd.MM.yyyy", "HH:mm:ss", "", ""};
  EXPECT_EQ(Compare("08.12.2026", "08.12.2026 00:00:00"), 0);
  EXPECT_THROW(Compare(kFallbackDateText, "08.12.2026"), ConvertError);
}

TEST(ShlwapiVersion, TakesTheMajorVersionOfShlwapi) {
  FakeShell shell;
  shell.version = DllVersionInfo{.major = 6, .minor = 0, .build = 2900};
  GetShlwapiVersion(shell);
  EXPECT_EQ(ShlwapiMajorVersion, 6u);
  EXPECT_EQ(shell.lastLibrary, "shlwapi.dll");
}

TEST(ShlwapiVersion, AFailedProbeLeavesZeroEvenAfterASuccess) {
  FakeShell shell;
  shell.version = DllVersionInfo{.major = 5};
  GetShlwapiVersion(shell);
  EXPECT_EQ(ShlwapiMajorVersion, 5u);
  shell.version.reset();
  GetShlwapiVersion(shell);
  EXPECT_EQ(ShlwapiMajorVersion, 0u);
}

}  // namespace
}  // namespace quillmere
