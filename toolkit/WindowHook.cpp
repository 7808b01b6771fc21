#include "toolkit/WindowHook.h"

#include <stdexcept>

namespace quillmere {

// The window stays a Unicode window, as its class made it, so that the texts other
// programs ask it for are not converted on the way.
WindowHook::WindowHook(HWND window, Handler handler)
    : window_(window), handler_(std::move(handler)) {
  if (GetWindowLongPtrW(window_, GWLP_USERDATA))
    throw std::runtime_error("The window's user data is taken.");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  next_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  if (!next_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    throw std::runtime_error("Cannot take the window's messages.");
  }
}

WindowHook::~WindowHook() { Release(); }

void WindowHook::Release() {
  if (!window_) return;
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next_));
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  window_ = nullptr;
}

LRESULT WindowHook::CallNext(UINT message, WPARAM wParam, LPARAM lParam) const {
  return CallWindowProcW(next_, window_, message, wParam, lParam);
}

LRESULT CALLBACK WindowHook::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* hook = reinterpret_cast<WindowHook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message != WM_NCDESTROY) return hook->handler_(message, wParam, lParam);
  const WNDPROC next = hook->next_;
  hook->Release();
  return CallWindowProcW(next, hwnd, message, wParam, lParam);
}

}  // namespace quillmere
