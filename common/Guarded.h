#pragma once

#include <string_view>

#include "common/RunReport.h"

namespace quillmere {

// Runs a task that guards itself: whatever it throws ends it, and its one error line
// is reported instead, so that the run goes on with the next task.
template <typename Task>
void RunGuarded(RunReport& report, std::string_view errorLine, Task&& task) {
  try {
    task();
  } catch (...) {
    report.ShowStatus(errorLine);
  }
}

}  // namespace quillmere
