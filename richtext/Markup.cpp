#include "richtext/Markup.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace quillmere::richtext {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  } else if (c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  }
  return value < base ? value : -1;
}

struct NumberRead {
  int value = 0;
  bool anyDigit = false;
  bool wholeText = false;
};

NumberRead Read(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  int base = 10;
  if (at < text.size() && (text[at] == '$' || text[at] == 'x' || text[at] == 'X')) {
    base = 16;
    ++at;
  } else if (at + 1 < text.size() && text[at] == '0' &&
             (text[at + 1] == 'x' || text[at + 1] == 'X')) {
    base = 16;
    at += 2;
  }
  NumberRead read;
  long long magnitude = 0;
  for (; at < text.size(); ++at) {
    const int digit = DigitValue(text[at], base);
    if (digit < 0) break;
    read.anyDigit = true;
    magnitude = std::min<long long>(magnitude * base + digit, kLargestMarkupNumber);
  }
  read.value = static_cast<int>(negative ? -magnitude : magnitude);
  read.wholeText = at == text.size();
  return read;
}

}  // namespace

std::string UpperCase(std::string_view text) { return UpperCaseUtf8(text); }

std::string LowerCase(std::string_view text) { return LowerCaseUtf8(text); }

std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from) {
  if (from > text.size()) return std::string_view::npos;
  const auto found =
      std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), what.begin(),
                  what.end(), [](char a, char b) { return Upper(a) == Upper(b); });
  if (found == text.end() && !what.empty()) return std::string_view::npos;
  return static_cast<std::size_t>(found - text.begin());
}

std::string_view QuotedValue(std::string_view text, std::size_t from) {
  const std::size_t open = text.find('"', from);
  if (open == std::string_view::npos) return {};
  const std::size_t close = text.find('"', open + 1);
  if (close == std::string_view::npos) return {};
  return text.substr(open + 1, close - open - 1);
}

std::string_view AttributeValue(std::string_view text, std::string_view name) {
  const std::size_t at = FindNoCase(text, name);
  if (at == std::string_view::npos) return {};
  return QuotedValue(text, at + name.size());
}

int ReadNumber(std::string_view text) { return Read(text).value; }

std::optional<int> ReadWholeNumber(std::string_view text) {
  const NumberRead read = Read(text);
  if (!read.anyDigit || !read.wholeText) return std::nullopt;
  return read.value;
}

}  // namespace quillmere::richtext
