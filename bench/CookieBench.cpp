// The cookie page over large caches, in a shown window, each figure against the bare
// enumeration of the same cache measured in the same run:
//   P1  ListCookies at 10,000 and 50,000 cookies;
//   P3  one sort of 10,000 rows by each column, against ListCookies;
//   P5  start-up to an idle window (after the first timer tick has read the list
//       again) with 10,000 cookies;
//   and the peak memory of the program with 100,000 cookies listed (in a process of
//   its own, so that nothing measured before counts).
// Run it in a sandbox of its own on a (virtual) display (scripts/bench does). It
// fills that sandbox's URL cache with cookie entries and empties it again.
//   cookie_bench.exe           every row
//   cookie_bench.exe memory    the memory row alone, over the cache as it is
//   cookie_bench.exe list N    P1 and P3 alone, over N cookies
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
#include "bench/Measure.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"
#include "helpers/Traces.h"

namespace {

using namespace quillmere;

// Rounds of each piece of work, interleaved so that every piece meets the same load
// of a shared machine; each piece's median counts.
struct Timed {
  std::function<void()> prepare;
  std::function<void()> work;
  std::vector<double> times{};
  double median() const { return bench::Median(times); }
};
void Race(int rounds, const std::vector<Timed*>& pieces) {
  for (int i = 0; i < rounds; ++i) {
    for (Timed* piece : pieces) {
      piece->prepare();
      piece->times.push_back(bench::Milliseconds(piece->work));
    }
  }
}

// The WinINet loop ListCookies is built on: size, exact buffer, fetch, per entry.
int BareEnumeration() {
  int entries = 0;
  DWORD size = 0;
  FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
  std::vector<char> buffer(size);
  HANDLE find = FindFirstUrlCacheEntryA(
      nullptr, reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data()), &size);
  if (!find) return 0;
  for (++entries;; ++entries) {
    size = 0;
    if (FindNextUrlCacheEntryA(find, nullptr, &size) || GetLastError() != ERROR_INSUFFICIENT_BUFFER)
      break;
    buffer.assign(size, 0);
    if (!FindNextUrlCacheEntryA(find, reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data()),
                                &size))
      break;
  }
  FindCloseUrlCache(find);
  return entries;
}

std::vector<std::string> Sources() {
  std::vector<std::string> sources;
  DWORD size = 0;
  FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
  std::vector<char> buffer(size);
  auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  HANDLE find = FindFirstUrlCacheEntryA(nullptr, entry, &size);
  while (find) {
    sources.emplace_back(entry->lpszSourceUrlName);
    size = 0;
    FindNextUrlCacheEntryA(find, nullptr, &size);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    buffer.assign(size, 0);
    entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    if (!FindNextUrlCacheEntryA(find, entry, &size)) break;
  }
  if (find) FindCloseUrlCache(find);
  return sources;
}

void EmptyCache() {
  for (const std::string& s : Sources()) DeleteUrlCacheEntryA(s.c_str());
}

// Cookie entries as a browser leaves them, each with its own host, hit count and
// dates: entries `from` to `to` - 1. Wine keeps at most about 60,000 entries in one
// container, so `asPages` puts cookie entries into the pages' container, named as
// pages: the list takes every entry whose type says cookie, wherever it is kept.
void Fill(int from, int to, bool asPages = false) {
  std::srand(static_cast<unsigned>(7 + from));
  for (int i = from; i < to; ++i) {
    const std::string hostAndPath = "host" + std::to_string(std::rand() % 100000) + "-" +
                                    std::to_string(i) + ".bench.test/path" + std::to_string(i % 7) +
                                    "/";
    const std::string source =
        asPages ? "http://" + hostAndPath : testing::CookieSource(hostAndPath);
    const double expires = std::rand() % 3000 + std::rand() % 86400 / 86400.0;
    const double modified = -(std::rand() % 3000) + std::rand() % 86400 / 86400.0;
    if (!testing::CommitCookie(source, testing::DaysFromNow(modified),
                               testing::DaysFromNow(expires),
                               static_cast<DWORD>(std::rand() % 5000))) {
      std::fprintf(stderr, "could not add %s (error %lu)\n", source.c_str(), GetLastError());
      std::exit(1);
    }
  }
}

// The quit request the main window leaves when it goes, which would end the next
// message loop at once.
void TakeQuitMessage() {
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
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
  TakeQuitMessage();
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

// In a process of its own: the program started over the cache as it is, its peak
// memory once the list has been read twice (at creation and at the first tick).
int Memory() {
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
      "memory", "peak private bytes with " + std::to_string(rows) + " cookies listed",
      bench::Fixed(after.PeakPagefileUsage / mb, 0) + " MB", "report",
      bench::Fixed(static_cast<double>(after.PeakPagefileUsage - before.PeakPagefileUsage) /
                       std::max(rows, 1),
                   0) +
          " bytes a row; peak working set " + bench::Fixed(after.PeakWorkingSetSize / mb, 0) +
          " MB");
  return 0;
}

// This program again, as a child whose rows join this one's output.
void RunMemoryChild() {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "\"" + std::string(self) + "\" memory";
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

}  // namespace

int main(int argc, char** argv) {
  if (!bench::InSandbox()) {
    std::fprintf(stderr, "Drive Z: is present: run this in a sandbox.\n");
    return 1;
  }
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  if (argc == 2 && std::strcmp(argv[1], "memory") == 0) return Memory();

  const win32::ComApartment com;
  win32::Win32Platform platform;
  EmptyCache();
  if (argc == 3 && std::strcmp(argv[1], "list") == 0) {
    Fill(0, std::atoi(argv[2]));
    ListingFigures(platform, 5, true);
    EmptyCache();
    return 0;
  }
  Fill(0, 10000);
  ListingFigures(platform, 5, true);
  TakeQuitMessage();
  StartUpFigure(3);
  Fill(10000, 50000);
  ListingFigures(platform, 3, false);
  Fill(50000, 100000, true);
  RunMemoryChild();
  EmptyCache();
  return 0;
}
