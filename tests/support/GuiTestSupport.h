#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Handles.h"

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

// Runs a program of the test run to its end and returns its exit code; 0xFFFFFFFF,
// with the test failed, when it does not start or does not end within `timeoutMs`.
inline DWORD ExitCodeOfProgram(const std::string& command, DWORD timeoutMs = INFINITE,
                               std::string* environment = nullptr) {
  PROCESS_INFORMATION started{};
  if (!StartProgram(command, started, environment)) return 0xFFFFFFFF;
  const win32::UniqueKernelHandle process(started.hProcess), thread(started.hThread);
  DWORD code = 0xFFFFFFFF;
  if (WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) {
    ADD_FAILURE() << command << " did not end within " << timeoutMs << " ms";
    return code;
  }
  GetExitCodeProcess(process.get(), &code);
  return code;
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

// What a message box of the program showed, read while it was up and then closed
// with its OK button.
struct MessageBoxSeen {
  bool found = false;
  std::string caption;
  std::string text;
  HWND owner = nullptr;
  bool informationIcon = false;
  bool onlyOk = false;
};
inline MessageBoxSeen seenBox;

inline std::string WindowTextOf(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

inline void CALLBACK ReadMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = FindWindowA("#32770", "Quillmere");
  if (!dialog) return;
  KillTimer(nullptr, timer);
  seenBox.found = true;
  seenBox.caption = WindowTextOf(dialog);
  seenBox.text = WindowTextOf(GetDlgItem(dialog, 0xFFFF));
  seenBox.owner = GetWindow(dialog, GW_OWNER);
  const HWND icon = GetDlgItem(dialog, 0x440);  // the box's icon control
  seenBox.informationIcon =
      icon && reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)) ==
                  LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_INFORMATION));
  seenBox.onlyOk = GetDlgItem(dialog, IDOK) && !GetDlgItem(dialog, IDCANCEL) &&
                   !GetDlgItem(dialog, IDYES) && !GetDlgItem(dialog, IDNO);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

// Reads the next box captioned "Quillmere" that comes up while this thread pumps
// messages, into seenBox. Returns the timer that looks for it.
inline UINT_PTR ReadNextMessageBox() {
  seenBox = MessageBoxSeen{};
  return SetTimer(nullptr, 0, 50, ReadMessageBox);
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
