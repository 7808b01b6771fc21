#pragma once

namespace quillmere {

// The activity window as a run started by a button sees it: it comes up empty at
// the start, and the cookie clean-up puts it away at the end.
class ActivityLog {
 public:
  virtual ~ActivityLog() = default;
  virtual void ShowEmpty() = 0;
  virtual void Hide() = 0;
};

}  // namespace quillmere
