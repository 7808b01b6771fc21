// The cookie page over large caches, in a shown window, each figure against the bare
// enumeration of the same cache measured in the same run:
//   P1  ListCookies at 10,000 and 50,000 cookies;
//   P3  one sort of 10,000 rows by each column, against ListCookies;
//   P5  start-up to an idle window (after the first timer tick has read the list
//       again) with 10,000 cookies;
//   P6  deleting 10,000 ticked cookies through the page, against the bare deletion
//       loop over the same entries;
//   and the peak memory of the program with 100,000 cookies listed (in a process of
//   its own, so that nothing measured before counts).
// Run it in a sandbox of its own on a (virtual) display (scripts/bench does). It
// fills that sandbox's URL cache with cookie entries and empties it again.
//   cookie_bench.exe           every row
//   cookie_bench.exe memory    the memory row alone, over the cache as it is
//   cookie_bench.exe list N    P1 and P3 alone, over N cookies
//   cookie_bench.exe delete N  P6 alone, over N cookies
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/ActiveForm.h"
#include "app/EraserForm.h"
#include "bench/BareCacheWalk.h"
#include "bench/CacheFill.h"
#include "bench/Measure.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"
#include "helpers/Traces.h"

namespace {

using namespace quillmere;
using bench::Race;
using bench::Timed;

// The WinINet loop ListCookies is built on.
int BareEnumeration() {
  return bench::WalkUrlCache(nullptr, [](const INTERNET_CACHE_ENTRY_INFOA&) {});
}

// The program's start-up as Application::Run makes it, up to the moment it idles
// after its first timer tick has read the cookie list again.
double StartUp() {
  double ms = 0;
  {
    const auto start = std::chrono::steady_clock::now();
    win32::Win32Platform platform;
    TEraserForm form(platform.ports());
    TActiveForm activity(form.hwnd());
    form.AttachActivityWindow(&activity);
    form.Show();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      if (msg.message == WM_TIMER && msg.hwnd == form.hwnd()) break;
    }
    bench::Pump();
    ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  bench::TakeQuitMessage();
  return ms;
}

std::string Ratio(double a, double b) { return bench::Fixed(a / b, 2); }
std::string Ms(double ms) { return bench::Fixed(ms, 0) + " ms"; }

// ListCookies against the bare enumeration; with `sorts`, one sort by each column.
void ListingFigures(win32::Win32Platform& platform, int rounds, bool sorts) {
  TEraserForm form(platform.ports());
  form.Show();
  bench::Pump(1500);  // the first timer tick, and its reading of the list, are over
  TCookiePage& page = form.CookiePage();
  TAdvListView& list = page.CookieList();
  Timed bare{[] {}, [] { BareEnumeration(); }};
  Timed listed{[&] { list.ClearItems(); }, [&] { page.ListCookies(); }};
  Race(rounds, {&bare, &listed});
  const std::string count = std::to_string(list.ItemCount()) + " cookies";
  bench::PrintRow(
      "P1", "ListCookies / bare cache enumeration, " + count, Ratio(listed.median(), bare.median()),
      "<= 1.2",
      Ms(listed.median()) + " / " + Ms(bare.median()) + ", median of " + std::to_string(rounds));
  if (!sorts) return;

  std::string each;
  double slowest = 0;
  for (const TListColumn& column : std::vector<TListColumn>(list.Columns())) {
    const double sorted = bench::Milliseconds([&] {
      list.ColumnClick(column);
      UpdateWindow(list.ListWindow());
    });
    slowest = std::max(slowest, sorted);
    each += (each.empty() ? "" : ", ") + column.Caption + " " + Ratio(sorted, listed.median());
  }
  bench::PrintRow("P3", "one sort of " + count + " by each column / ListCookies (slowest)",
                  Ratio(slowest, listed.median()), "about 0.07", each);
  const double checked = bench::Milliseconds([&] {
    page.OnCommand(ToolButton1);
    UpdateWindow(list.ListWindow());
  });
  std::fprintf(stderr, "Check All of %d rows: %.1f ms\n", list.ItemCount(), checked);
}

// Start-up against the bare enumeration, with no other window of the program about.
void StartUpFigure(int rounds) {
  Timed bare{[] {}, [] { BareEnumeration(); }};
  Timed started{[] {}, [] { StartUp(); }};
  Race(rounds, {&bare, &started});
  bench::PrintRow(
      "P5",
      "start-up to an idle window / bare enumeration, " + std::to_string(BareEnumeration()) +
          " cookies",
      Ratio(started.median(), bare.median()), "<= 4",
      Ms(started.median()) + " / " + Ms(bare.median()) + ", median of " + std::to_string(rounds));
}

// P6: every cookie ticked ("Check All") and deleted through the page ("Clean Up": the
// deletion, the list read again, the gauges), against the bare DeleteUrlCacheEntryA
// loop over the same entries; the cache is filled anew before each.
void DeletionFigure(win32::Win32Platform& platform, int count, int rounds) {
  TEraserForm form(platform.ports());
  TActiveForm activity(form.hwnd());
  form.AttachActivityWindow(&activity);
  form.Show();
  bench::Pump(1500);
  TCookiePage& page = form.CookiePage();
  std::vector<std::string> sources;
  bool everyCookie = true;
  Timed bare{[&] {
               bench::Fill(0, count);
               sources = bench::Sources();
             },
             [&] {
               for (const std::string& s : sources) DeleteUrlCacheEntryA(s.c_str());
             }};
  Timed window{[&] {
                 bench::Fill(0, count);
                 page.OnCommand(ToolButton3);
                 page.OnCommand(ToolButton1);
                 everyCookie = everyCookie && page.CookieList().ItemCount() == count;
               },
               [&] {
                 page.OnCommand(ToolButton5);
                 bench::Pump();
               }};
  Race(rounds, {&bare, &window});
  everyCookie = everyCookie && page.CookieList().ItemCount() == 0 && bench::Sources().empty();
  bench::PrintRow(
      "P6",
      "deleting " + std::to_string(count) +
          " ticked cache cookies through the window / bare deletion loop",
      everyCookie ? Ratio(window.median(), bare.median()) : "COOKIES LEFT", "<= 1.5",
      Ms(window.median()) + " / " + Ms(bare.median()) + ", median of " + std::to_string(rounds));
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::ReadyInSandbox()) return 1;
  if (argc == 2 && std::strcmp(argv[1], "memory") == 0) return bench::ListedMemory("cookies");

  const win32::ComApartment com;
  win32::Win32Platform platform;
  bench::EmptyCache();
  if (argc == 3 && std::strcmp(argv[1], "delete") == 0) {
    DeletionFigure(platform, std::atoi(argv[2]), 3);
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "list") == 0) {
    bench::Fill(0, std::atoi(argv[2]));
    ListingFigures(platform, 5, true);
    bench::EmptyCache();
    return 0;
  }
  bench::Fill(0, 10000);
  ListingFigures(platform, 5, true);
  bench::TakeQuitMessage();
  StartUpFigure(3);
  DeletionFigure(platform, 10000, 3);
  bench::TakeQuitMessage();
  bench::Fill(0, 50000);
  ListingFigures(platform, 3, false);
  bench::Fill(50000, 100000, true);
  bench::RunChild("memory");
  bench::EmptyCache();
  return 0;
}
