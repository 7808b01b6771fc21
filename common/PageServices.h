#pragma once

#include "common/RunReport.h"
#include "platform/Ports.h"

namespace quillmere {

// The activity window as a run started by a button sees it: it comes up empty at
// the start, and the cookie clean-up puts it away at the end.
class ActivityLog {
 public:
  virtual ~ActivityLog() = default;
  virtual void ShowEmpty() = 0;
  virtual void Hide() = 0;
};

// What a run asks for when it is done: every gauge measured again.
class GaugeRefresh {
 public:
  virtual ~GaugeRefresh() = default;
  virtual void RefreshGauges() = 0;
};

// The program's help, which the "Help" button of either page opens over the main window.
class HelpWindow {
 public:
  virtual ~HelpWindow() = default;
  virtual void ShowHelp() = 0;
};

// What the runs of a page work on and report to, and the help its button opens. The
// main window gives these to its pages; a page knows nothing else of it.
struct PageServices {
  const Ports& ports;
  RunReport& report;
  ActivityLog& activity;
  GaugeRefresh& gauges;
  HelpWindow& help;
};

}  // namespace quillmere
