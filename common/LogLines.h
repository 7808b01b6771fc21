#pragma once

#include <compare>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

// A place between two characters of a log: a line and a byte offset into it that
// never falls inside a character. The line after the last one is the log's end, an
// empty line as a memo has after the newline that ends its text.
struct LogPosition {
  std::size_t line = 0;
  std::size_t column = 0;
  auto operator<=>(const LogPosition&) const = default;
};

// How the keyboard moves the caret; `kPage...` by the lines the view shows.
enum class LogMove {
  kLeft,
  kRight,
  kUp,
  kDown,
  kPageUp,
  kPageDown,
  kWordLeft,
  kWordRight,
  kLineStart,
  kLineEnd,
  kFirst,
  kLast
};

// Which lines an edit changed: from `first` on, `removed` lines gave way to
// `inserted` ones, so that what a view keeps per line can follow.
struct LogChange {
  std::size_t first = 0;
  std::size_t removed = 0;
  std::size_t inserted = 0;
};

// The lines of a run's log as a memo holds them, with the selection the user makes
// over them (the caret and the end the selection was started from) and the user's
// own edits: text typed or pasted at the caret, in place of the selection, with the
// edit box's one step of undo.
class LogLines {
 public:
  LogLines() : lines_(1) {}

  // A new last line. Text the user typed after the last line break stays a line of
  // its own before it, as the memo's Lines.Add keeps it. Like the whole text set
  // anew, neither can be undone, and both empty the undo: an undo never takes a
  // line the program added, nor acts where the lines have moved.
  void Append(std::string_view line);
  void Clear();

  // The lines ended by a line break; after them comes the last line, the text after
  // the last break (empty, as a memo has after the newline that ends its text,
  // unless the user typed there).
  std::size_t Count() const { return lines_.size() - 1; }
  // The line at `index`; Line(Count()) is the last one.
  std::string_view Line(std::size_t index) const;
  // The lines ended by a line break.
  std::span<const std::string> All() const { return {lines_.data(), Count()}; }
  LogPosition End() const { return {Count(), lines_.back().size()}; }

  // The memo's text: the lines joined by CR LF; its length in bytes and in UTF-16.
  std::string Text() const;
  std::size_t TextLength() const { return textLength_; }
  std::size_t TextUnits() const { return textUnits_; }

  // The selection, or nothing at the caret, replaced by `text`, whose CR LF, LF or CR
  // each break a line; the caret after it.
  LogChange ReplaceSelection(std::string_view text);
  // The selection removed or, with none, what lies between the caret and where
  // `toward` would move it: a character for Backspace and Delete, a word with
  // Ctrl; at a line's start or end the lines join.
  LogChange Delete(LogMove toward);
  // The whole text replaced, the caret before it.
  LogChange SetText(std::string_view text);

  // The last edit taken back, the text it removed selected; typing on at the caret,
  // or Backspace and Delete in a row, make one edit. Undoing again redoes it.
  bool CanUndo() const { return undo_.inserted != undo_.at || !undo_.removed.empty(); }
  LogChange Undo();
  void EmptyUndo();

  LogPosition Caret() const { return caret_; }
  LogPosition Anchor() const { return anchor_; }
  // The caret put at `at` (kept within the log, on a character's start); with
  // `extend` the selection grows or shrinks to it, else it starts there afresh.
  void Place(LogPosition at, bool extend);
  void Move(LogMove move, bool extend, std::size_t pageLines);
  void SelectAll();
  // The word at `at` with the blanks after it, as a double-click selects it.
  void SelectWord(LogPosition at);
  bool HasSelection() const { return caret_ != anchor_; }
  // What a copy takes: the selected characters, CR LF where a line ends.
  std::string SelectedText() const;

 private:
  LogPosition Within(LogPosition at) const;
  LogPosition Moved(LogMove move, std::size_t pageLines);
  std::string TextBetween(LogPosition from, LogPosition to) const;
  LogChange Replace(LogPosition from, LogPosition to, std::string_view text);
  void Remember(LogPosition from, LogPosition to, std::string removed, LogPosition after);

  // What undoes the last edit: the text from `at` to `inserted` goes, `removed`
  // comes back at `at`.
  struct UndoStep {
    LogPosition at;
    LogPosition inserted;
    std::string removed;
  };

  std::vector<std::string> lines_;  // never empty: the last line follows the last break
  std::size_t textLength_ = 0;
  std::size_t textUnits_ = 0;
  LogPosition caret_;
  LogPosition anchor_;
  // The column in characters that up and down keep to across shorter lines.
  std::size_t wantedCharacters_ = 0;
  bool keepWanted_ = false;
  UndoStep undo_;
};

// Scrolling along one axis of `total` units of which `page` are shown from `offset`.
// The offset kept within what can be shown: the last page ends with the last unit.
std::size_t ClampedOffset(std::ptrdiff_t offset, std::size_t page, std::size_t total);
// The offset moved as little as need be for unit `at` to be shown.
std::size_t OffsetShowing(std::size_t offset, std::size_t page, std::size_t at);

}  // namespace quillmere
