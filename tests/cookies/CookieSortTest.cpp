#include "cookies/CookieSort.h"

#include <gtest/gtest.h>

#include "common/Errors.h"
#include "tests/fakes/FakeLocaleTime.h"

namespace quillmere {
namespace {

using testing::FakeLocaleTime;

enum Column { Address, Hits, Modified, Expires, FullAddress };

TEST(SortColumn, ASecondClickReversesAndANewColumnStartsAscending) {
  int sort = 0;
  sort = NextSortColumn(sort, Hits);
  EXPECT_EQ(sort, 2);
  sort = NextSortColumn(sort, Hits);
  EXPECT_EQ(sort, -2);
  sort = NextSortColumn(sort, Hits);
  EXPECT_EQ(sort, 2);
  sort = NextSortColumn(NextSortColumn(sort, Expires), Expires);
  EXPECT_EQ(sort, -4);
  EXPECT_EQ(NextSortColumn(sort, Modified), 3);
  EXPECT_EQ(NextSortColumn(0, Address), 1);
  EXPECT_EQ(SortedCell(-5), FullAddress);
  EXPECT_EQ(SortedCell(1), Address);
  EXPECT_EQ(SortedCell(0), -1);
}

class CompareCookieCellsTest : public ::testing::Test {
 protected:
  int Compare(int sortColumn, std::string_view a, std::string_view b) {
    return CompareCookieCells(locale, sortColumn, a, b);
  }
  FakeLocaleTime locale;
};

TEST_F(CompareCookieCellsTest, AddressesFollowTheLocaleNotTheCharacterCodes) {
  EXPECT_EQ(Compare(1, "apple.test", "Banana.test"), -1);  // 'B' < 'a' by code
  EXPECT_EQ(Compare(1, "Banana.test", "apple.test"), 1);
  EXPECT_EQ(Compare(1, "same.test", "same.test"), 0);
  EXPECT_EQ(Compare(-1, "apple.test", "Banana.test"), 1);
  EXPECT_EQ(Compare(5, "Cookie:a@x.test/", "Cookie:b@a.test/"), -1);
  EXPECT_EQ(Compare(-5, "Cookie:a@x.test/", "Cookie:b@a.test/"), 1);
}

TEST_F(CompareCookieCellsTest, HitsCompareAsNumbers) {
  EXPECT_EQ(Compare(2, "9", "10"), -1);  // "9" > "10" as text
  EXPECT_EQ(Compare(2, "10", "9"), 1);
  EXPECT_EQ(Compare(2, "7", "7"), 0);
  EXPECT_EQ(Compare(-2, "9", "10"), 1);
  EXPECT_EQ(Compare(2, "-3", "2147483647"), -1);
}

TEST_F(CompareCookieCellsTest, AHitsTextThatIsNoSigned32BitNumberIsAnError) {
  for (const char* bad : {"2147483648", "4294967295", "12x", " 5"}) {
    try {
      Compare(2, bad, "1");
      ADD_FAILURE() << bad;
    } catch (const ConvertError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

// A browser's rows have no hit count, and its session cookies no expiry.
TEST_F(CompareCookieCellsTest, AnEmptyFigureOrDateComesFirst) {
  for (const int column : {2, 3, 4}) {
    const char* figure = column == 2 ? "0" : "1/1/1980";
    EXPECT_EQ(Compare(column, "", figure), -1) << column;
    EXPECT_EQ(Compare(column, figure, ""), 1) << column;
    EXPECT_EQ(Compare(-column, "", figure), 1) << column;
    EXPECT_EQ(Compare(column, "", ""), 0) << column;
  }
}

TEST_F(CompareCookieCellsTest, DatesCompareAsPointsInTime) {
  EXPECT_EQ(Compare(3, "12/8/2026 2:04:30 PM", "12/8/2026 10:00:00 AM"), 1);  // text says -1
  EXPECT_EQ(Compare(4, "1/1/2030", "12/31/2029 11:59:58 PM"), 1);
  EXPECT_EQ(Compare(3, "12/8/2026 2:04:30 PM", "12/8/2026 2:04:30 PM"), 0);
  EXPECT_EQ(Compare(-4, "1/1/2030", "12/31/2029 11:59:58 PM"), -1);
  EXPECT_EQ(Compare(4, "01/01/80 12:00:00 AM", "1/1/1980"), 0);  // the fallback text reads back
  EXPECT_THROW(Compare(4, "soon", "1/1/2030"), ConvertError);
}

TEST_F(CompareCookieCellsTest, NoSortedColumnComparesEqual) { EXPECT_EQ(Compare(0, "b", "a"), 0); }

}  // namespace
}  // namespace quillmere
