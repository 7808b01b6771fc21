// Sets and reads cookies through WinINet in a process of its own, as a browser
// does, so that the tests' own process keeps no cookies in memory and reads only
// what the cookie store holds.
//   cookie_tool set URL DATA [URL DATA]...   exit code: 0, or 1 when one fails
//   cookie_tool get URL [URL]...             exit code: bit i set when URL i has a cookie
//   cookie_tool fill COUNT                   COUNT cookie entries of hosts h0.large.test
//                                            on, with dates and hit counts; exit code 0,
//                                            or 1 when one could not be added
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Cookie entries as a browser leaves them, committed to the cache directly: a cookie
// set through WinINet carries no dates under Wine.
int Fill(long count) {
  // An ASCII user in the addresses: Wine's URL cache keeps only about a third of
  // many entries whose addresses hold bytes beyond ASCII (222 of 600 were seen under
  // the sandbox's user), and this store is about its size.
  const char* const user = "large";
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER later{{now.dwLowDateTime, now.dwHighDateTime}};
  later.QuadPart += 30ULL * 86400 * 10'000'000;  // thirty days on
  const FILETIME expires{later.LowPart, later.HighPart};
  INTERNET_CACHE_ENTRY_INFOA hits{};
  hits.dwStructSize = sizeof hits;
  for (long i = 0; i < count; ++i) {
    const std::string source =
        std::string("Cookie:") + user + "@h" + std::to_string(i) + ".large.test/";
    if (!CommitUrlCacheEntryA(source.c_str(), nullptr, expires, now, COOKIE_CACHE_ENTRY, nullptr, 0,
                              nullptr, nullptr)) {
      std::fprintf(stderr, "cookie %ld of %ld not added: error %lu\n", i + 1, count,
                   GetLastError());
      return 1;
    }
    hits.dwHitRate = static_cast<DWORD>(i % 5000);
    SetUrlCacheEntryInfoA(source.c_str(), &hits, CACHE_ENTRY_HITRATE_FC);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "set") == 0) {
    int failed = 0;
    for (int i = 2; i + 1 < argc; i += 2)
      failed |= !InternetSetCookieA(argv[i], nullptr, argv[i + 1]);
    return failed;
  }
  if (argc >= 2 && std::strcmp(argv[1], "get") == 0) {
    int found = 0;
    for (int i = 2; i < argc && i < 33; ++i) {
      char data[4096];
      DWORD size = sizeof data;
      if (InternetGetCookieA(argv[i], nullptr, data, &size)) found |= 1 << (i - 2);
    }
    return found;
  }
  if (argc == 3 && std::strcmp(argv[1], "fill") == 0) return Fill(std::atol(argv[2]));
  return 255;
}
