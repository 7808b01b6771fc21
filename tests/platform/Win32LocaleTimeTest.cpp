#include "platform/win32/Win32LocaleTime.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/FuncUnit.h"
#include "tests/fakes/FakeLocaleTime.h"

namespace quillmere::win32 {
namespace {

using quillmere::testing::FileTimeOf;

constexpr LCID kUnitedStates = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
constexpr LCID kGermany = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);

TEST(Win32LocaleTime, FormatsTheShortDateAndLongTimeOfTheLocale) {
  const CalendarTime t{2026, 12, 8, 14, 4, 30};
  const Win32LocaleTime us(kUnitedStates);
  EXPECT_EQ(us.FormatShortDate(t), "12/8/2026");
  EXPECT_EQ(us.FormatLongTime(t), "2:04:30 PM");
  const Win32LocaleTime de(kGermany);
  EXPECT_THAT(*de.FormatShortDate(t), ::testing::MatchesRegex("0?8\\.12\\.2026"));
  EXPECT_EQ(de.FormatLongTime(t), "14:04:30");
}

TEST(Win32LocaleTime, ReadsBackItsOwnTexts) {
  const CalendarTime t{2031, 7, 19, 23, 59, 58};
  for (const LCID lcid : {kUnitedStates, kGermany}) {
    const Win32LocaleTime locale(lcid);
    const std::string text = *locale.FormatShortDate(t) + " " + *locale.FormatLongTime(t);
    EXPECT_EQ(locale.ParseDateTime(text), t) << text;
  }
}

TEST(Win32LocaleTime, TheFallbackReadsOnlyWhereMonthsComeFirst) {
  EXPECT_TRUE(Win32LocaleTime(kUnitedStates).ParseDateTime(kFallbackDateText));
  EXPECT_FALSE(Win32LocaleTime(kGermany).ParseDateTime(kFallbackDateText));
}

TEST(Win32LocaleTime, PacksOnlyTheYears1980To2107) {
  const Win32LocaleTime locale;
  EXPECT_FALSE(locale.ToDosDateTime(0));
  EXPECT_FALSE(locale.ToDosDateTime(FileTimeOf({1979, 12, 31, 23, 59, 59})));
  EXPECT_FALSE(locale.ToDosDateTime(FileTimeOf({2108, 1, 1, 0, 0, 0})));
  EXPECT_FALSE(locale.ToDosDateTime(FileTimeOf({2200, 1, 1, 0, 0, 0})));
  const auto packed = locale.ToDosDateTime(FileTimeOf({2026, 12, 8, 14, 4, 31}));
  ASSERT_TRUE(packed);
  EXPECT_EQ(packed->date, ((2026 - 1980) << 9) | (12 << 5) | 8);
  EXPECT_EQ(packed->time, (14 << 11) | (4 << 5) | 15);
}

// The test run sets the user's locale to American English; the texts follow it.
TEST(Win32LocaleTime, FileTimeToTextUsesTheUsersRegionalFormats) {
  const Win32LocaleTime locale;
  const FileTime localNoon = FileTimeOf({2026, 12, 8, 12, 0, 37});
  const auto shift = static_cast<std::int64_t>(*locale.ToLocalFileTime(localNoon)) -
                     static_cast<std::int64_t>(localNoon);
  const auto utcOf = [&](const CalendarTime& local) {
    return static_cast<FileTime>(static_cast<std::int64_t>(FileTimeOf(local)) - shift);
  };
  EXPECT_EQ(FileTimeToText(locale, utcOf({2026, 12, 8, 12, 0, 37})), "12/8/2026 12:00:36 PM");
  EXPECT_EQ(FileTimeToText(locale, utcOf({2026, 12, 8, 0, 0, 0})), "12/8/2026");
  EXPECT_EQ(FileTimeToText(locale, 0), kFallbackDateText);
  EXPECT_EQ(CompareDateTexts(locale, "12/8/2026 12:00:36 PM", "12/8/2026"), 1);
}

}  // namespace
}  // namespace quillmere::win32
