#pragma once

#include <windows.h>

#include <functional>

namespace quillmere::win32 {

// Takes every message of a window of a platform class before the class's own
// procedure sees it, for as long as the hook lives or the window does. The common
// controls' own subclassing keeps its state in window properties, which Wine asks
// its server for on every message: a list filled row by row spends most of its
// time there. The hook keeps itself in the window's user data instead.
//
// The handler is guarded: whatever it throws is reported as a top-level error and
// the message answered with 0, never unwound through the platform's code. When
// something subclassed the window after the hook, the hook cannot take itself out
// of the chain when it goes; it then leaves the window's messages passing straight
// on to the procedure it took them from.
class WindowHook {
 public:
  using Handler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;
  WindowHook(HWND window, Handler handler);
  ~WindowHook();
  WindowHook(const WindowHook&) = delete;
  WindowHook& operator=(const WindowHook&) = delete;

  // The message as the window's own procedure answers it.
  LRESULT CallNext(UINT message, WPARAM wParam, LPARAM lParam) const;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Release();

  HWND window_;
  WNDPROC next_ = nullptr;
  Handler handler_;
};

}  // namespace quillmere::win32
