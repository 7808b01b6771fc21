#pragma once

// What every benchmark measures with: the clock, the median of rounds, the message
// queue pumped as the program's loop would, the sandbox check, and the rows of the
// table scripts/bench prints.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace quillmere::bench {

template <typename Work>
double Milliseconds(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// The middle of the values (the upper middle of an even count).
inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Rounds of each piece of work, interleaved so that every piece meets the same load
// of a shared machine; each piece's median counts.
struct Timed {
  std::function<void()> prepare;
  std::function<void()> work;
  std::vector<double> times{};
  double median() const { return Median(times); }
};
inline void Race(int rounds, const std::vector<Timed*>& pieces) {
  for (int i = 0; i < rounds; ++i) {
    for (Timed* piece : pieces) {
      piece->prepare();
      piece->times.push_back(Milliseconds(piece->work));
    }
  }
}

// Handles whatever the thread's queue holds now, and then for `ms` longer. Unlike the
// tests' PumpMessages, a quit request (which a closed main window leaves) is taken as
// any other message, so that it cannot cut short the next window's measurement.
inline void Pump(DWORD ms = 0) {
  const DWORD until = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (ms) Sleep(10);
  } while (static_cast<LONG>(GetTickCount() - until) < 0);
}

// Benchmarks delete for real: they run only where drive Z: (the whole Linux file
// system under Wine) is gone, that is in a sandbox.
inline bool InSandbox() { return GetFileAttributesA("Z:\\") == INVALID_FILE_ATTRIBUTES; }

// False, said on standard error, outside a sandbox; otherwise the common controls
// the program's windows are made of are ready.
inline bool ReadyInSandbox() {
  if (!InSandbox()) {
    std::fprintf(stderr, "Drive Z: is present: run this in a sandbox.\n");
    return false;
  }
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  return true;
}

// One row of scripts/bench's table, on standard output:
//   ROW|<figure>|<what is measured>|<value>|<goal>|<the measurements behind it>
// Anything else a benchmark prints is its own log.
inline void PrintRow(const std::string& figure, const std::string& what, const std::string& value,
                     const std::string& goal, const std::string& details) {
  std::printf("ROW|%s|%s|%s|%s|%s\n", figure.c_str(), what.c_str(), value.c_str(), goal.c_str(),
              details.c_str());
  std::fflush(stdout);
}

// A number as the table shows it.
inline std::string Fixed(double value, int decimals = 2) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace quillmere::bench
