#include "common/Json.h"

#include <cstdint>

#include "platform/Utf8.h"

namespace quillmere {
namespace {

constexpr int kMaxDepth = 200;

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool Value(JsonValue& value, int depth) {
    if (depth > kMaxDepth) return false;
    SkipSpace();
    if (at_ >= text_.size()) return false;
    switch (text_[at_]) {
      case '{':
        return Object(value, depth);
      case '[':
        return Array(value, depth);
      case '"':
        value.kind = JsonValue::Kind::kString;
        return String(value.text);
      case 't':
        value.kind = JsonValue::Kind::kBool;
        return Word("true", value.text);
      case 'f':
        value.kind = JsonValue::Kind::kBool;
        return Word("false", value.text);
      case 'n':
        value.kind = JsonValue::Kind::kNull;
        return Word("null", value.text);
      default:
        value.kind = JsonValue::Kind::kNumber;
        return Number(value.text);
    }
  }

  bool AtEnd() {
    SkipSpace();
    return at_ == text_.size();
  }

 private:
  void SkipSpace() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
      ++at_;
  }

  bool Take(char c) {
    SkipSpace();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

  bool Object(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::kObject;
    ++at_;
    if (Take('}')) return true;
    do {
      SkipSpace();
      std::string name;
      if (at_ >= text_.size() || text_[at_] != '"' || !String(name) || !Take(':')) return false;
      JsonValue member;
      if (!Value(member, depth + 1)) return false;
      value.members.insert_or_assign(std::move(name), std::move(member));
    } while (Take(','));
    return Take('}');
  }

  bool Array(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::kArray;
    ++at_;
    if (Take(']')) return true;
    do {
      JsonValue item;
      if (!Value(item, depth + 1)) return false;
      value.items.push_back(std::move(item));
    } while (Take(','));
    return Take(']');
  }

  bool Word(std::string_view word, std::string& text) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    text = word;
    return true;
  }

  bool Number(std::string& text) {
    const std::size_t start = at_;
    while (at_ < text_.size() &&
           std::string_view("+-.0123456789eE").find(text_[at_]) != std::string_view::npos)
      ++at_;
    text = text_.substr(start, at_ - start);
    return !text.empty();
  }

  bool Hex4(std::uint32_t& code) {
    if (text_.size() - at_ < 4) return false;
    code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[at_++];
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) return false;
      code = code * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
  }

  bool Escape(std::string& out) {
    if (at_ >= text_.size()) return false;
    const char c = text_[at_++];
    switch (c) {
      case '"':
      case '\\':
      case '/':
        out += c;
        return true;
      case 'b':
        out += '\b';
        return true;
      case 'f':
        out += '\f';
        return true;
      case 'n':
        out += '\n';
        return true;
      case 'r':
        out += '\r';
        return true;
      case 't':
        out += '\t';
        return true;
      case 'u':
        break;
      default:
        return false;
    }
    std::uint32_t code = 0;
    if (!Hex4(code)) return false;
    if (code >= 0xD800 && code < 0xDC00) {
      // A surrogate pair spells a character beyond the first 65,536.
      std::uint32_t low = 0;
      if (text_.substr(at_, 2) != "\\u") return false;
      at_ += 2;
      if (!Hex4(low) || low < 0xDC00 || low >= 0xE000) return false;
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    } else if (code >= 0xDC00 && code < 0xE000) {
      return false;
    }
    AppendUtf8(out, code);
    return true;
  }

  bool String(std::string& out) {
    ++at_;  // the opening quote
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"') return true;
      if (c == '\\') {
        if (!Escape(out)) return false;
      } else {
        out += c;
      }
    }
    return false;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

const JsonValue* JsonValue::Member(std::string_view name) const {
  if (kind != Kind::kObject) return nullptr;
  const auto found = members.find(std::string(name));
  return found == members.end() ? nullptr : &found->second;
}

std::optional<JsonValue> ParseJson(std::string_view text) {
  Reader reader(text);
  JsonValue value;
  if (!reader.Value(value, 0) || !reader.AtEnd()) return std::nullopt;
  return value;
}

}  // namespace quillmere
