#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

// A JSON value as read from a file another program wrote (a browser's settings):
// objects, arrays and strings are kept; numbers keep their text; true, false and
// null only their kind.
struct JsonValue {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  std::string text;  // a string's UTF-8 text, a number's digits, "true" or "false"
  std::vector<JsonValue> items;
  std::map<std::string, JsonValue> members;

  // The member `name` of an object; nullptr for a missing member or a non-object.
  const JsonValue* Member(std::string_view name) const;
};

// The value `text` holds; nullopt when it is no JSON (or nests deeper than 200
// levels, which no settings file does and would only exhaust the stack).
std::optional<JsonValue> ParseJson(std::string_view text);

}  // namespace quillmere
