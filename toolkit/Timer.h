#pragma once

#include <windows.h>

namespace quillmere::win32 {

// A window timer that can be switched on and off; its ticks arrive as WM_TIMER
// with `id()` at the owner window.
class Timer {
 public:
  Timer(HWND owner, UINT_PTR id, UINT interval) : owner_(owner), id_(id), interval_(interval) {}
  ~Timer() { SetEnabled(false); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  UINT_PTR id() const { return id_; }
  bool Enabled() const { return enabled_; }
  // Throws when the system has no timer left to give.
  void SetEnabled(bool enabled);

 private:
  HWND owner_;
  UINT_PTR id_;
  UINT interval_;
  bool enabled_ = false;
};

}  // namespace quillmere::win32
