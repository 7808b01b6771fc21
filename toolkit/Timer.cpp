#include "toolkit/Timer.h"

#include <stdexcept>

namespace quillmere::win32 {

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  if (enabled && !SetTimer(owner_, id_, interval_, nullptr))
    throw std::runtime_error("Cannot start the timer.");
  if (!enabled) KillTimer(owner_, id_);
  enabled_ = enabled;
}

}  // namespace quillmere::win32
