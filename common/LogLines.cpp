#include "common/LogLines.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "common/LogWords.h"
#include "platform/Utf8.h"

namespace quillmere {
namespace {

constexpr std::string_view kNewline = "\r\n";

// What a line takes in UTF-16, as the window's text is counted; the run's lines are
// mostly ASCII, which is counted without decoding.
std::size_t Utf16Units(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < text.size();) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++units;
      ++at;
      continue;
    }
    const Utf8Character character = DecodeUtf8(text, at, true);
    units += character.codePoint >= 0x10000 ? 2 : 1;
    at += character.length;
  }
  return units;
}

// A text's lines, whichever of CR LF, LF or CR breaks them; one at least.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines(1);
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c != '\r' && c != '\n') {
      lines.back().push_back(c);
      continue;
    }
    if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
    lines.emplace_back();
  }
  return lines;
}

// Where `at`, at or after `from`, is once text ending at `after` has been put in at
// `from`.
LogPosition Shifted(LogPosition at, LogPosition from, LogPosition after) {
  if (at.line == from.line) return {after.line, after.column + (at.column - from.column)};
  return {at.line + (after.line - from.line), at.column};
}

}  // namespace

void LogLines::Append(std::string_view line) {
  std::string& last = lines_.back();
  if (last.empty()) {
    last.assign(line);
  } else {
    lines_.emplace_back(line);
    textLength_ += kNewline.size();
    textUnits_ += kNewline.size();
  }
  lines_.emplace_back();
  textLength_ += line.size() + kNewline.size();
  textUnits_ += Utf16Units(line) + kNewline.size();
  EmptyUndo();
}

void LogLines::Clear() {
  lines_.assign(1, std::string());
  textLength_ = textUnits_ = 0;
  caret_ = anchor_ = {};
  keepWanted_ = false;
  EmptyUndo();
}

std::string_view LogLines::Line(std::size_t index) const {
  return index < lines_.size() ? std::string_view(lines_[index]) : std::string_view();
}

std::string LogLines::Text() const {
  std::string text;
  text.reserve(textLength_);
  for (std::size_t at = 0; at < lines_.size(); ++at) {
    if (at > 0) text.append(kNewline);
    text.append(lines_[at]);
  }
  return text;
}

LogPosition LogLines::Within(LogPosition at) const {
  if (at.line > Count()) return End();
  return {at.line, CharacterBoundary(lines_[at.line], at.column)};
}

void LogLines::Place(LogPosition at, bool extend) {
  caret_ = Within(at);
  if (!extend) anchor_ = caret_;
  keepWanted_ = false;
}

LogPosition LogLines::Moved(LogMove move, std::size_t pageLines) {
  const std::string_view line = Line(caret_.line);
  const auto toLine = [&](std::size_t target) {
    if (!keepWanted_) wantedCharacters_ = CharacterCount(line.substr(0, caret_.column));
    target = std::min(target, Count());
    return LogPosition{target, FirstCharacters(Line(target), wantedCharacters_).size()};
  };
  const std::size_t page = std::max<std::size_t>(pageLines, 1);
  switch (move) {
    case LogMove::kLeft:
      if (caret_.column > 0) return {caret_.line, CharacterBoundary(line, caret_.column - 1)};
      if (caret_.line > 0) return {caret_.line - 1, Line(caret_.line - 1).size()};
      return caret_;
    case LogMove::kRight:
      if (caret_.column < line.size())
        return {caret_.line, caret_.column + DecodeUtf8(line, caret_.column, true).length};
      return caret_.line < Count() ? LogPosition{caret_.line + 1, 0} : caret_;
    case LogMove::kUp:
      return toLine(caret_.line > 0 ? caret_.line - 1 : 0);
    case LogMove::kDown:
      return toLine(caret_.line + 1);
    case LogMove::kPageUp:
      return toLine(caret_.line > page ? caret_.line - page : 0);
    case LogMove::kPageDown:
      return toLine(caret_.line + page);
    case LogMove::kWordLeft:
      if (caret_.column == 0) return Moved(LogMove::kLeft, pageLines);
      return {caret_.line, WordStartBefore(line, caret_.column)};
    case LogMove::kWordRight:
      if (caret_.column == line.size()) return Moved(LogMove::kRight, pageLines);
      return {caret_.line, NextWordStart(line, caret_.column)};
    case LogMove::kLineStart:
      return {caret_.line, 0};
    case LogMove::kLineEnd:
      return {caret_.line, line.size()};
    case LogMove::kFirst:
      return {};
    case LogMove::kLast:
      return End();
  }
  return caret_;
}

void LogLines::Move(LogMove move, bool extend, std::size_t pageLines) {
  const bool vertical = move == LogMove::kUp || move == LogMove::kDown ||
                        move == LogMove::kPageUp || move == LogMove::kPageDown;
  Place(Moved(move, pageLines), extend);
  keepWanted_ = vertical;
}

void LogLines::SelectAll() {
  anchor_ = {};
  caret_ = End();
  keepWanted_ = false;
}

void LogLines::SelectWord(LogPosition at) {
  at = Within(at);
  const std::string_view line = Line(at.line);
  const std::size_t next =
      at.column < line.size() ? at.column + DecodeUtf8(line, at.column, true).length : at.column;
  anchor_ = {at.line, WordStartBefore(line, next)};
  caret_ = {at.line, NextWordStart(line, at.column)};
  keepWanted_ = false;
}

