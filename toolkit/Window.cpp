#include "toolkit/Window.h"

#include <exception>
#include <stdexcept>
#include <utility>

#include "platform/win32/SystemError.h"

namespace quillmere::win32 {
namespace {

ErrorHandler& TopLevelErrorHandler() {
  static ErrorHandler handler;
  return handler;
}

}  // namespace

void SetTopLevelErrorHandler(ErrorHandler handler) { TopLevelErrorHandler() = std::move(handler); }

void ReportTopLevelError(const std::string& message) {
  if (TopLevelErrorHandler()) TopLevelErrorHandler()(message);
}

void ShowErrorBox(const std::string& message) {
  MessageBoxA(GetActiveWindow(), message.c_str(), "Quillmere", MB_OK | MB_ICONINFORMATION);
}

void CloseTopLevelWindow(HWND child) { PostMessageA(GetAncestor(child, GA_ROOT), WM_CLOSE, 0, 0); }

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void Window::Create(const CreateArgs& args) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExA(instance, args.className, &existing)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = args.classStyle;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = args.background;
    wc.lpszClassName = args.className;
    if (!RegisterClassExA(&wc)) {
      throw std::runtime_error(std::string("Cannot register the window class ") + args.className +
                               " (" + SystemErrorText(GetLastError()) + ").");
    }
  }
  SetLastError(0);
  CreateWindowExA(args.exStyle, args.className, args.title, args.style, args.x, args.y, args.width,
                  args.height, args.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                  instance, this);
  if (!hwnd_) {
    throw std::runtime_error(std::string("Cannot create the window ") + args.className + " (" +
                             SystemErrorText(GetLastError()) + ").");
  }
  // A procedure set through the wide entry point makes the window take the wide
  // messages from then on, whatever the class was registered with. Wine looks a
  // procedure up by its address and keeps the form it first came in, so the wide
  // one is a function of its own.
  if (args.unicode) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WideWindowProc));
    unicode_ = IsWindowUnicode(hwnd_);
    if (!unicode_)
      throw std::runtime_error(std::string("Cannot make Unicode the window ") + args.className);
  }
}

void Window::CreateCentred(CreateArgs args, int clientWidth, int clientHeight) {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, args.style, FALSE, args.exStyle);
  const RECT placed = CentredOuterRect(frame.right - frame.left, frame.bottom - frame.top);
  args.x = placed.left;
  args.y = placed.top;
  args.width = placed.right - placed.left;
  args.height = placed.bottom - placed.top;
  Create(args);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) {
    return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, message, wParam, lParam)
                                 : DefWindowProcA(hwnd, message, wParam, lParam);
  }

  // The owner of a modal window comes back before the window goes, so that the
  // activation returns to it rather than to another program's window.
  if (message == WM_CLOSE && self->modalOwner_) {
    EnableWindow(self->modalOwner_, TRUE);
    self->modalOwner_ = nullptr;
  }
  const LRESULT result = Guarded([&] { return self->HandleMessage(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

LRESULT CALLBACK Window::WideWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return WindowProc(hwnd, message, wParam, lParam);
}

RECT CentredOuterRect(int width, int height) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;
  return RECT{x, y, x + width, y + height};
}

void Window::ShowModal(HWND owner) {
  const HWND window = hwnd_;
  if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    modalOwner_ = owner;
  }
  ShowWindow(window, SW_SHOW);
  MSG msg;
  while (IsWindow(window)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit to the main loop
      break;
    }
    if (got == -1) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (IsWindow(window) && modalOwner_) EnableWindow(modalOwner_, TRUE);  // the quit came first
  modalOwner_ = nullptr;
  if (owner) SetActiveWindow(owner);
}

}  // namespace quillmere::win32
