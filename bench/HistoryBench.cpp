// The two runs over the URL history, as the user meets them: the real main window and
// activity window on screen, a button of the task page pressed, over a history of N
// visits, each against the bare WinINet loop it is built on, measured in the same
// run, round after round (the median shown):
//   the history purge ("Clean Up" with the URL history task ticked) against reading
//   the history container's entries and deleting each with DeleteUrlCacheEntryA;
//   the index report ("Index Report") against reading the entries.
//   history_bench.exe [N [ROUNDS]]     (10,000 visits, 3 rounds)
// Run it in a sandbox of its own on a virtual display (scripts/bench does). It fills
// that sandbox's history with visits and empties it again.
#include <windows.h>
#include <commctrl.h>
#include <wininet.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ActiveForm.h"
#include "app/EraserForm.h"
#include "bench/BareCacheWalk.h"
#include "bench/Measure.h"
#include "helpers/Traces.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"

namespace {

using namespace quillmere;
using bench::Race;
using bench::Timed;

constexpr int kUrlHistoryTask = 1;

// Each entry of the history container, fetched whole as the store reads it; its
// names when `names` is given. Wine spells the container with a capital, Windows
// documents it in lower case.
int ReadVisits(std::vector<std::string>* names = nullptr) {
  for (const char* pattern : {"Visited:", "visited:"}) {
    const int entries = bench::WalkUrlCache(pattern, [&](const INTERNET_CACHE_ENTRY_INFOA& entry) {
      if (names) names->emplace_back(entry.lpszSourceUrlName);
    });
    if (entries) return entries;
  }
  return 0;
}

void DeleteVisits() {
  std::vector<std::string> names;
  ReadVisits(&names);
  for (const std::string& name : names) DeleteUrlCacheEntryA(name.c_str());
}

// `count` visits to pages of their own hosts, expiring in a month. Made for an ASCII
// user: Wine's URL cache loses most of many entries whose addresses hold letters
// beyond ASCII, as the sandbox's user's name does.
void FillHistory(int count) {
  DeleteVisits();
  for (int i = 0; i < count; ++i) {
    const std::string url =
        "http://host" + std::to_string(i) + ".bench.test/page" + std::to_string(i % 7) + ".html";
    if (!testing::CommitVisit(url, testing::DaysFromNow(30), "bench")) {
      std::fprintf(stderr, "could not add %s (error %lu)\n", url.c_str(), GetLastError());
      std::exit(1);
    }
  }
}

struct Windows {
  explicit Windows(win32::Win32Platform& platform) : form(platform.ports()), activity(form.hwnd()) {
    form.AttachActivityWindow(&activity);
    form.Show();
    bench::Pump(1500);
    form.SetActivePageIndex(1);
  }
  void Press(int button) {
    SendMessageA(form.hwnd(), WM_COMMAND, button, 0);
    bench::Pump();  // what the run left for the message loop belongs to it
  }
  TEraserForm form;
  TActiveForm activity;
};

std::string Figures(const Timed& window, const Timed& bare, int rounds) {
  return bench::Fixed(window.median(), 0) + " ms / " + bench::Fixed(bare.median(), 0) +
         " ms, median of " + std::to_string(rounds);
}

void ReportFigure(Windows& windows, int count, int rounds) {
  FillHistory(count);
  std::size_t fewestLines = SIZE_MAX;
  Timed bare{[] {}, [] { ReadVisits(); }};
  Timed window{[] {},
               [&] {
                 windows.Press(ToolButton15);
                 fewestLines = std::min(fewestLines, windows.activity.Lines().size());
               }};
  Race(rounds, {&bare, &window});
  // Two lines before the entries, three after.
  const bool everyEntry = fewestLines == static_cast<std::size_t>(count) + 5;
  bench::PrintRow(
      "history",
      "index report of " + std::to_string(count) + " entries through the window / reading them",
      everyEntry ? bench::Fixed(window.median() / bare.median(), 2) : "LINES LOST", "<= 1.5",
      Figures(window, bare, rounds));
}

void PurgeFigure(Windows& windows, int count, int rounds) {
  bool everyEntry = true;
  const auto fill = [&] {
    FillHistory(count);
    everyEntry = everyEntry && ReadVisits() == count;
  };
  Timed bare{fill, [] { DeleteVisits(); }};
  Timed window{[&] {
                 fill();
                 windows.form.TaskPage().TaskList().SetChecked(kUrlHistoryTask, true);
               },
               [&] {
                 windows.Press(ToolButton11);
                 everyEntry = everyEntry && ReadVisits() == 0;
               }};
  Race(rounds, {&bare, &window});
  bench::PrintRow("history",
                  "history purge of " + std::to_string(count) +
                      " entries through the window / reading and deleting them",
                  everyEntry ? bench::Fixed(window.median() / bare.median(), 2) : "ENTRIES LEFT",
                  "<= 1.5", Figures(window, bare, rounds));
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::ReadyInSandbox()) return 1;
  const win32::ComApartment com;
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  win32::Win32Platform platform;
  Windows windows(platform);
  ReportFigure(windows, count, rounds);
  PurgeFigure(windows, count, rounds);
  DeleteVisits();
  return 0;
}
