#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/RunReport.h"
#include "history/UrlHistory.h"
#include "platform/Ports.h"

namespace quillmere {

inline constexpr int kCleanupTaskCount = 9;

// What the clean-up tasks work on, and where they report.
struct CleanupServices {
  const Ports& ports;
  TUrlHistory& history;  // its OnDelete approves what the history purge offers
  RunReport& report;
  std::uintptr_t ownerWindow;                           // owns the shell's windows
  std::function<void(const std::string&)> showMessage;  // a modal message box
};

// The task at `index` of the task list.
void RunCleanupTask(int index, const CleanupServices& services);

// Every task `isTicked` names, in list order whatever order they were ticked in.
void RunTickedTasks(const std::function<bool(int)>& isTicked, const CleanupServices& services);

}  // namespace quillmere
