// The task run as the user meets it: the real main window and activity window on
// screen, "Clean Up" pressed on the task page with the AOL task ticked, over an AOL
// 4.0 cache of N files, against the bare search-and-delete loop over the same tree
// (and against the purge with a report that only counts its lines); and the status
// sink alone, M lines through the real windows. Every figure is a ratio of
// measurements taken in the same run, round after round, and the median is shown.
//   task_run_bench.exe                  every row below
//   task_run_bench.exe purge N [ROUNDS] the task run over N files
//   task_run_bench.exe lines [ROUNDS]   100,000 lines against 10,000
// Run it in a sandbox of its own on a virtual display (scripts/bench does).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/ActiveForm.h"
#include "app/EraserForm.h"
#include "bench/FileTree.h"
#include "bench/Measure.h"
#include "cleaners/FolderPurge.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"

namespace {

using namespace quillmere;

const std::string kAolCache = "C:\\AOL40\\CACHE";
constexpr int kAolTask = 8;
// The AOL task's own lines (four openings, five closings) and the gauges' three.
constexpr std::size_t kLinesBesideTheFiles = 9 + 3;

// The two windows as the program shows them, settled after the first timer tick.
struct Windows {
  explicit Windows(win32::Win32Platform& platform) : form(platform.ports()), activity(form.hwnd()) {
    form.AttachActivityWindow(&activity);
    form.Show();
    bench::Pump(1500);
  }
  TEraserForm form;
  TActiveForm activity;
};

// When the activity window's memo showed each batch of lines.
class MemoWatch {
 public:
  explicit MemoWatch(TActiveForm& activity) : memo_(activity.Memo()) {
    memo_.OnRevealed = [this] { times_.push_back(GetTickCount()); };
  }
  ~MemoWatch() { memo_.OnRevealed = nullptr; }
  MemoWatch(const MemoWatch&) = delete;
  MemoWatch& operator=(const MemoWatch&) = delete;

  // The longest the memo went without a new batch between `start` and `end`.
  DWORD LongestWait(DWORD start, DWORD end) const {
    DWORD longest = 0;
    DWORD last = start;
    for (const DWORD t : times_) {
      longest = std::max(longest, t - last);
      last = t;
    }
    return std::max(longest, end - last);
  }

