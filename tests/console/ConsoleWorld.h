#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cleaners/RegistryCleaner.h"
#include "console/Commands.h"
#include "platform/UrlCacheWalk.h"
#include "tests/fakes/FakeDesktop.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeLocaleTime.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/fakes/FakeShell.h"
#include "tests/fakes/FakeUrlCache.h"

namespace quillmere::testing {

// The URL history as WinINet keeps it, in the cache's history container, so that
// the visits a history purge deletes are gone from the cache too.
class CacheHistory final : public HistoryStore {
 public:
  explicit CacheHistory(FakeUrlCache& cache) : cache_(cache) {}

  std::unique_ptr<HistoryEnumeration> EnumUrls() override {
    std::vector<HistoryEntry> entries;
    ForEachUrlCacheEntry(cache_, [&](const UrlCacheEntry& e) {
      if (const auto url = VisitedUrl(e))
        entries.push_back({.url = *url, .title = {}, .key = e.sourceUrl});
    });
    return std::make_unique<Pass>(std::move(entries));
  }
  bool DeleteUrl(const std::string& url) override {
    bool deleted = false;
    for (auto pass = EnumUrls(); auto entry = pass->Next();)
      if (entry->url == url) deleted = cache_.DeleteEntry(entry->key) || deleted;
    return deleted;
  }
  bool DeleteEntry(const HistoryEntry& entry) override { return cache_.DeleteEntry(entry.key); }
  bool ClearHistory() override {
    for (auto pass = EnumUrls(); auto entry = pass->Next();) cache_.DeleteEntry(entry->key);
    return true;
  }

 private:
  class Pass final : public HistoryEnumeration {
   public:
    explicit Pass(std::vector<HistoryEntry> entries) : entries_(std::move(entries)) {}
    std::optional<HistoryEntry> Next() override {
      if (next_ == entries_.size()) return std::nullopt;
      return entries_[next_++];
    }

   private:
    std::vector<HistoryEntry> entries_;
    std::size_t next_ = 0;
  };
  FakeUrlCache& cache_;
};

inline constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* kHistoryFolder = "C:\\Users\\me\\History";

// A machine with traces for every target, and things beside them that must stay:
// the canaries.
struct TraceWorld : public PortsSource {
  TraceWorld() {
    registry.SetText(kTypedUrlsKey, "url1", "http://typed.example/");
    registry.SetText(kTypedUrlsKey, "url2", "http://typed2.example/");
    registry.SetText(std::string(kTypedUrlsKey) + "\\Sub", "kept", "canary");
    registry.SetText(kMediaPlayerRecentKey, "File0", "C:\\music\\song.mp3");
    registry.SetText(kRunMruKey, "a", "notepad\\1");
    registry.SetText(kShellFolders, "History", kHistoryFolder);

    for (const char* folder : {"C:\\Users", "C:\\Users\\me", kHistoryFolder,
                               "C:\\Users\\me\\History\\Today", "C:\\Outside"}) {
      files.AddFolder(folder);
    }
    files.AddFile("C:\\Users\\me\\History\\Today\\index.dat", kAttributeArchive, 3000);
    files.AddFolder("C:\\Users\\me\\History\\link", kAttributeDirectory | kAttributeReparsePoint);
    files.AddFile("C:\\Users\\me\\History\\link\\canary.txt");
    files.AddFile("C:\\Users\\me\\notes.txt");
    for (const char* folder :
         {"C:\\Program Files", "C:\\Program Files\\Netscape", "C:\\Program Files\\Netscape\\Users",
          "C:\\Program Files\\Netscape\\Users\\default",
          "C:\\Program Files\\Netscape\\Users\\default\\cache", "C:\\AOL40", "C:\\AOL40\\CACHE"}) {
      files.AddFolder(folder);
    }
    files.AddFile("C:\\Program Files\\Netscape\\Users\\default\\cache\\page.htm", kAttributeArchive,
                  5000);
    files.AddFile("C:\\Program Files\\Netscape\\Users\\default\\cookies.txt", kAttributeArchive,
                  70);
    files.AddFile("C:\\AOL40\\CACHE\\aolpage.htm", kAttributeArchive, 900);
    files.AddFile("C:\\AOL40\\canary.txt");

    cache.Add("http://cleanup.test/page.htm", 0);
    cache.entries.back().entry.size = 2048;
    cache.Add("Cookie:me@example.org/");
    cache.Add("Cookie:me@www.example.org/");
    cache.Add("Cookie:me@badexample.org/");
    cache.Add("Visited: me@http://visited.example/", kUrlHistoryCacheEntry);

    shell.recycled = {{"C:\\tmp\\old.txt", 10}};
    shell.recent = {{"C:\\Users\\me\\Recent\\letter.lnk", 400}};
  }

  Ports Open() override { return ports; }

  FakeLocaleTime locale;
  FakeShell shell;
  FakeFiles files;
  FakeRegistry registry;
  FakeUrlCache cache;
  CacheHistory history{cache};
  FakeDesktop desktop;
  Ports ports{locale, shell, files, registry, history, cache, desktop};
};

// The two streams, line by line.
struct FakeConsole final : public Console {
  void Out(std::string_view line) override { out.emplace_back(line); }
  void Err(std::string_view line) override { err.emplace_back(line); }
  std::vector<std::string> out;
  std::vector<std::string> err;
};

}  // namespace quillmere::testing
