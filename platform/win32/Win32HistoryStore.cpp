#include "platform/win32/Win32HistoryStore.h"

#include <wininet.h>

#include <cstring>
#include <utility>
#include <vector>

#include "platform/UrlCacheWalk.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32UrlCache.h"

namespace quillmere::win32 {

namespace {

// {3C374A40-BAE4-11CF-BF7D-00AA006946EE}
constexpr CLSID kUrlHistoryClass = {
    0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};
// {AFA0DC11-C313-11D0-831A-00C04FD5AE38}
constexpr IID kUrlHistoryStg2 = {
    0xAFA0DC11, 0xC313, 0x11D0, {0x83, 0x1A, 0x00, 0xC0, 0x4F, 0xD5, 0xAE, 0x38}};

FileTime ToFileTime(const FILETIME& t) {
  return (static_cast<FileTime>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

std::string ToText(const wchar_t* text) { return text ? Narrow(text) : std::string(); }

// The store's own name of an entry travels as the bytes of its UTF-16 text.
std::string KeyOf(const wchar_t* url) {
  const std::size_t bytes = (url ? std::wcslen(url) : 0) * sizeof(wchar_t);
  return std::string(reinterpret_cast<const char*>(url), bytes);
}

std::wstring UrlOfKey(const std::string& key) {
  std::wstring url(key.size() / sizeof(wchar_t), L'\0');
  std::memcpy(url.data(), key.data(), url.size() * sizeof(wchar_t));
  return url;
}

// One STATURL whose texts the store allocated and the reader frees.
struct StatUrl {
  StatUrl() { record.cbSize = sizeof record; }
  ~StatUrl() {
    CoTaskMemFree(record.pwcsUrl);
    CoTaskMemFree(record.pwcsTitle);
  }
  StatUrl(const StatUrl&) = delete;
  StatUrl& operator=(const StatUrl&) = delete;
  STATURL record{};
};

class StorePass final : public HistoryEnumeration {
 public:
  explicit StorePass(UniqueCom<IEnumSTATURL> urls) : urls_(std::move(urls)) {}
  std::optional<HistoryEntry> Next() override {
    StatUrl stat;
    ULONG fetched = 0;
    if (urls_->Next(1, &stat.record, &fetched) != S_OK || fetched != 1) return std::nullopt;
    return HistoryEntry{.url = ToText(stat.record.pwcsUrl),
                        .title = ToText(stat.record.pwcsTitle),
                        .lastVisited = ToFileTime(stat.record.ftLastVisited),
                        .lastUpdated = ToFileTime(stat.record.ftLastUpdated),
                        .expires = ToFileTime(stat.record.ftExpires),
                        .key = KeyOf(stat.record.pwcsUrl)};
  }

 private:
  UniqueCom<IEnumSTATURL> urls_;
};

UniqueCom<IEnumSTATURL> Enumerate(IUrlHistoryStg2& store) {
  IEnumSTATURL* urls = nullptr;
  if (FAILED(store.EnumUrls(&urls)) || !urls) return nullptr;
  return UniqueCom<IEnumSTATURL>(urls);
}

// The store object, if this system has one that can list its entries.
UniqueCom<IUrlHistoryStg2> OpenSystemStore() {
  IUrlHistoryStg2* raw = nullptr;
  if (FAILED(CoCreateInstance(kUrlHistoryClass, nullptr, CLSCTX_INPROC_SERVER, kUrlHistoryStg2,
                              reinterpret_cast<void**>(&raw))) ||
      !raw) {
    return nullptr;
  }
  UniqueCom<IUrlHistoryStg2> store(raw);
  const auto urls = Enumerate(*store);
  if (!urls) return nullptr;
  StatUrl first;
  ULONG fetched = 0;
  const HRESULT answer = urls->Next(1, &first.record, &fetched);
  if (answer != S_OK && answer != S_FALSE) return nullptr;
  return store;
}

// Every entry of the cache's history container, read at once: deleting entries
// while the pass goes on then cannot disturb it. Only that container is walked,
// however many cookies and pages the rest of the cache holds.
std::vector<HistoryEntry> ReadVisitedEntries() {
  std::vector<HistoryEntry> entries;
  Win32UrlCache cache(Win32UrlCache::Scope::kHistory);
  ForEachUrlCacheEntryUntilFailure(cache, [&](const UrlCacheEntry& e) {
    auto url = VisitedUrl(e);
    if (!url) return;
    entries.push_back({.url = std::move(*url),
                       .title = {},
                       .lastVisited = e.lastAccess,
                       .lastUpdated = e.lastModified,
                       .expires = e.expire,
                       .key = e.sourceUrl});
  });
  return entries;
}

class VisitedPass final : public HistoryEnumeration {
 public:
  explicit VisitedPass(std::vector<HistoryEntry> entries) : entries_(std::move(entries)) {}
  std::optional<HistoryEntry> Next() override {
    if (next_ >= entries_.size()) return std::nullopt;
    return std::move(entries_[next_++]);
  }

 private:
  std::vector<HistoryEntry> entries_;
  std::size_t next_ = 0;
};

struct Deletion {
  bool found = false;
  bool allDeleted = true;
};

// Deletes the history container's entries that `pred` picks, by their names.
template <typename Pred>
Deletion DeleteVisited(Pred pred) {
  Deletion result;
  for (const HistoryEntry& entry : ReadVisitedEntries()) {
    if (!pred(entry)) continue;
    result.found = true;
    result.allDeleted = DeleteUrlCacheEntryA(entry.key.c_str()) && result.allDeleted;
  }
  return result;
}

}  // namespace

Win32HistoryStore::Win32HistoryStore() : store_(OpenSystemStore()) {}

std::unique_ptr<HistoryEnumeration> Win32HistoryStore::EnumUrls() {
  if (!store_) {
    std::vector<HistoryEntry> entries = ReadVisitedEntries();
    listedNames_.clear();
    for (const HistoryEntry& e : entries) listedNames_.emplace(e.url, e.key);
    return std::make_unique<VisitedPass>(std::move(entries));
  }
  auto urls = Enumerate(*store_);
  if (!urls) return nullptr;
  return std::make_unique<StorePass>(std::move(urls));
}

bool Win32HistoryStore::DeleteUrl(const std::string& url) {
  if (!store_) {
    // A purge removes every URL it has just listed: the names that listing read
    // spare it a reading of the whole cache for each URL. A name that no longer
    // deletes sends it to the container as it is now.
    const auto [first, last] = listedNames_.equal_range(url);
    bool deleted = first != last;
    for (auto it = first; it != last; ++it)
      deleted = DeleteUrlCacheEntryA(it->second.c_str()) && deleted;
    listedNames_.erase(first, last);
    if (deleted) return true;
    const Deletion d = DeleteVisited([&](const HistoryEntry& e) { return e.url == url; });
    return d.found && d.allDeleted;
  }
  return SUCCEEDED(store_->DeleteUrl(Widen(url).c_str(), 0));
}

bool Win32HistoryStore::DeleteEntry(const HistoryEntry& entry) {
  if (!store_) return DeleteUrlCacheEntryA(entry.key.c_str()) != FALSE;
  return SUCCEEDED(store_->DeleteUrl(UrlOfKey(entry.key).c_str(), 0));
}

bool Win32HistoryStore::ClearHistory() {
  if (!store_) {
    listedNames_.clear();
    return DeleteVisited([](const HistoryEntry&) { return true; }).allDeleted;
  }
  return SUCCEEDED(store_->ClearHistory());
}

}  // namespace quillmere::win32
