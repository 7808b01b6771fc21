#include "common/LogLines.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace quillmere {
namespace {

constexpr std::string_view kNewline = "\r\n";

}  // namespace

void LogLines::Append(std::string_view line) {
  lines_.emplace_back(line);
  textLength_ += line.size() + kNewline.size();
}

void LogLines::Clear() {
  lines_.clear();
  textLength_ = 0;
  caret_ = anchor_ = {};
  keepWanted_ = false;
}

std::string_view LogLines::Line(std::size_t index) const {
  return index < lines_.size() ? std::string_view(lines_[index]) : std::string_view();
}

std::string LogLines::Text() const {
  std::string text;
  text.reserve(textLength_);
  for (const std::string& line : lines_) text.append(line).append(kNewline);
  return text;
}

LogPosition LogLines::Within(LogPosition at) const {
  if (at.line >= lines_.size()) return End();
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
    target = std::min(target, lines_.size());
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
      return caret_.line < lines_.size() ? LogPosition{caret_.line + 1, 0} : caret_;
    case LogMove::kUp:
      return toLine(caret_.line > 0 ? caret_.line - 1 : 0);
    case LogMove::kDown:
      return toLine(caret_.line + 1);
    case LogMove::kPageUp:
      return toLine(caret_.line > page ? caret_.line - page : 0);
    case LogMove::kPageDown:
      return toLine(caret_.line + page);
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

std::string LogLines::SelectedText() const {
  const LogPosition from = std::min(caret_, anchor_);
  const LogPosition to = std::max(caret_, anchor_);
  if (from.line == to.line) {
    return std::string(Line(from.line).substr(from.column, to.column - from.column));
  }
  std::string text(Line(from.line).substr(from.column));
  text.append(kNewline);
  for (std::size_t at = from.line + 1; at < to.line; ++at) text.append(lines_[at]).append(kNewline);
  text.append(Line(to.line).substr(0, to.column));
  return text;
}

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
