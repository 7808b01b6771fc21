#pragma once

#include <string_view>

namespace quillmere {

// Where a long run reports its steps: the status sink and the progress bar. The
// main window is the real one; the cleaners and gauges are written against this.
class RunReport {
 public:
  virtual ~RunReport() = default;
  // "  " + message in the status bar at once, and the message in the activity log.
  virtual void ShowStatus(std::string_view message) = 0;
  virtual void SetProgressMax(int max) = 0;
  virtual void SetProgressPosition(int position) = 0;
};

}  // namespace quillmere
