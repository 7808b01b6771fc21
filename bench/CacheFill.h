#pragma once

// The bench sandbox's URL cache filled with cookies and emptied again, this benchmark
// run again as a child process, and the peak memory of the program with its cookie
// list read: what the cookie benchmarks share.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <wininet.h>

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ActiveForm.h"
#include "app/EraserForm.h"
#include "bench/BareCacheWalk.h"
#include "bench/Measure.h"
#include "helpers/Traces.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Handles.h"

namespace quillmere::bench {

inline std::vector<std::string> Sources() {
  std::vector<std::string> sources;
  WalkUrlCache(nullptr, [&](const INTERNET_CACHE_ENTRY_INFOA& entry) {
    sources.emplace_back(entry.lpszSourceUrlName);
  });
  return sources;
}

inline void EmptyCache() {
  for (const std::string& s : Sources()) DeleteUrlCacheEntryA(s.c_str());
}

// Cookie entries as a browser leaves them, each with its own host, hit count and
// dates: entries `from` to `to` - 1. Wine keeps at most about 60,000 entries in one
// container, so `asPages` puts cookie entries into the pages' container, named as
// pages: the list takes every entry whose type says cookie, wherever it is kept. The
// addresses name an ASCII user: of many entries whose addresses hold bytes beyond
// ASCII, as the sandbox user's name does, Wine's cache lists only some.
inline void Fill(int from, int to, bool asPages = false) {
  std::srand(static_cast<unsigned>(7 + from));
  for (int i = from; i < to; ++i) {
    const std::string hostAndPath = "host" + std::to_string(std::rand() % 100000) + "-" +
                                    std::to_string(i) + ".bench.test/path" + std::to_string(i % 7) +
                                    "/";
    const std::string source = asPages ? "http://" + hostAndPath : "Cookie:bench@" + hostAndPath;
    const double expires = std::rand() % 3000 + std::rand() % 86400 / 86400.0;
    const double modified = -(std::rand() % 3000) + std::rand() % 86400 / 86400.0;
    if (!quillmere::testing::CommitCookie(source, quillmere::testing::DaysFromNow(modified),
                                          quillmere::testing::DaysFromNow(expires),
                                          static_cast<DWORD>(std::rand() % 5000))) {
      std::fprintf(stderr, "could not add %s (error %lu)\n", source.c_str(), GetLastError());
      std::exit(1);
    }
  }
}

// The quit request the main window leaves when it goes, which would end the next
// message loop at once.
inline void TakeQuitMessage() {
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// This program again with `argument`, as a child whose rows join this one's output.
inline void RunChild(const std::string& argument) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "\"" + std::string(self) + "\" " + argument;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  for (const DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE})
    SetHandleInformation(GetStdHandle(which), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION child{};
  std::fflush(stdout);
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &child)) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", command.c_str(), GetLastError());
    return;
  }
  const win32::UniqueKernelHandle process(child.hProcess), thread(child.hThread);
  WaitForSingleObject(process.get(), INFINITE);
}

// In a process of its own: the program started over the stores as they are, its peak
// memory once the list has been read twice (at creation and at the first tick); the
// row names the rows as `kind`.
inline int ListedMemory(const std::string& kind) {
  const win32::ComApartment com;
  const auto peak = [] {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
  };
  const PROCESS_MEMORY_COUNTERS before = peak();
  int rows = 0;
  {
    win32::Win32Platform platform;
    TEraserForm form(platform.ports());
    TActiveForm activity(form.hwnd());
    form.AttachActivityWindow(&activity);
    form.Show();
    bench::Pump(1500);
    rows = form.CookiePage().CookieList().ItemCount();
  }
  const PROCESS_MEMORY_COUNTERS after = peak();
  const double mb = 1024.0 * 1024.0;
  bench::PrintRow(
      "memory", "peak private bytes with " + std::to_string(rows) + " " + kind + " listed",
      bench::Fixed(after.PeakPagefileUsage / mb, 0) + " MB", "report",
      bench::Fixed(static_cast<double>(after.PeakPagefileUsage - before.PeakPagefileUsage) /
                       std::max(rows, 1),
                   0) +
          " bytes a row; peak working set " + bench::Fixed(after.PeakWorkingSetSize / mb, 0) +
          " MB");
  return 0;
}

}  // namespace quillmere::bench
