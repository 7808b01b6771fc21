#include "toolkit/WindowHook.h"

#include <stdexcept>

#include "toolkit/Window.h"

namespace quillmere::win32 {
namespace {

// The procedure a released hook passed the window's messages on to, kept with the
// window while another procedure still calls the hook's.
constexpr wchar_t kPassOnProperty[] = L"QuillmereHookPassOn";

}  // namespace

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

// Putting the old procedure back while another one stands over this hook's would
// cut that one off; so it goes back only when the hook's procedure is still the
// window's. Otherwise the old procedure stays with the window for Proc to pass the
// messages on to; where it cannot, the old procedure goes back after all, since a
// window that answers nothing is worse than a subclass cut off.
void WindowHook::Release() {
  if (!window_) return;
  const bool ours = GetWindowLongPtrW(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Proc);
  if (ours || !SetPropW(window_, kPassOnProperty, reinterpret_cast<HANDLE>(next_)))
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next_));
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  window_ = nullptr;
}

LRESULT WindowHook::CallNext(UINT message, WPARAM wParam, LPARAM lParam) const {
  return CallWindowProcW(next_, window_, message, wParam, lParam);
}

LRESULT CALLBACK WindowHook::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* hook = reinterpret_cast<WindowHook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!hook) {  // released under another procedure
    const auto next = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kPassOnProperty));
    if (message == WM_NCDESTROY) RemovePropW(hwnd, kPassOnProperty);
    return next ? CallWindowProcW(next, hwnd, message, wParam, lParam)
                : DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (message != WM_NCDESTROY)
    return Guarded([&] { return hook->handler_(message, wParam, lParam); });
  // The window goes, and no message comes after this one: there is nothing to put back.
  const WNDPROC next = hook->next_;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  hook->window_ = nullptr;
  return CallWindowProcW(next, hwnd, message, wParam, lParam);
}

}  // namespace quillmere::win32
