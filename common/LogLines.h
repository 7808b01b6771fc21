#pragma once

#include <compare>
#include <cstddef>
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
  kLineStart,
  kLineEnd,
  kFirst,
  kLast
};

// The lines of a run's log as a read-only memo holds them, with the selection the
// user makes over them: the caret and the end the selection was started from.
class LogLines {
 public:
  void Append(std::string_view line);
  void Clear();

  std::size_t Count() const { return lines_.size(); }
  // The line at `index`; the log's end is an empty line.
  std::string_view Line(std::size_t index) const;
  const std::vector<std::string>& All() const { return lines_; }
  LogPosition End() const { return {lines_.size(), 0}; }

  // The memo's text: every line followed by CR LF, and its length in bytes.
  std::string Text() const;
  std::size_t TextLength() const { return textLength_; }

  LogPosition Caret() const { return caret_; }
  LogPosition Anchor() const { return anchor_; }
  // The caret put at `at` (kept within the log, on a character's start); with
  // `extend` the selection grows or shrinks to it, else it starts there afresh.
  void Place(LogPosition at, bool extend);
  void Move(LogMove move, bool extend, std::size_t pageLines);
  void SelectAll();
  bool HasSelection() const { return caret_ != anchor_; }
  // What a copy takes: the selected characters, CR LF where a line ends.
  std::string SelectedText() const;

 private:
  LogPosition Within(LogPosition at) const;
  LogPosition Moved(LogMove move, std::size_t pageLines);

  std::vector<std::string> lines_;
  std::size_t textLength_ = 0;
  LogPosition caret_;
  LogPosition anchor_;
  // The column in characters that up and down keep to across shorter lines.
  std::size_t wantedCharacters_ = 0;
  bool keepWanted_ = false;
};

// Scrolling along one axis of `total` units of which `page` are shown from `offset`.
// The offset kept within what can be shown: the last page ends with the last unit.
std::size_t ClampedOffset(std::ptrdiff_t offset, std::size_t page, std::size_t total);
// The offset moved as little as need be for unit `at` to be shown.
std::size_t OffsetShowing(std::size_t offset, std::size_t page, std::size_t at);

}  // namespace quillmere
