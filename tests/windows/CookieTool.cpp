// Sets and reads cookies through WinINet in a process of its own, as a browser
// does, so that the tests' own process keeps no cookies in memory and reads only
// what the cookie store holds.
//   cookie_tool set URL DATA [URL DATA]...   exit code: 0, or 1 when one fails
//   cookie_tool get URL [URL]...             exit code: bit i set when URL i has a cookie
#include <windows.h>
#include <wininet.h>

#include <cstring>

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
  return 255;
}