std::string LogLines::SelectedText() const {
  return TextBetween(std::min(caret_, anchor_), std::max(caret_, anchor_));
}

std::string LogLines::TextBetween(LogPosition from, LogPosition to) const {
  if (from.line == to.line) {
    return std::string(Line(from.line).substr(from.column, to.column - from.column));
  }
  std::string text(Line(from.line).substr(from.column));
  text.append(kNewline);
  for (std::size_t at = from.line + 1; at < to.line; ++at) text.append(lines_[at]).append(kNewline);
  text.append(Line(to.line).substr(0, to.column));
  return text;
}

// The lines of `text` with the old text's start before the first and its end after
// the last take the place of the lines from `from` to `to`; only those lines move,
// with the ones after them.
LogChange LogLines::Replace(LogPosition from, LogPosition to, std::string_view text) {
  std::string removed = TextBetween(from, to);
  std::vector<std::string> pieces = SplitLines(text);
  textLength_ -= removed.size();
  textUnits_ -= Utf16Units(removed);
  for (const std::string& piece : pieces) {
    textLength_ += piece.size();
    textUnits_ += Utf16Units(piece);
  }
  textLength_ += (pieces.size() - 1) * kNewline.size();
  textUnits_ += (pieces.size() - 1) * kNewline.size();

  pieces.front().insert(0, lines_[from.line], 0, from.column);
  const LogPosition after{from.line + pieces.size() - 1, pieces.back().size()};
  pieces.back().append(lines_[to.line], to.column);
  const LogChange change{from.line, to.line - from.line + 1, pieces.size()};
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(from.line);
  const std::size_t common = std::min(change.removed, change.inserted);
  std::move(pieces.begin(), pieces.begin() + static_cast<std::ptrdiff_t>(common), first);
  if (change.removed > common) {
    lines_.erase(first + static_cast<std::ptrdiff_t>(common),
                 first + static_cast<std::ptrdiff_t>(change.removed));
  } else {
    lines_.insert(first + static_cast<std::ptrdiff_t>(common),
                  std::make_move_iterator(pieces.begin() + static_cast<std::ptrdiff_t>(common)),
                  std::make_move_iterator(pieces.end()));
  }
  caret_ = anchor_ = after;
  keepWanted_ = false;
  Remember(from, to, std::move(removed), after);
  return change;
}

// As the edit box keeps its undo: a removal next to the last one, with nothing
// typed since, adds to it (Delete to its end, Backspace to its start); text put in
// where the last removal was, or before or after the text last put in, adds to that
// edit; anything else starts anew.
void LogLines::Remember(LogPosition from, LogPosition to, std::string removed, LogPosition after) {
  const bool inserting = undo_.inserted != undo_.at;
  if (!removed.empty()) {
    if (!inserting && !undo_.removed.empty() && from == undo_.at) {
      undo_.removed.append(removed);
    } else if (!inserting && !undo_.removed.empty() && to == undo_.at) {
      undo_.removed.insert(0, removed);
      undo_.at = from;
    } else {
      undo_.removed = std::move(removed);
      undo_.at = from;
    }
    undo_.inserted = undo_.at;
  }
  if (after == from) return;
  if (undo_.inserted == undo_.at ? from == undo_.at : from == undo_.inserted) {
    undo_.inserted = after;
  } else if (from == undo_.at) {  // before the text just put in
    undo_.inserted = Shifted(undo_.inserted, from, after);
  } else {
    undo_ = {from, after, {}};
  }
}

LogChange LogLines::ReplaceSelection(std::string_view text) {
  return Replace(std::min(caret_, anchor_), std::max(caret_, anchor_), text);
}

LogChange LogLines::Delete(LogMove toward) {
  if (HasSelection()) return ReplaceSelection({});
  const LogPosition to = Moved(toward, 1);
  return Replace(std::min(caret_, to), std::max(caret_, to), {});
}

LogChange LogLines::SetText(std::string_view text) {
  const std::size_t before = lines_.size();
  Clear();
  LogChange change = Replace({}, {}, text);
  change.removed = before;
  caret_ = anchor_ = {};
  EmptyUndo();
  return change;
}

// Putting the removed text back in place of the inserted one is itself an edit, whose
// undo is the step taken back.
LogChange LogLines::Undo() {
  if (!CanUndo()) return {caret_.line, 0, 0};
  UndoStep step = std::move(undo_);
  EmptyUndo();
  const LogChange change = Replace(step.at, step.inserted, step.removed);
  anchor_ = step.at;
  return change;
}

void LogLines::EmptyUndo() { undo_ = {}; }

std::size_t ClampedOffset(std::ptrdiff_t offset, std::size_t page, std::size_t total) {
  const std::size_t last = total > page ? total - page : 0;
  return offset <= 0 ? 0 : std::min(static_cast<std::size_t>(offset), last);
}

std::size_t OffsetShowing(std::size_t offset, std::size_t page, std::size_t at) {
  if (at < offset) return at;
  if (page > 0 && at >= offset + page) return at - page + 1;
  return offset;
}

}  // namespace quillmere
