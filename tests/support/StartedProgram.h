#pragma once

// Programs the tests start and watch from outside: a console program's output, and
// the windows a program shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/Handles.h"

namespace quillmere::testing {

// A console program's run: its exit code and its two streams, line by line.
struct Finished {
  DWORD exitCode = 0xFFFFFFFF;
  std::vector<std::string> out;
  std::vector<std::string> err;
};

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.pop_back();
    lines.push_back(std::move(line));
  }
  EXPECT_EQ(start, text.size()) << "a last line without its end";
  return lines;
}

inline std::string ReadAll(HANDLE pipe) {
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read) text.append(buffer, read);
  return text;
}

// Runs `command` to its end, its output and errors through pipes.
inline Finished RunForOutput(std::string command) {
  using UniqueHandle = win32::UniqueKernelHandle;
  Finished finished;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
  if (!CreatePipe(&outRead, &outWrite, &inherit, 0) ||
      !CreatePipe(&errRead, &errWrite, &inherit, 0)) {
    ADD_FAILURE() << "no pipes: " << GetLastError();
    return finished;
  }
  UniqueHandle outReader(outRead), outWriter(outWrite), errReader(errRead), errWriter(errWrite);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &info)) {
    ADD_FAILURE() << "cannot start " << command << ": " << GetLastError();
    return finished;
  }
  const UniqueHandle process(info.hProcess), thread(info.hThread);
  // Only the child holds the writing ends now, so the reads end when it does.
  outWriter.reset();
  errWriter.reset();
  std::string err;
  std::thread errors([&] { err = ReadAll(errRead); });
  const std::string out = ReadAll(outRead);
  errors.join();
  EXPECT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0) << command;
  GetExitCodeProcess(process.get(), &finished.exitCode);
  finished.out = Lines(out);
  finished.err = Lines(err);
  return finished;
}

// The top-level window of class `className` that `process` shows (the main window)
// or keeps hidden (any other), once it is there; null after fifteen seconds.
inline HWND WaitForWindow(DWORD process, const char* className) {
  struct FoundWindow {
    DWORD process;
    const char* className;
    HWND hwnd = nullptr;
  };
  const auto match = [](HWND hwnd, LPARAM param) -> BOOL {
    auto& want = *reinterpret_cast<FoundWindow*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char name[64];
    GetClassNameA(hwnd, name, sizeof name);
    if (owner != want.process || std::string(name) != want.className) return TRUE;
    want.hwnd = hwnd;
    return FALSE;
  };
  for (int i = 0; i < 300; ++i) {
    FoundWindow found{process, className};
    EnumWindows(match, reinterpret_cast<LPARAM>(&found));
    if (found.hwnd && IsWindowVisible(found.hwnd) == (std::string(className) == "TEraserForm")) {
      return found.hwnd;
    }
    Sleep(50);
  }
  return nullptr;
}

}  // namespace quillmere::testing