 private:
  win32::LogView& memo_;
  std::vector<DWORD> times_;
};

class CountingReport final : public RunReport {
 public:
  void ShowStatus(std::string_view) override { ++lines; }
  void SetProgressMax(int) override {}
  void SetProgressPosition(int) override {}
  long lines = 0;
};

struct PurgeRound {
  double window = 0;
  double bare = 0;
  double logic = 0;  // with the counting report; 0 when not measured
  std::size_t lines = 0;
  DWORD longestWait = 0;
};

PurgeRound PurgeOnce(Windows& windows, Files& files, int count, bool withLogic) {
  PurgeRound round;
  bench::MakeFileTree(kAolCache, count);
  windows.form.TaskPage().TaskList().SetChecked(kAolTask, true);
  {
    const MemoWatch watch(windows.activity);
    const DWORD start = GetTickCount();
    round.window = bench::Milliseconds([&] {
      SendMessageA(windows.form.hwnd(), WM_COMMAND, ToolButton11, 0);
      bench::Pump();  // what the run left for the message loop belongs to it
    });
    round.longestWait = watch.LongestWait(start, GetTickCount());
  }
  round.lines = windows.activity.Lines().size();
  bench::MakeFileTree(kAolCache, count);
  round.bare = bench::Milliseconds([&] { bench::BareLoop(kAolCache); });
  if (withLogic) {
    bench::MakeFileTree(kAolCache, count);
    CountingReport counting;
    round.logic = bench::Milliseconds([&] { PurgeFolder(files, counting, kAolCache); });
  }
  bench::RemoveFileTree(kAolCache, count);
  return round;
}

std::string Thousands(long n) {
  std::string digits = std::to_string(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return digits;
}

void Purge(int count, int rounds, bool withLogic) {
  win32::Win32Platform platform;
  Windows windows(platform);
  windows.form.SetActivePageIndex(1);
  std::vector<double> ratios;
  std::vector<double> logicRatios;
  std::vector<double> waits;
  std::string details;
  bool everyLine = true;
  const std::size_t expected = 2u * count + kLinesBesideTheFiles;
  for (int r = 0; r < rounds; ++r) {
    const PurgeRound round = PurgeOnce(windows, platform.ports().files, count, withLogic);
    std::fprintf(stderr,
                 "purge %d: window %.0f ms, bare %.0f ms, logic %.0f ms, %zu lines, "
                 "longest wait of the activity window %lu ms\n",
                 count, round.window, round.bare, round.logic, round.lines, round.longestWait);
    ratios.push_back(round.window / round.bare);
    if (withLogic) logicRatios.push_back(round.logic / round.bare);
    waits.push_back(round.longestWait);
    everyLine = everyLine && round.lines == expected;
    details += (details.empty() ? "" : "; ") + bench::Fixed(round.window / 1000, 1) + " s / " +
               bench::Fixed(round.bare / 1000, 2) + " s";
  }
  const std::string files = Thousands(count) + " files";
  bench::PrintRow("P2", "task run through the windows / bare loop, " + files,
                  bench::Fixed(bench::Median(ratios), 1), count <= 10000 ? "<= 3" : "<= 4",
                  "median of " + std::to_string(rounds) + ": " + details);
  bench::PrintRow("P2", "activity lines of that run, " + files,
                  everyLine ? Thousands(static_cast<long>(expected)) : "LINES LOST",
                  Thousands(static_cast<long>(expected)), "every line, in every round");
  bench::PrintRow("P2", "longest the activity window waited, " + files,
                  bench::Fixed(bench::Median(waits), 0) + " ms", "<= 250 ms",
                  "median of " + std::to_string(rounds) + " runs");
  if (withLogic) {
    bench::PrintRow("P2", "purge with a report that only counts / bare loop, " + files,
                    bench::Fixed(bench::Median(logicRatios), 2), "report",
                    "what the purge costs without the windows");
  }
}

double LinesOnce(Windows& windows, int count) {
  windows.activity.ClearLines();
  return bench::Milliseconds([&] {
    for (int i = 0; i < count; ++i) windows.form.ShowStatus("Deleting : file" + std::to_string(i));
    bench::Pump();
  });
}

void Lines(int rounds) {
  win32::Win32Platform platform;
  Windows windows(platform);
  windows.activity.Show();
  std::vector<double> ratios;
  std::string details;
  for (int r = 0; r < rounds; ++r) {
    const double few = LinesOnce(windows, 10000);
    const double many = LinesOnce(windows, 100000);
    const bool complete = windows.activity.Lines().size() == 100000u;
    std::fprintf(stderr, "lines: 10,000 in %.0f ms, 100,000 in %.0f ms%s\n", few, many,
                 complete ? "" : " (lines lost)");
    ratios.push_back(complete ? many / few : 1e9);
    details += (details.empty() ? "" : "; ") + bench::Fixed(many / 1000, 1) + " s / " +
               bench::Fixed(few / 1000, 2) + " s";
  }
  bench::PrintRow("P4", "100,000 activity lines / 10,000, through the windows",
                  bench::Fixed(bench::Median(ratios), 1), "<= 12",
                  "median of " + std::to_string(rounds) + ": " + details);
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::ReadyInSandbox()) return 1;
  const win32::ComApartment com;
  const auto number = [&](int index, int fallback) {
    return argc > index ? std::atoi(argv[index]) : fallback;
  };
  if (argc == 1) {
    Purge(10000, 3, true);
    Purge(100000, 2, false);
    Lines(3);
    return 0;
  }
  if (std::strcmp(argv[1], "purge") == 0 && argc >= 3) {
    Purge(number(2, 10000), number(3, 3), true);
    return 0;
  }
  if (std::strcmp(argv[1], "lines") == 0) {
    Lines(number(2, 3));
    return 0;
  }
  std::fprintf(stderr, "usage: task_run_bench.exe [purge FILES [ROUNDS] | lines [ROUNDS]]\n");
  return 2;
}
