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

// The user's edits: typed text in place of the selection, Enter splitting a line,
// Backspace and Delete joining lines at their ends; the text and its lengths follow.
TEST(LogLines, TypingReplacesTheSelectionAndLineBreaksSplitAndJoinLines) {
  LogLines log = Log({"Deleting : a", "Deleting : b"});
  log.Place({0, 11}, false);
  log.Place({1, 11}, true);
  const LogChange typed = log.ReplaceSelection("Zoë 😀");
  EXPECT_EQ(log.Text(), "Deleting : Zoë 😀b\r\n");
  EXPECT_EQ(typed.first, 0u);
  EXPECT_EQ(typed.removed, 2u);
  EXPECT_EQ(typed.inserted, 1u);
  EXPECT_EQ(log.Caret(), (LogPosition{0, 20}));
  log.ReplaceSelection("\r\n");
  EXPECT_EQ(log.Text(), "Deleting : Zoë 😀\r\nb\r\n");
  log.DeleteBackward();  // the break: the lines join again
  EXPECT_EQ(log.Text(), "Deleting : Zoë 😀b\r\n");
  log.DeleteBackward();  // the whole emoji, never half of it
  EXPECT_EQ(log.Text(), "Deleting : Zoë b\r\n");
  log.Move(LogMove::kLineEnd, false, 1);
  log.DeleteForward();  // joins the empty last line: the text's final break goes
  EXPECT_EQ(log.Text(), "Deleting : Zoë b");
  log.DeleteForward();  // nothing after the end
  log.Place({0, 0}, false);
  log.DeleteBackward();  // nothing before the start
  EXPECT_EQ(log.Text(), "Deleting : Zoë b");
  log.Place({0, 11}, false);
  log.DeleteForward();
  log.DeleteForward();
  EXPECT_EQ(log.Text(), "Deleting : ë b");
  EXPECT_EQ(log.TextLength(), log.Text().size());
  EXPECT_EQ(log.TextUnits(), 14u);
  log.Move(LogMove::kLineStart, false, 1);
  log.Move(LogMove::kLineEnd, true, 1);
  log.DeleteBackward();  // a selection goes whole, whatever the key
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(log.Caret(), log.End());
}

// A paste breaks lines where its text does, in whichever convention, and the
// window's text holds them with CR LF; a cut is a copy and the selection removed.
TEST(LogLines, APasteBreaksLinesWhereverItsTextDoes) {
  LogLines log = Log({"first", "second"});
  log.Place({0, 3}, false);
  const LogChange pasted = log.ReplaceSelection("A\r\nB\nC\rD\n\r\n");
  EXPECT_EQ(log.Text(), "firA\r\nB\r\nC\r\nD\r\n\r\nst\r\nsecond\r\n");
  EXPECT_EQ(pasted.removed, 1u);
  EXPECT_EQ(pasted.inserted, 6u);
  EXPECT_EQ(log.Caret(), (LogPosition{5, 0}));
  EXPECT_EQ(log.Count(), 7u);
  EXPECT_EQ(log.TextLength(), log.Text().size());
  EXPECT_EQ(log.TextUnits(), log.Text().size());
  log.Place({1, 0}, false);
  log.Place({4, 0}, true);
  const std::string cut = log.SelectedText();
  log.ReplaceSelection({});
  EXPECT_EQ(cut, "B\r\nC\r\nD\r\n");
  EXPECT_EQ(log.Text(), "firA\r\n\r\nst\r\nsecond\r\n");
  EXPECT_EQ(log.TextLength(), log.Text().size());
}

// A line the program adds after the user typed past the last break is a new last
// line, the typed text kept before it; the window's text replaced whole starts anew.
TEST(LogLines, ALineAddedAfterTypingIsStillANewLastLine) {
  LogLines log = Log({"one"});
  log.Place(log.End(), false);
  log.ReplaceSelection("typed 李");
  EXPECT_EQ(log.Count(), 1u);
  EXPECT_EQ(log.Line(1), "typed 李");
  log.Append("two");
  EXPECT_EQ(log.Text(), "one\r\ntyped 李\r\ntwo\r\n");
  EXPECT_EQ(log.TextLength(), log.Text().size());
  EXPECT_EQ(log.TextUnits(), 19u);
  EXPECT_EQ(log.All().size(), 3u);
  const LogChange set = log.SetText("x\ny");
  EXPECT_EQ(set.removed, 4u);
  EXPECT_EQ(set.inserted, 2u);
  EXPECT_EQ(log.Text(), "x\r\ny");
  EXPECT_EQ(log.Caret(), (LogPosition{}));
  log.Append("z");
  EXPECT_EQ(log.Text(), "x\r\ny\r\nz\r\n");
  log.Clear();
  EXPECT_EQ(log.TextUnits(), 0u);
}

}  // namespace
}  // namespace quillmere
