#pragma once

#include <string>
#include <string_view>

namespace quillmere::richtext {

// The markup as the line loop reads it: the named entities turned into their
// characters in UTF-8 ("&amp;" into "&&", which the run drawing shows as one
// '&'), the first "<#" marker opened up so that it shows literally, and every
// carriage return turned into a line break while line feeds go.
std::string PrepareMarkup(std::string_view text);

// A text run as it is drawn: "&nbsp;", "&lt;" and "&gt;" (lower case only) as the
// characters they stand for.
std::string RunText(std::string_view run);

}  // namespace quillmere::richtext
