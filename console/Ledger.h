#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillmere {

// How one item of a run ended.
enum class Outcome {
  kPlanned,  // a preview: the clean would remove it
  kRemoved,
  kFailed,   // the clean tried, and it is still there
  kSkipped,  // a folder (a link or a junction among them): never removed, never entered
};

struct LedgerItem {
  std::string target;
  std::string name;
  std::optional<std::uint64_t> size;
  Outcome outcome = Outcome::kPlanned;
};

// One item of a list that a single call empties as a whole.
struct ListedItem {
  std::string key;  // what tells it from the others in a fresh listing
  std::string name;
  std::optional<std::uint64_t> size;
};

// The sums of one target's items.
struct Totals {
  int items = 0;  // planned, removed or failed: a skipped folder is no item
  int failed = 0;
  std::optional<std::uint64_t> size;  // of the items that go (or would), where known

  void Add(const LedgerItem& item);
};

// Every item a run removes or, in a preview, would remove. The recording ports enter
// each removal here as it happens; a preview and a clean therefore run the very same
// routines, and only a clean lets a removal reach the operating system.
class Ledger {
 public:
  enum class Mode { kPreview, kClean };

  explicit Ledger(Mode mode, std::function<void(const LedgerItem&)> onItem = {});

  bool Previewing() const { return mode_ == Mode::kPreview; }
  // The target whose items follow.
  void SetTarget(std::string target) { target_ = std::move(target); }

  // One removal. In a clean `remove` runs and its answer is the outcome; in a
  // preview it does not run and the removal is planned. True when the item is gone,
  // or would be.
  bool Remove(std::string name, std::optional<std::uint64_t> size,
              const std::function<bool()>& remove);
  // A list that one call empties. In a clean `empty` runs, and each item that
  // `listAgain` still shows afterwards has failed; in a preview each is planned.
  void RemoveTogether(const std::vector<ListedItem>& items, const std::function<void()>& empty,
                      const std::function<std::vector<ListedItem>()>& listAgain);
  void Skip(std::string name);

  const std::vector<LedgerItem>& Items() const { return items_; }

 private:
  void Enter(std::string name, std::optional<std::uint64_t> size, Outcome outcome);

  Mode mode_;
  std::function<void(const LedgerItem&)> onItem_;
  std::string target_;
  std::vector<LedgerItem> items_;
};

}  // namespace quillmere
