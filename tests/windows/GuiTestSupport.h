#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace quillmere::testing {

// Handles whatever the thread's queue holds now, and then for `ms` longer.
inline void PumpMessages(DWORD ms = 0) {
  const DWORD until = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // left for TakeQuitMessage
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (ms) Sleep(10);
  } while (static_cast<LONG>(GetTickCount() - until) < 0);
}

// True when the thread was asked to quit; the request is taken off the queue.
inline bool TakeQuitMessage() {
  MSG msg;
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

// The folder of the running test program, with its final backslash.
// The running test program's own file.
inline std::string TestProgramFile() {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  return self;
}

inline std::string TestProgramFolder() {
  std::string folder = TestProgramFile();
  folder.resize(folder.find_last_of('\\') + 1);
  return folder;
}

// Starts a program of the test run, with this process's environment or the given
// block; false, with the test failed, when it cannot. Under load Wine has been seen
// to refuse a start now and then, so only a refusal that lasts counts.
inline bool StartProgram(std::string command, PROCESS_INFORMATION& started,
                         std::string* environment = nullptr) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                       environment ? environment->data() : nullptr, nullptr, &startup, &started)) {
      return true;
    }
    Sleep(200);
  }
  ADD_FAILURE() << "cannot start " << command << ": error " << GetLastError();
  return false;
}

inline std::string StatusBarText(HWND statusBar) {
  char text[512] = {};
  SendMessageA(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

inline std::string ToolButtonCaption(HWND toolbar, int id) {
  char text[128] = {};
  SendMessageA(toolbar, TB_GETBUTTONTEXTA, id, reinterpret_cast<LPARAM>(text));
  return text;
}

// A click on the button as the mouse gives it.
inline void ClickToolButton(HWND toolbar, int id) {
  RECT rc{};
  SendMessageA(toolbar, TB_GETRECT, id, reinterpret_cast<LPARAM>(&rc));
  const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  SendMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(toolbar, WM_LBUTTONUP, 0, at);
}

inline SIZE ClientSize(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

inline SIZE OuterSize(HWND hwnd) {
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

}  // namespace quillmere::testing
