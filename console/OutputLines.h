#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "console/Ledger.h"
#include "console/Targets.h"

namespace quillmere {

// The sums of one target's items.
struct Totals {
  int items = 0;  // planned, removed or failed: a skipped folder is no item
  int failed = 0;
  std::optional<std::uint64_t> size;  // of the items that go (or would), where known

  void Add(const LedgerItem& item);
};

// The lines a console run writes: as text for people, or one JSON object a line
// for programs. Texts are UTF-8, as the program's; a name that is not valid UTF-8
// shows U+FFFD in its place in both (the console makes the text lines valid).

std::string ListLine(const Target& target, const Totals& totals);
// The line under a browser target's list line for each of its profiles.
std::string ProfileLine(std::string_view profile, const Totals& totals);
std::string ItemLine(const LedgerItem& item);
// After a preview: the count and size; after a clean: how many went.
std::string TotalLine(std::string_view target, const Totals& totals, bool cleaned);

std::string ListJson(const Target& target, const Totals& totals);
std::string ProfileJson(std::string_view target, std::string_view profile, const Totals& totals);
std::string ItemJson(const LedgerItem& item);
std::string TotalJson(std::string_view target, const Totals& totals, bool cleaned);
// A line of the activity log, and a task's error line.
std::string MessageJson(std::string_view target, std::string_view message);
std::string ErrorJson(std::string_view target, std::string_view message);

// `text` as a JSON string, quotes included.
std::string JsonString(std::string_view text);

}  // namespace quillmere
