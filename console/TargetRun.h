#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console/Ledger.h"
#include "console/OutputLines.h"
#include "cookies/CookieKeepList.h"
#include "platform/Ports.h"

namespace quillmere {

// Where the lines of a run go, target by target.
class RunListener {
 public:
  virtual ~RunListener() = default;
  // A line of the activity log, as the window program shows it.
  virtual void Activity(const std::string& target, std::string_view line) = 0;
  // A task's error line, a message it would show in a box, or an error that ended it.
  virtual void Error(const std::string& target, std::string_view message) = 0;
  virtual void Item(const LedgerItem& item) = 0;
  virtual void TargetDone(const std::string& target, const Totals& totals) = 0;
  // The items that follow, up to the next call or the target's end, are of the
  // browser profile `store` ("Chrome (Default)").
  virtual void StoreStarted(const std::string& target, const std::string& store) = 0;
};

// Runs the routines of `targets` (indexes into kTargets, in run order) against the
// recording ports over `ports`, so that a preview and a clean take the same steps
// and only a clean removes anything. An error ends its target, not the run. True
// when no target ended with an error.
bool RunTargets(const Ports& ports, const std::vector<std::size_t>& targets, Ledger::Mode mode,
                const CookieKeepList& keep, RunListener& listener);

}  // namespace quillmere
