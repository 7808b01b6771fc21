// The sample traces a newcomer's first run starts with (scripts/run seeds its
// sandbox with them once): cookies of a dozen sites with their dates and hit
// counts, the browsers' own cookie stores (Chrome, Edge and Firefox profiles, from
// the test data beside this program), cached pages, visits in the history, the three lists of
// recently used items, a file in the recycle bin, recent documents, and files in the Netscape and
// AOL folders the cleaners empty. It runs only in scripts/run's sandbox and refuses
// to run anywhere else, as the test programs refuse outside theirs.
//   seed_traces.exe    exit code 0 when every trace was made, 1 when one was not
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "cleaners/RegistryCleaner.h"
#include "helpers/Sandbox.h"
#include "helpers/Traces.h"

namespace {

using namespace quillmere;
using namespace quillmere::testing;

struct SampleCookie {
  const char* hostAndPath;
  double modifiedDaysAgo;
  double expiresInDays;
  DWORD hits;
};

constexpr SampleCookie kCookies[] = {
    {"www.example.com/", 2.3, 365, 41},           {"news.example.org/", 0.4, 30, 187},
    {"shop.example.net/cart/", 5.8, 14, 12},      {"mail.example.com/", 0.1, 180, 356},
    {"forum.example.org/threads/", 12.6, 90, 23}, {"video.example.net/", 1.7, 730, 64},
    {"weather.example.com/", 3.2, 7, 9},          {"maps.example.org/", 21.5, 400, 5},
    {"bank.example.net/login/", 0.9, 1, 77},      {"search.example.com/", 0.2, 3650, 512},
    {"photos.example.org/albums/", 44.0, 60, 3},  {"blog.example.net/", 8.4, 120, 18},
};

constexpr const char* kPages[] = {
    "http://www.example.com/",
    "http://news.example.org/today.html",
    "http://shop.example.net/cart/",
    "http://weather.example.com/forecast.html",
    "http://blog.example.net/2024/notes.html",
};

constexpr const char* kVisits[] = {
    "http://www.example.com/",           "http://news.example.org/today.html",
    "http://shop.example.net/cart/",     "http://mail.example.com/inbox",
    "http://forum.example.org/threads/", "http://video.example.net/watch?v=7",
    "http://maps.example.org/",          "http://search.example.com/?q=quillmere",
};

class Seeder {
 public:
  int failures = 0;

  void Check(bool made, const std::string& what) {
    if (made) return;
    ++failures;
    std::fprintf(stderr, "seed_traces: could not make %s (error %lu)\n", what.c_str(),
                 GetLastError());
  }

  void Cookies() {
    for (const SampleCookie& c : kCookies) {
      Check(CommitCookie(CookieSource(c.hostAndPath), DaysFromNow(-c.modifiedDaysAgo),
                         DaysFromNow(c.expiresInDays), c.hits),
            std::string("the cookie of ") + c.hostAndPath);
    }
  }

  void PagesAndVisits() {
    for (const char* url : kPages) {
      const std::string page = "<html><body>" + std::string(4000, 'x') + "</body></html>";
      Check(CommitPage(url, page), std::string("the cached page ") + url);
    }
    for (const char* url : kVisits)
      Check(CommitVisit(url, DaysFromNow(20)), std::string("the visit of ") + url);
  }

  void RecentlyUsedLists() {
    const struct {
      const char* key;
      const char* name;
      const char* text;
    } values[] = {
        {kTypedUrlsKey, "url1", "http://www.example.com/"},
        {kTypedUrlsKey, "url2", "http://news.example.org/"},
        {kTypedUrlsKey, "url3", "http://search.example.com/"},
        {kMediaPlayerRecentKey, "File0", "C:\\users\\Public\\Music\\song.mp3"},
        {kMediaPlayerRecentKey, "File1", "http://radio.example.org/stream.asx"},
        {kRunMruKey, "a", "notepad\\1"},
        {kRunMruKey, "b", "regedit\\1"},
        {kRunMruKey, "MRUList", "ab"},
    };
    for (const auto& v : values)
      Check(WriteRegistryText(v.key, v.name, v.text), std::string(v.key) + "\\" + v.name);
  }

  // A file in the recycle bin, and two documents on the recent-documents list.
  void Documents() {
    const std::string folder = ShellFolder(CSIDL_PERSONAL);
    const std::string binned = folder + "\\old notes.txt";
    WriteFile(binned, std::string(48 * 1024, 'n'));
    Check(MoveToRecycleBin(binned), "the file in the recycle bin");
    for (const char* name : {"\\report.txt", "\\budget.csv"}) {
      WriteFile(folder + name, "figures");
      SHAddToRecentDocs(SHARD_PATHA, (folder + name).c_str());
    }
  }

  // Chrome's, Edge's and Firefox's profiles with the cookies the real browsers wrote
  // (the test data the build places beside this program).
  void BrowserStores() {
    std::string self(MAX_PATH, '\0');
    self.resize(GetModuleFileNameA(nullptr, self.data(), MAX_PATH));
    const std::string data = self.substr(0, self.find_last_of('\\')) + "\\browsers\\";
    const std::string local = ShellFolder(CSIDL_LOCAL_APPDATA);
    const struct {
      std::string from;
      std::string to;
    } stores[] = {
        {data + "chromium\\User Data", local + "\\Google\\Chrome\\User Data"},
        {data + "chromium\\User Data", local + "\\Microsoft\\Edge\\User Data"},
        {data + "firefox", ShellFolder(CSIDL_APPDATA) + "\\Mozilla\\Firefox"},
    };
    for (const auto& store : stores) {
      std::error_code error;
      std::filesystem::create_directories(std::filesystem::path(store.to).parent_path(), error);
      std::filesystem::copy(store.from, store.to, std::filesystem::copy_options::recursive, error);
      Check(!error, "the browser profiles in " + store.to);
    }
  }

  // Files where the Netscape and AOL tasks look for them.
  void LegacyBrowsers() {
    const std::string netscape = "C:\\Program Files\\Netscape\\Users\\default";
    MakeFolders(netscape + "\\cache");
    MakeFolders(netscape + "\\Mail\\Trash");
    for (const char* name : {"\\cache\\M1A2B3C4.htm", "\\cache\\M5D6E7F8.gif",
                             "\\Mail\\Trash\\message1.eml", "\\cookies.txt", "\\history.dat"}) {
      WriteFile(netscape + name, "netscape");
    }
    for (const char* version : {"C:\\AOL30\\CACHE", "C:\\AOL40\\CACHE"}) {
      MakeFolders(std::string(version) + "\\ART");
      for (const char* name : {"\\page1.htm", "\\page2.htm", "\\ART\\logo.art"})
        WriteFile(version + std::string(name), "aol");
    }
    Check(PathExists("C:\\AOL40\\CACHE\\ART\\logo.art"), "the AOL cache");
  }
};

}  // namespace

int main() {
  if (const std::string problem = SandboxProblem("run-sandbox"); !problem.empty()) {
    std::fprintf(stderr, "Not in scripts/run's sandbox (%s): nothing seeded.\n", problem.c_str());
    return kRefusedOutsideSandbox;
  }
  Seeder seed;
  seed.Cookies();
  seed.BrowserStores();
  seed.PagesAndVisits();
  seed.RecentlyUsedLists();
  seed.Documents();
  seed.LegacyBrowsers();
  return seed.failures == 0 ? 0 : 1;
}
