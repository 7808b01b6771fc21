#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmere::richtext {

// Letter case of the Latin, Greek and Cyrillic letters in UTF-8 (platform/Utf8.h):
// tags and attributes are ASCII, but a picture's key is its whole source, and a file
// name in any script names the same picture in either case.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// Where `what` first stands in `text` at or after `from`, letter case ignored.
std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from = 0);

// The text between the first pair of double quotes at or after `from`; empty when
// there is no such pair.
std::string_view QuotedValue(std::string_view text, std::size_t from = 0);

// The quoted value after the first `name` (letter case ignored); empty when the
// name or the quotes are missing.
std::string_view AttributeValue(std::string_view text, std::string_view name);

// Numbers beyond this (either way) read as it: no surface draws that far out,
// and sums of a few of them still fit an int.
inline constexpr int kLargestMarkupNumber = 1 << 20;

// A signed decimal number from the start of `text`: leading blanks skipped, an
// optional sign, "$", "x" or "0x" for hexadecimal, up to the first character
// that is not a digit; no digits read 0.
int ReadNumber(std::string_view text);

// The same, but only when the whole text is such a number.
std::optional<int> ReadWholeNumber(std::string_view text);

}  // namespace quillmere::richtext
