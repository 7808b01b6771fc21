#pragma once

#include <cstddef>
#include <string_view>

namespace quillmere {

// Where the word keys of an edit box stop within a line of UTF-8 text. A word is a
// run of characters between blanks, or a single Chinese or Japanese character,
// which those languages write without blanks; the blanks after a word go with it,
// as Ctrl+Right lands at the next word's start. Offsets are bytes and always fall
// between two characters.

// The start of the next word after `at`, or the line's end.
std::size_t NextWordStart(std::string_view line, std::size_t at);
// The start of the word before `at` (blanks just before it passed over), or 0.
std::size_t WordStartBefore(std::string_view line, std::size_t at);

}  // namespace quillmere
