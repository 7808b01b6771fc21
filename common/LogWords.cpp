#include "common/LogWords.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace quillmere {
namespace {

enum class WordClass { kBlank, kIdeograph, kLetters };

// The blanks are those a line breaks at (no-break spaces join words); the
// ideographs are the Han and kana blocks, between any two of which a line may break.
WordClass ClassOf(char32_t c) {
  if (c == U' ' || c == U'\t' || c == 0x1680 || (c >= 0x2000 && c <= 0x200A && c != 0x2007) ||
      c == 0x205F || c == 0x3000) {
    return WordClass::kBlank;
  }
  if ((c >= 0x3040 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x4DBF) ||
      (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
      (c >= 0x20000 && c <= 0x3FFFF)) {
    return WordClass::kIdeograph;
  }
  return WordClass::kLetters;
}

struct Character {
  std::size_t start;
  std::size_t end;
  WordClass word;
};

Character At(std::string_view line, std::size_t at) {
  const Utf8Character c = DecodeUtf8(line, at, true);
  return {at, at + c.length, ClassOf(c.codePoint)};
}

Character Before(std::string_view line, std::size_t at) {
  return At(line, CharacterBoundary(line, at - 1));
}

}  // namespace

std::size_t NextWordStart(std::string_view line, std::size_t at) {
  if (at >= line.size()) return line.size();
  const WordClass first = At(line, at).word;
  if (first == WordClass::kIdeograph) {
    at = At(line, at).end;
  } else {
    while (at < line.size() && At(line, at).word == WordClass::kLetters) at = At(line, at).end;
  }
  while (at < line.size() && At(line, at).word == WordClass::kBlank) at = At(line, at).end;
  return at;
}

std::size_t WordStartBefore(std::string_view line, std::size_t at) {
  at = CharacterBoundary(line, std::min(at, line.size()));
  while (at > 0 && Before(line, at).word == WordClass::kBlank) at = Before(line, at).start;
  if (at > 0 && Before(line, at).word == WordClass::kIdeograph) return Before(line, at).start;
  while (at > 0 && Before(line, at).word == WordClass::kLetters) at = Before(line, at).start;
  return at;
}

}  // namespace quillmere
