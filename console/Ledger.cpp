#include "console/Ledger.h"

#include <set>

namespace quillmere {

void Totals::Add(const LedgerItem& item) {
  if (item.outcome == Outcome::kSkipped) return;
  ++items;
  if (item.outcome == Outcome::kFailed) {
    ++failed;
  } else if (item.size) {
    size = size.value_or(0) + *item.size;
  }
}

Ledger::Ledger(Mode mode, std::function<void(const LedgerItem&)> onItem)
    : mode_(mode), onItem_(std::move(onItem)) {}

bool Ledger::Remove(std::string name, std::optional<std::uint64_t> size,
                    const std::function<bool()>& remove) {
  if (Previewing()) {
    Enter(std::move(name), size, Outcome::kPlanned);
    return true;
  }
  const bool removed = remove();
  Enter(std::move(name), size, removed ? Outcome::kRemoved : Outcome::kFailed);
  return removed;
}

void Ledger::RemoveTogether(const std::vector<ListedItem>& items,
                            const std::function<void()>& empty,
                            const std::function<std::vector<ListedItem>()>& listAgain) {
  if (Previewing()) {
    for (const ListedItem& item : items) Enter(item.name, item.size, Outcome::kPlanned);
    return;
  }
  empty();
  // The call's own answer says nothing of single items; what is still listed stays.
  std::multiset<std::string> left;
  for (const ListedItem& item : listAgain()) left.insert(item.key);
  for (const ListedItem& item : items) {
    const auto still = left.find(item.key);
    const bool stayed = still != left.end();
    if (stayed) left.erase(still);
    Enter(item.name, item.size, stayed ? Outcome::kFailed : Outcome::kRemoved);
  }
}

void Ledger::Skip(std::string name) { Enter(std::move(name), std::nullopt, Outcome::kSkipped); }

void Ledger::Enter(std::string name, std::optional<std::uint64_t> size, Outcome outcome) {
  items_.push_back({target_, std::move(name), size, outcome});
  if (onItem_) onItem_(items_.back());
}

}  // namespace quillmere
