#include "platform/win32/Win32Desktop.h"

#include <windows.h>

namespace quillmere::win32 {
namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle FromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }

}  // namespace

void Win32Desktop::StartCommand(const std::string& commandLine, int showMode) {
  WinExec(commandLine.c_str(), static_cast<UINT>(showMode));
}

WindowHandle Win32Desktop::FindTopLevel(const char* className, const char* title) const {
  return FromHwnd(FindWindowA(className, title));
}

WindowHandle Win32Desktop::FindChild(WindowHandle parent, const char* className,
                                     const char* title) const {
  return FromHwnd(FindWindowExA(ToHwnd(parent), nullptr, className, title));
}

int Win32Desktop::ControlId(WindowHandle control) const { return GetDlgCtrlID(ToHwnd(control)); }

void Win32Desktop::PostCommand(WindowHandle window, int controlId, WindowHandle control) {
  PostMessageA(ToHwnd(window), WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
               static_cast<LPARAM>(control));
}

void Win32Desktop::SendText(WindowHandle window, const std::string& text) {
  SendMessageA(ToHwnd(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32Desktop::ShowMessage(WindowHandle owner, const std::string& text,
                               const std::string& caption) {
  MessageBoxA(ToHwnd(owner), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

void Win32Desktop::Beep() { MessageBeep(0); }

void Win32Desktop::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

bool Win32Desktop::PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop, which ends on it
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

}  // namespace quillmere::win32
