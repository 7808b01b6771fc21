#include "console/OutputLines.h"

#include <cstdio>

#include "gauges/Gauges.h"
#include "platform/Utf8.h"

namespace quillmere {
namespace {

std::string Count(int items) { return std::to_string(items) + (items == 1 ? " item" : " items"); }

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

std::string JsonSize(const std::optional<std::uint64_t>& size) {
  return size ? std::to_string(*size) : "null";
}

const char* OutcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::kPlanned:
      return "planned";
    case Outcome::kRemoved:
      return "removed";
    case Outcome::kFailed:
      return "failed";
    case Outcome::kSkipped:
      return "skipped";
  }
  return "";
}

std::string TargetJson(std::string_view target) { return "{\"target\":" + JsonString(target); }

}  // namespace

void Totals::Add(const LedgerItem& item) {
  if (item.outcome == Outcome::kSkipped) return;
  ++items;
  if (item.outcome == Outcome::kFailed) {
    ++failed;
  } else if (item.size) {
    size = size.value_or(0) + *item.size;
  }
}

std::string ListLine(const Target& target, const Totals& totals) {
  return Padded(target.id, 18) + Padded(Count(totals.items), 12) +
         Padded(totals.size ? SizeFigure(*totals.size) : "", 10) + target.caption;
}

std::string ProfileLine(std::string_view profile, const Totals& totals) {
  return Padded("", 18) + Padded(Count(totals.items), 22) + std::string(profile);
}

std::string ItemLine(const LedgerItem& item) {
  std::string line = item.target + "  " + item.name;
  if (item.size && item.outcome != Outcome::kFailed) line += "  " + SizeFigure(*item.size);
  if (item.outcome == Outcome::kFailed) line += "  could not be removed";
  if (item.outcome == Outcome::kSkipped) line += "  left alone: a folder is never entered";
  return line;
}

std::string TotalLine(std::string_view target, const Totals& totals, bool cleaned) {
  std::string line = std::string(target) + "  ";
  if (totals.items == 0) return line + "nothing to remove";
  if (!cleaned) {
    line += Count(totals.items);
  } else if (totals.failed == 0) {
    line += "removed " + Count(totals.items);
  } else {
    line +=
        "removed " + std::to_string(totals.items - totals.failed) + " of " + Count(totals.items);
  }
  if (totals.size) line += ", " + SizeFigure(*totals.size);
  if (totals.failed) line += "; " + std::to_string(totals.failed) + " could not be removed";
  return line;
}

std::string ListJson(const Target& target, const Totals& totals) {
  return TargetJson(target.id) + ",\"caption\":" + JsonString(target.caption) +
         ",\"items\":" + std::to_string(totals.items) + ",\"size\":" + JsonSize(totals.size) + "}";
}

std::string ProfileJson(std::string_view target, std::string_view profile, const Totals& totals) {
  return TargetJson(target) + ",\"profile\":" + JsonString(profile) +
         ",\"items\":" + std::to_string(totals.items) + ",\"size\":" + JsonSize(totals.size) + "}";
}

std::string ItemJson(const LedgerItem& item) {
  return TargetJson(item.target) + ",\"item\":" + JsonString(item.name) +
         ",\"size\":" + JsonSize(item.size) + ",\"outcome\":\"" + OutcomeName(item.outcome) + "\"}";
}

std::string TotalJson(std::string_view target, const Totals& totals, bool cleaned) {
  std::string json = TargetJson(target) + ",\"items\":" + std::to_string(totals.items) +
                     ",\"size\":" + JsonSize(totals.size);
  if (cleaned) {
    json += ",\"removed\":" + std::to_string(totals.items - totals.failed) +
            ",\"failed\":" + std::to_string(totals.failed);
  }
  return json + "}";
}

std::string MessageJson(std::string_view target, std::string_view message) {
  return TargetJson(target) + ",\"message\":" + JsonString(message) + "}";
}

std::string ErrorJson(std::string_view target, std::string_view message) {
  return TargetJson(target) + ",\"error\":" + JsonString(message) + "}";
}

// JSON is UTF-8 and nothing else: a byte that starts no character of it (a name
// with an unpaired surrogate, carried as WTF-8) is written as U+FFFD.
std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character c = DecodeUtf8(text, at);
    if (c.codePoint == '"' || c.codePoint == '\\') {
      json += '\\';
      json += static_cast<char>(c.codePoint);
    } else if (c.codePoint < 0x20) {
      char escaped[7];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c.codePoint));
      json += escaped;
    } else if (c.valid) {
      json.append(text.substr(at, c.length));
    } else {
      AppendUtf8(json, kReplacementCharacter);
    }
    at += c.length;
  }
  return json + "\"";
}

}  // namespace quillmere
