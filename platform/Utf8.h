#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillmere {

// The program's text is UTF-8: what the ANSI entry points take and return once the
// manifest makes UTF-8 the process's code page. A name the system holds that is no
// valid UTF-16 (an unpaired surrogate in a file name) is carried as WTF-8, its lone
// surrogates encoded as if they were characters, so that it can still be handed
// back to the system by its real name; only what is shown to people is made valid.

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The character starting at `at`: its code point and its length in bytes. A byte
// that starts no well-formed sequence is one character of its own, U+FFFD.
// `surrogates` accepts the three-byte forms of U+D800 to U+DFFF (WTF-8).
struct Utf8Character {
  char32_t codePoint = 0;
  std::size_t length = 0;
  bool valid = false;
};
Utf8Character DecodeUtf8(std::string_view text, std::size_t at, bool surrogates = false);
void AppendUtf8(std::string& out, char32_t codePoint);

// `at` moved back, if need be, to the start of the character it falls in, so that
// text.substr(0, result) never ends inside a character.
std::size_t CharacterBoundary(std::string_view text, std::size_t at);
// The longest prefix of at most `bytes` bytes that ends between two characters.
std::string_view PrefixWithin(std::string_view text, std::size_t bytes);
std::size_t CharacterCount(std::string_view text);
// The first `count` characters (all of them when there are fewer).
std::string_view FirstCharacters(std::string_view text, std::size_t count);

// The text with every ill-formed sequence (and every lone surrogate) as U+FFFD.
std::string ValidUtf8(std::string_view text);

// UTF-16 (as code units) to and from WTF-8; both ways keep lone surrogates, so a
// name read from the system converts back to exactly the units it had.
std::string NarrowUtf16(std::u16string_view units);
std::u16string WidenUtf8(std::string_view text);

// Simple one-to-one case mappings of the Latin, Greek and Cyrillic letters (ASCII,
// Latin-1, Latin Extended-A, the basic Greek and Cyrillic alphabets); every other
// character is left as it is. What it cannot fold it never damages.
std::string UpperCaseUtf8(std::string_view text);
std::string LowerCaseUtf8(std::string_view text);
// Only 'A' to 'Z' folded: for names and markers the program itself defines.
char AsciiLower(char c);
bool EqualsAsciiNoCase(std::string_view a, std::string_view b);

}  // namespace quillmere
