#include "common/LogLines.h"

#include <gtest/gtest.h>

#include <string>

namespace quillmere {
namespace {

LogLines Log(std::initializer_list<std::string_view> lines) {
  LogLines log;
  for (const std::string_view line : lines) log.Append(line);
  return log;
}

// What an assistive tool or a copy of everything reads is the memo's text: each
// line as given, in order, each ended by CR LF; equal and empty lines kept.
TEST(LogLines, TheTextIsEveryLineInOrderEachEndedAsAMemoEndsIt) {
  LogLines log = Log({"Deleted 2 Cookies", "Deleted 2 Cookies", "", "Zoë 李"});
  EXPECT_EQ(log.Text(), "Deleted 2 Cookies\r\nDeleted 2 Cookies\r\n\r\nZoë 李\r\n");
  EXPECT_EQ(log.TextLength(), log.Text().size());
  log.SelectAll();
  EXPECT_EQ(log.SelectedText(), log.Text());
  log.Clear();
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(log.TextLength(), 0u);
  EXPECT_FALSE(log.HasSelection());
  log.Clear();
  EXPECT_EQ(log.Count(), 0u);
}

TEST(LogLines, ACopyTakesTheSelectedCharactersWhicheverWayTheyWereSelected) {
  LogLines log = Log({"first line", "second", "third line"});
  log.Place({0, 6}, false);
  log.Place({2, 5}, true);
  EXPECT_EQ(log.SelectedText(), "line\r\nsecond\r\nthird");
  log.Place({2, 5}, false);
  log.Place({0, 6}, true);
  EXPECT_EQ(log.SelectedText(), "line\r\nsecond\r\nthird");
  log.Place({1, 1}, false);
  log.Place({1, 4}, true);
  EXPECT_EQ(log.SelectedText(), "eco");
  log.Place({1, 6}, false);
  log.Place({2, 0}, true);
  EXPECT_EQ(log.SelectedText(), "\r\n");
  log.Place({1, 3}, false);
  EXPECT_FALSE(log.HasSelection());
  EXPECT_EQ(log.SelectedText(), "");
}

// A click past a line's end or below the last line lands at its end or the log's
// end, and never inside a character.
TEST(LogLines, TheCaretStaysWithinTheLogAndBetweenCharacters) {
  LogLines log = Log({"Zoë", "x"});
  log.Place({0, 3}, false);  // inside "ë"
  EXPECT_EQ(log.Caret(), (LogPosition{0, 2}));
  log.Place({0, 99}, false);
  EXPECT_EQ(log.Caret(), (LogPosition{0, 4}));
  log.Place({7, 5}, false);
  EXPECT_EQ(log.Caret(), log.End());
}

TEST(LogLines, ArrowsStepByCharactersAndAcrossLineEnds) {
  LogLines log = Log({"aë", "b"});
  log.Place({0, 0}, false);
  log.Move(LogMove::kRight, false, 1);
  log.Move(LogMove::kRight, false, 1);
  EXPECT_EQ(log.Caret(), (LogPosition{0, 3}));
  log.Move(LogMove::kRight, false, 1);
  EXPECT_EQ(log.Caret(), (LogPosition{1, 0}));
  log.Move(LogMove::kLeft, false, 1);
  log.Move(LogMove::kLeft, false, 1);
  EXPECT_EQ(log.Caret(), (LogPosition{0, 1}));
  log.Move(LogMove::kLast, false, 1);
  log.Move(LogMove::kRight, false, 1);
  EXPECT_EQ(log.Caret(), log.End());
  log.Move(LogMove::kFirst, false, 1);
  log.Move(LogMove::kLeft, false, 1);
  EXPECT_EQ(log.Caret(), (LogPosition{}));
}

// Up and down keep to the column the caret started from across a shorter line, as
// an edit box does; pages move by the lines shown.
TEST(LogLines, UpAndDownKeepTheirColumnAndPagesMoveByTheView) {
  LogLines log = Log({"a long line", "ab", "another long", "x", "y", "z"});
  log.Place({0, 7}, false);
  log.Move(LogMove::kDown, false, 3);
  EXPECT_EQ(log.Caret(), (LogPosition{1, 2}));
  log.Move(LogMove::kDown, false, 3);
  EXPECT_EQ(log.Caret(), (LogPosition{2, 7}));
  log.Move(LogMove::kPageDown, false, 3);
  EXPECT_EQ(log.Caret(), (LogPosition{5, 1}));
  log.Move(LogMove::kPageDown, false, 3);
  EXPECT_EQ(log.Caret(), log.End());
  log.Move(LogMove::kPageUp, false, 3);
  EXPECT_EQ(log.Caret(), (LogPosition{3, 1}));
  log.Move(LogMove::kLineStart, false, 3);
  log.Move(LogMove::kUp, false, 3);
  EXPECT_EQ(log.Caret(), (LogPosition{2, 0}));
  log.Move(LogMove::kLineEnd, true, 3);
  EXPECT_EQ(log.SelectedText(), "another long");
}

TEST(LogLines, ShiftWithAKeyGrowsTheSelectionFromWhereItStarted) {
  LogLines log = Log({"one", "two", "three"});
  log.Place({1, 1}, false);
  log.Move(LogMove::kDown, true, 1);
  log.Move(LogMove::kLineEnd, true, 1);
  EXPECT_EQ(log.SelectedText(), "wo\r\nthree");
  log.Move(LogMove::kFirst, true, 1);
  EXPECT_EQ(log.SelectedText(), "one\r\nt");
  log.Move(LogMove::kRight, false, 1);
  EXPECT_FALSE(log.HasSelection());
}

TEST(LogLines, TheViewShowsWhatItIsMovedToAndNeverScrollsPastTheEnd) {
  EXPECT_EQ(ClampedOffset(-3, 10, 100), 0u);
  EXPECT_EQ(ClampedOffset(95, 10, 100), 90u);
  EXPECT_EQ(ClampedOffset(40, 10, 100), 40u);
  EXPECT_EQ(ClampedOffset(5, 10, 4), 0u);  // all of it fits
  EXPECT_EQ(OffsetShowing(40, 10, 45), 40u);
  EXPECT_EQ(OffsetShowing(40, 10, 50), 41u);
  EXPECT_EQ(OffsetShowing(40, 10, 12), 12u);
  EXPECT_EQ(OffsetShowing(40, 10, 99), 90u);
}

}  // namespace
}  // namespace quillmere
