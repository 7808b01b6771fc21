#pragma once

#include <windows.h>

#include <functional>

namespace quillmere {

// Takes every message of a window of a platform class before the class's own
// procedure sees it, for as long as the hook lives or the window does. The common
// controls' own subclassing keeps its state in window properties, which Wine asks
// its server for on every message: a list filled row by row spends most of its
// time there. The hook keeps itself in the window's user data instead.
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

}  // namespace quillmere
