#include <gtest/gtest.h>

#include "common/IniText.h"

namespace quillmere {
namespace {

TEST(IniText, ValuesAreFoundInTheirOwnSectionWhateverTheCase) {
  const char* text = "[One]\r\nTop = 5\r\nLeft=6\n[Two]\r\ntop=7\r\n";
  EXPECT_EQ(IniValue(text, "one", "TOP"), "5");
  EXPECT_EQ(IniValue(text, "Two", "Top"), "7");
  EXPECT_EQ(IniValue(text, "Two", "Left"), std::nullopt);
  EXPECT_EQ(IniValue(text, "Three", "Top"), std::nullopt);
}

TEST(IniText, AValueIsReplacedWhereItStandsOrAddedToItsSection) {
  const char* text = "; note\r\n[One]\r\nTop=5\r\n\r\n[Two]\r\nTop=7\r\n";
  EXPECT_EQ(WithIniValue(text, "one", "top", "9"),
            "; note\r\n[One]\r\ntop=9\r\n\r\n[Two]\r\nTop=7\r\n");
  EXPECT_EQ(WithIniValue(text, "One", "Left", "3"),
            "; note\r\n[One]\r\nTop=5\r\nLeft=3\r\n\r\n[Two]\r\nTop=7\r\n");
  EXPECT_EQ(WithIniValue("", "New", "Top", "1"), "[New]\r\nTop=1\r\n");
}

}  // namespace
}  // namespace quillmere
