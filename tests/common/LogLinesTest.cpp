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

// Ctrl with an arrow stops at the start of a word: blanks go with the word before
// them, each Chinese or Japanese character is a word, a character is never split,
// and at a line's end or start the caret steps to the next or previous line.
TEST(LogLines, ArrowsStepByCharactersAndWordsAndAcrossLineEnds) {
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

  log = Log({"Deleting :  C:\\Zoë\\x.txt\tdone", "李雪x 😀y", "  end"});
  const std::vector<LogPosition> stops{{0, 0}, {0, 9}, {0, 12}, {0, 26}, {0, 30}, {1, 0}, {1, 3},
                                       {1, 6}, {1, 8}, {1, 13}, {2, 0},  {2, 2},  {2, 5}, {3, 0}};
  std::vector<LogPosition> rightward{log.Caret()};
  for (log.Place({}, false); log.Caret() != log.End(); rightward.push_back(log.Caret()))
    log.Move(LogMove::kWordRight, false, 1);
  EXPECT_EQ(rightward, stops);
  std::vector<LogPosition> leftward{log.Caret()};
  for (; log.Caret() != LogPosition{}; leftward.insert(leftward.begin(), log.Caret()))
    log.Move(LogMove::kWordLeft, log.Caret().line == 0, 1);
  EXPECT_EQ(leftward, stops);
  EXPECT_EQ(log.SelectedText(), "Deleting :  C:\\Zoë\\x.txt\tdone");

  // A double-click selects the word under it with the blanks after it.
  log.SelectWord({0, 14});
  EXPECT_EQ(log.SelectedText(), "C:\\Zoë\\x.txt\t");
  log.SelectWord({1, 13});
  EXPECT_EQ(log.SelectedText(), "😀y");
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
  log.Delete(LogMove::kLeft);  // the break: the lines join again
  EXPECT_EQ(log.Text(), "Deleting : Zoë 😀b\r\n");
  log.Delete(LogMove::kLeft);  // the whole emoji, never half of it
  EXPECT_EQ(log.Text(), "Deleting : Zoë b\r\n");
  log.Move(LogMove::kLineEnd, false, 1);
  log.Delete(LogMove::kRight);  // joins the empty last line: the text's final break goes
  EXPECT_EQ(log.Text(), "Deleting : Zoë b");
  log.Delete(LogMove::kRight);  // nothing after the end
  log.Place({0, 0}, false);
  log.Delete(LogMove::kLeft);  // nothing before the start
  EXPECT_EQ(log.Text(), "Deleting : Zoë b");
  log.Place({0, 11}, false);
  log.Delete(LogMove::kRight);
  log.Delete(LogMove::kRight);
  EXPECT_EQ(log.Text(), "Deleting : ë b");
  EXPECT_EQ(log.TextLength(), log.Text().size());
  EXPECT_EQ(log.TextUnits(), 14u);
  log.Move(LogMove::kLineStart, false, 1);
  log.Move(LogMove::kLineEnd, true, 1);
  log.Delete(LogMove::kLeft);  // a selection goes whole, whatever the key
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(log.Caret(), log.End());

  // With Ctrl, Backspace and Delete take what a word move passes over.
  log.SetText("Deleting : 李x ë\r\nnext");
  log.Place({0, 18}, false);
  for (int i = 0; i < 3; ++i) log.Delete(LogMove::kWordLeft);
  log.Delete(LogMove::kWordRight);  // the line's end: the lines join
  EXPECT_EQ(log.Text(), "Deleting : next");
  log.Place({0, 0}, false);
  log.Delete(LogMove::kWordRight);
  EXPECT_EQ(log.Text(), ": next");
  EXPECT_EQ(log.TextUnits(), 6u);
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

// One step of undo, as in an edit box: typing on at the caret or Backspace and
// Delete in a row are one edit; the undo puts the removed text back selected, and
// undoing again redoes. What the program adds or sets cannot be undone and empties
// the undo, so an undo never takes a line the program added.
TEST(LogLines, UndoTakesBackTheLastEditAndUndoingAgainRedoesIt) {
  LogLines log = Log({"Deleting : file0", "Deleting : file1"});
  EXPECT_FALSE(log.CanUndo());
  log.Place({0, 11}, false);
  log.Place({0, 15}, true);
  log.ReplaceSelection("Z");
  log.ReplaceSelection("o");
  log.ReplaceSelection("ë");
  ASSERT_TRUE(log.CanUndo());
  log.Undo();
  EXPECT_EQ(log.Line(0), "Deleting : file0");
  EXPECT_EQ(log.SelectedText(), "file");
  log.Undo();
  EXPECT_EQ(log.Line(0), "Deleting : Zoë0");
  EXPECT_EQ(log.SelectedText(), "Zoë");

  // Backspace, then Delete, from one place: one removal, put back whole.
  log.Place({1, 12}, false);
  log.Delete(LogMove::kLeft);
  log.Delete(LogMove::kLeft);
  log.Delete(LogMove::kRight);
  log.Delete(LogMove::kWordRight);
  log.Undo();
  EXPECT_EQ(log.Line(1), "Deleting : file1");
  EXPECT_EQ(log.SelectedText(), " file1");
  // Text typed elsewhere starts a new edit; a paste of lines is undone whole.
  log.Place({0, 0}, false);
  log.ReplaceSelection("a\r\nb");
  log.Place(log.End(), false);
  log.ReplaceSelection("x\ny");
  log.Undo();
  EXPECT_EQ(log.Text(), "a\r\nbDeleting : Zoë0\r\nDeleting : file1\r\n");
  EXPECT_EQ(log.TextLength(), log.Text().size());
  log.Undo();
  EXPECT_EQ(log.Line(4), "y");

  log.Append("added");
  EXPECT_FALSE(log.CanUndo());
  log.ReplaceSelection("t");
  log.SetText("new");
  EXPECT_FALSE(log.CanUndo());
  log.ReplaceSelection("t");
  log.Clear();
  EXPECT_FALSE(log.CanUndo());
  log.ReplaceSelection("bc");
  log.Place({}, false);
  log.ReplaceSelection("a\n");  // before what was just typed: the same edit
  log.Undo();
  EXPECT_EQ(log.Text(), "");
}

}  // namespace
}  // namespace quillmere
