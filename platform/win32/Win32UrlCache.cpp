#include "platform/win32/Win32UrlCache.h"

#include <wininet.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string_view>

#include "platform/Utf8.h"

namespace quillmere::win32 {
namespace {

// The containers one search walks, in order. Wine matches container patterns
// case-sensitively ("Cookie:"), Windows documents them in lower case ("cookie:");
// a container whose entries were already given is skipped, so at most one
// spelling of each yields anything.
struct Container {
  const char* pattern;      // nullptr: the plain enumeration
  std::uint32_t kind;       // the entry type bit of the container's entries
  std::string_view prefix;  // the source address prefix of its entries
};
constexpr Container kContainers[] = {
    {nullptr, 0, {}},
    {"Cookie:", kCookieCacheEntry, "cookie:"},
    {"cookie:", kCookieCacheEntry, "cookie:"},
    {"Visited:", kUrlHistoryCacheEntry, "visited:"},
    {"visited:", kUrlHistoryCacheEntry, "visited:"},
};
constexpr std::size_t kFirstHistoryContainer = 3;

// The prefixes are ASCII; only A to Z fold, so the bytes of a UTF-8 address never
// match a letter of one, whatever the C library's locale.
bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return EqualsAsciiNoCase(text.substr(0, prefix.size()), prefix);
}

// The record in the caller's buffer, its size field set to the buffer's length as
// WinINet wants; nullptr for an empty buffer. The byte count never claims more than
// the buffer holds.
INTERNET_CACHE_ENTRY_INFOA* Record(std::span<std::byte> buffer, DWORD& size,
                                   std::uint32_t byteCount) {
  size = static_cast<DWORD>(std::min<std::size_t>(byteCount, buffer.size()));
  if (buffer.size() < sizeof(DWORD)) return nullptr;
  const DWORD length = static_cast<DWORD>(buffer.size());
  std::memcpy(buffer.data(), &length, sizeof length);
  return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
}

}  // namespace

struct Win32UrlCache::Search {
  explicit Search(std::size_t first) : container(first) {}

  HANDLE find = nullptr;  // the enumeration of `container`; nullptr until it is opened
  std::size_t container;
  std::uint32_t kindsGiven = 0;  // containers whose entries this search has given

  ~Search() {
    if (find) FindCloseUrlCache(find);
  }

  bool Skips(std::size_t index) const {
    return kContainers[index].kind && (kindsGiven & kContainers[index].kind);
  }

  void Given(const UrlCacheEntry& entry) {
    for (const Container& c : kContainers) {
      if (c.kind && ((entry.entryType & c.kind) || StartsWithNoCase(entry.sourceUrl, c.prefix)))
        kindsGiven |= c.kind;
    }
  }
};

Win32UrlCache::Win32UrlCache(Scope scope)
    : firstContainer_(scope == Scope::kHistory ? kFirstHistoryContainer : 0) {}
Win32UrlCache::~Win32UrlCache() = default;

bool Win32UrlCache::Failed(DWORD error) {
  lastError_ = error;
  return false;
}

bool Win32UrlCache::Advance(Search& search, std::span<std::byte> buffer, std::uint32_t& byteCount) {
  DWORD size = 0;
  if (search.find) {
    INTERNET_CACHE_ENTRY_INFOA* record = Record(buffer, size, byteCount);
    const BOOL got = FindNextUrlCacheEntryA(search.find, record, &size);
    const DWORD error = GetLastError();
    byteCount = size;
    if (got) {
      lastError_ = 0;
      search.Given(ReadEntry(buffer));
      return true;
    }
    if (error != ERROR_NO_MORE_ITEMS) return Failed(error);
    FindCloseUrlCache(search.find);
    search.find = nullptr;
    ++search.container;
  }
  for (; search.container < std::size(kContainers); ++search.container) {
    if (search.Skips(search.container)) continue;
    INTERNET_CACHE_ENTRY_INFOA* record = Record(buffer, size, byteCount);
    const HANDLE find =
        FindFirstUrlCacheEntryA(kContainers[search.container].pattern, record, &size);
    const DWORD error = GetLastError();
    byteCount = size;
    if (find) {
      search.find = find;
      lastError_ = 0;
      search.Given(ReadEntry(buffer));
      return true;
    }
    // A short buffer leaves the container unopened: the fetch with the buffer
    // the caller allocates now asks it again. A container that refuses otherwise
    // (a spelling this system does not know) gives nothing and is passed over, so
    // the ones after it are still read.
    if (error == ERROR_INSUFFICIENT_BUFFER) return Failed(error);
    if (error != ERROR_NO_MORE_ITEMS && search.container == 0) return Failed(error);
  }
  return Failed(ERROR_NO_MORE_ITEMS);
}

UrlCache::FindHandle Win32UrlCache::FindFirstEntry(std::span<std::byte> buffer,
                                                   std::uint32_t& byteCount) {
  auto search = std::make_unique<Search>(firstContainer_);
  if (!Advance(*search, buffer, byteCount)) return kNoHandle;
  const auto handle = reinterpret_cast<FindHandle>(search.get());
  searches_.emplace(handle, std::move(search));
  return handle;
}

bool Win32UrlCache::FindNextEntry(FindHandle find, std::span<std::byte> buffer,
                                  std::uint32_t& byteCount) {
  const auto search = searches_.find(find);
  if (search == searches_.end()) return Failed(ERROR_INVALID_HANDLE);
  return Advance(*search->second, buffer, byteCount);
}

void Win32UrlCache::FindClose(FindHandle find) { searches_.erase(find); }

bool Win32UrlCache::DeleteEntry(const std::string& sourceUrl) {
  const BOOL deleted = DeleteUrlCacheEntryA(sourceUrl.c_str());
  lastError_ = deleted ? 0 : GetLastError();
  return deleted;
}

UrlCacheEntry Win32UrlCache::ReadEntry(std::span<const std::byte> buffer) const {
  INTERNET_CACHE_ENTRY_INFOA record;
  if (buffer.size() < sizeof record) throw std::runtime_error("A URL cache entry is cut short.");
  std::memcpy(&record, buffer.data(), sizeof record);

  UrlCacheEntry entry;
  entry.entryType = record.CacheEntryType;
  entry.hitRate = record.dwHitRate;
  entry.size = (static_cast<std::uint64_t>(record.dwSizeHigh) << 32) | record.dwSizeLow;
  const auto fileTime = [](const FILETIME& t) {
    return (static_cast<FileTime>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  entry.lastModified = fileTime(record.LastModifiedTime);
  entry.expire = fileTime(record.ExpireTime);
  entry.lastAccess = fileTime(record.LastAccessTime);
  // The address text lies in the same buffer, behind the record; nothing outside
  // the buffer is read.
  const auto* text = reinterpret_cast<const char*>(record.lpszSourceUrlName);
  const auto* begin = reinterpret_cast<const char*>(buffer.data());
  const auto* end = begin + buffer.size();
  if (text >= begin && text < end) entry.sourceUrl.assign(text, std::find(text, end, '\0'));
  return entry;
}

}  // namespace quillmere::win32
