#include "cleaners/BrowserHistory.h"

#include <algorithm>

#include "cleaners/HistoryDatabase.h"

namespace quillmere {
namespace {

// Counts the items that went through another removal, for the run's total.
class CountingRemoval final : public BatchRemoval {
 public:
  explicit CountingRemoval(BatchRemoval& removal) : removal_(removal) {}
  std::vector<bool> Remove(const std::vector<RemovalItem>& items,
                           const std::function<void()>& write,
                           const std::function<std::set<std::string>()>& remaining) override {
    std::vector<bool> gone = removal_.Remove(items, write, remaining);
    count_ += static_cast<int>(std::count(gone.begin(), gone.end(), true));
    return gone;
  }
  int count() const { return count_; }

 private:
  BatchRemoval& removal_;
  int count_ = 0;
};

}  // namespace

std::vector<bool> DirectRemoval::Remove(const std::vector<RemovalItem>& items,
                                        const std::function<void()>& write,
                                        const std::function<std::set<std::string>()>& remaining) {
  write();
  const std::set<std::string> left = remaining();
  std::vector<bool> gone;
  gone.reserve(items.size());
  for (const RemovalItem& item : items) gone.push_back(!left.contains(item.key));
  return gone;
}

void ClearBrowserHistory(BrowserFamily family, Files& files, const Shell& shell,
                         BatchRemoval& removal, RunReport& report) {
  CountingRemoval counting(removal);
  for (const BrowserProfile& profile : FindProfiles(family, files, shell)) {
    report.ShowStatus("Clearing " + profile.Name() + " History...");
    try {
      if (family == BrowserFamily::kChromium) {
        ClearChromiumHistory(profile, files, counting, report);
      } else {
        ClearFirefoxHistory(profile, files, counting, report);
      }
    } catch (const DatabaseHeld& held) {
      report.ShowError(profile.Name() + " is open in its browser: close " + profile.browser +
                       " to clear this profile's history (" + held.what() + ").");
    }
  }
  report.ShowStatus("Deleted " + std::to_string(counting.count()) + " History Entries");
}

int CountBrowserHistoryPages(BrowserFamily family, const Files& files, const Shell& shell) {
  std::int64_t pages = 0;
  for (const BrowserProfile& profile : FindProfiles(family, files, shell)) {
    pages += (family == BrowserFamily::kChromium ? CountChromiumPages(profile)
                                                 : CountFirefoxPages(profile))
                 .value_or(0);
  }
  return static_cast<int>(pages);
}

}  // namespace quillmere
