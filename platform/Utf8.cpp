#include "platform/Utf8.h"

namespace quillmere {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Transforms every character that decodes; ill-formed bytes are copied as they are,
// so that a mapping never makes a bad name worse.
template <typename Map>
std::string MapCharacters(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character c = DecodeUtf8(text, at, true);
    if (c.valid) {
      AppendUtf8(out, map(c.codePoint));
    } else {
      out.append(text.substr(at, c.length));
    }
    at += c.length;
  }
  return out;
}

// Latin Extended-A pairs its capitals and small letters as neighbours: the capital
// even from U+0100 to U+0137 and from U+014A to U+0177, odd from U+0139 to U+0148
// and from U+0179 to U+017E.
bool IsLatinExtendedCapital(char32_t c) {
  if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
    return c % 2 == 0;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c % 2 == 1;
  return false;
}

char32_t Lower(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  if (IsLatinExtendedCapital(c)) return c + 1;
  if (c == 0x130) return 'i';
  if (c == 0x178) return 0xFF;
  if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) return c + 0x20;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 37;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 63;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

char32_t Upper(char32_t c) {
  if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  if (c > 0x100 && IsLatinExtendedCapital(c - 1)) return c - 1;
  if (c == 0x131) return 'I';
  if (c == 0xFF) return 0x178;
  if (c == 0x3C2) return 0x3A3;
  if ((c >= 0x3B1 && c <= 0x3C9) || (c >= 0x430 && c <= 0x44F)) return c - 0x20;
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 37;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 63;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

}  // namespace

Utf8Character DecodeUtf8(std::string_view text, std::size_t at, bool surrogates) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return {lead, 1, true};
  std::size_t length = 0;
  char32_t codePoint = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, least = 0x10000;
  } else {
    return {kReplacementCharacter, 1, false};
  }
  // A sequence cut short is as many bad characters as it has bytes before the cut:
  // each one is replaced on its own, as the Unicode standard recommends.
  std::size_t taken = 1;
  for (; taken < length; ++taken) {
    if (at + taken >= text.size() || !IsContinuation(static_cast<unsigned char>(text[at + taken])))
      return {kReplacementCharacter, 1, false};
    codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[at + taken]) & 0x3F);
  }
  if (codePoint < least || codePoint > 0x10FFFF || (IsSurrogate(codePoint) && !surrogates))
    return {kReplacementCharacter, 1, false};
  return {codePoint, length, true};
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::size_t CharacterBoundary(std::string_view text, std::size_t at) {
  if (at >= text.size()) return text.size();
  // At most three continuation bytes belong to one character; a longer run of them
  // holds no character to keep whole.
  std::size_t start = at;
  while (start > 0 && at - start < 3 && IsContinuation(static_cast<unsigned char>(text[start])))
    --start;
  return start + DecodeUtf8(text, start, true).length > at ? start : at;
}

std::string_view PrefixWithin(std::string_view text, std::size_t bytes) {
  return text.substr(0, CharacterBoundary(text, bytes));
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); at += DecodeUtf8(text, at, true).length) ++count;
  return count;
}

std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t at = 0;
  for (; at < text.size() && count > 0; --count) at += DecodeUtf8(text, at, true).length;
  return text.substr(0, at);
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character c = DecodeUtf8(text, at);
    if (c.valid) {
      out.append(text.substr(at, c.length));
    } else {
      AppendUtf8(out, kReplacementCharacter);
    }
    at += c.length;
  }
  return out;
}

std::string NarrowUtf16(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (IsHighSurrogate(c) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::u16string WidenUtf8(std::string_view text) {
  std::u16string units;
  units.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character c = DecodeUtf8(text, at, true);
    if (c.codePoint >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((c.codePoint - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((c.codePoint - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(c.codePoint);
    }
    at += c.length;
  }
  return units;
}

std::string UpperCaseUtf8(std::string_view text) { return MapCharacters(text, Upper); }
std::string LowerCaseUtf8(std::string_view text) { return MapCharacters(text, Lower); }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace quillmere
