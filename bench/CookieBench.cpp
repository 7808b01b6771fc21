// The cookie page over caches of 1,000 and 10,000 cookies: ListCookies against the
// bare enumeration of the same cache, and one sort of 10,000 rows by Address, Hits
// and Expires. Run it in a sandbox of its own, for instance
//   scripts/sandbox-wine build/windows/bench-sandbox build/windows/bench/cookie_bench.exe
// It fills that sandbox's URL cache with cookie entries and empties it again.
#include <windows.h>
#include <commctrl.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/EraserForm.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"

namespace {

constexpr int kRounds = 3;

double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double Best(const std::function<void()>& prepare, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < kRounds; ++i) {
    prepare();
    best = std::min(best, Milliseconds(work));
  }
  return best;
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

FILETIME DaysFromNow(int days, int seconds) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
  t.QuadPart += (static_cast<ULONGLONG>(days) * 86400 + seconds) * 10'000'000ULL;
  return FILETIME{t.LowPart, t.HighPart};
}

// Cookie entries as a browser leaves them, each with its own host, hit count and
// dates; committed directly, since a cookie set through WinINet carries no dates
// under Wine and its hit count cannot be chosen.
void Fill(int count) {
  char user[256];
  DWORD userSize = sizeof user;
  GetUserNameA(user, &userSize);
  std::srand(7);
  for (int i = 0; i < count; ++i) {
    const std::string source = std::string("Cookie:") + user + "@host" +
                               std::to_string(std::rand() % 100000) + "-" + std::to_string(i) +
                               ".bench.test/path" + std::to_string(i % 7) + "/";
    const FILETIME expires = DaysFromNow(std::rand() % 3000, std::rand() % 86400);
    const FILETIME modified = DaysFromNow(-(std::rand() % 3000), std::rand() % 86400);
    if (!CommitUrlCacheEntryA(source.c_str(), nullptr, expires, modified, COOKIE_CACHE_ENTRY,
                              nullptr, 0, nullptr, nullptr)) {
      std::fprintf(stderr, "could not add %s\n", source.c_str());
      std::exit(1);
    }
    INTERNET_CACHE_ENTRY_INFOA info{};
    info.dwStructSize = sizeof info;
    info.dwHitRate = static_cast<DWORD>(std::rand() % 5000);
    SetUrlCacheEntryInfoA(source.c_str(), &info, CACHE_ENTRY_HITRATE_FC);
  }
}

}  // namespace

int main() {
  const quillmere::win32::ComApartment com;
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  quillmere::win32::Win32Platform platform;

  EmptyCache();
  for (const int count : {1000, 10000}) {
    Fill(count);
    quillmere::TEraserForm form(platform.ports());
    quillmere::TAdvListView& list = form.CookiePage().CookieList();
    int entries = 0;
    const double bare = Best([] {}, [&] { entries = BareEnumeration(); });
    const double listed =
        Best([&] { list.ClearItems(); }, [&] { form.CookiePage().ListCookies(); });
    std::printf(
        "%5d cookies (%d entries): bare enumeration %.1f ms, ListCookies %.1f ms, "
        "ratio %.2f\n",
        list.ItemCount(), entries, bare, listed, listed / bare);
    if (count == 10000) {
      for (const int column : {0, 1, 3}) {
        const double sorted = Milliseconds([&] { list.ColumnClick(list.Columns()[column]); });
        std::printf("sort of %d rows by %s: %.1f ms\n", list.ItemCount(),
                    list.Columns()[column].Caption.c_str(), sorted);
      }
    }
    EmptyCache();
  }
  return 0;
}
