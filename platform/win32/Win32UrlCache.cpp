#include "platform/win32/Win32UrlCache.h"

#include <wininet.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string_view>

#include "platform/Utf8.h"
#include "platform/win32/Handles.h"

namespace quillmere::win32 {
namespace {

using UniqueUrlCacheFind = UniqueHandle<HANDLE, FindCloseUrlCache>;

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

FileTime FromFileTime(const FILETIME& t) {
  return (static_cast<FileTime>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// The fields of the record at the head of `buffer`. Its address text lies in the same
// buffer, behind the record; nothing outside the buffer is read.
UrlCacheEntry ReadRecord(std::span<const std::byte> buffer) {
  INTERNET_CACHE_ENTRY_INFOA record;
  if (buffer.size() < sizeof record) throw std::runtime_error("A URL cache entry is cut short.");
  std::memcpy(&record, buffer.data(), sizeof record);

  UrlCacheEntry entry;
  entry.entryType = record.CacheEntryType;
  entry.hitRate = record.dwHitRate;
  entry.size = (static_cast<std::uint64_t>(record.dwSizeHigh) << 32) | record.dwSizeLow;
  entry.lastModified = FromFileTime(record.LastModifiedTime);
  entry.expire = FromFileTime(record.ExpireTime);
  entry.lastAccess = FromFileTime(record.LastAccessTime);
  const auto* text = reinterpret_cast<const char*>(record.lpszSourceUrlName);
  const auto* begin = reinterpret_cast<const char*>(buffer.data());
  const auto* end = begin + buffer.size();
  if (text >= begin && text < end) entry.sourceUrl.assign(text, std::find(text, end, '\0'));
  return entry;
}

// One of WinINet's two enumeration calls with its pattern or handle bound: true when
// it filled the record; the last error tells why not.
using EntryCall = std::function<bool(INTERNET_CACHE_ENTRY_INFOA* record, DWORD* size)>;

// One entry in WinINet's two calls: asked without a buffer, the call fails with the
// size the entry needs; a buffer of exactly that size, its size field set, then takes
// the record. The buffer lives only until the entry is read out of it. An entry that
// grew in between fails the second call with error 122 and is left where it was.
std::optional<UrlCacheEntry> FetchSized(const EntryCall& call, DWORD& error) {
  DWORD size = 0;
  if (call(nullptr, &size)) {
    error = ERROR_INVALID_DATA;  // a record that came without room for it
    return std::nullopt;
  }
  error = GetLastError();
  if (error != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
  const auto buffer = std::make_unique_for_overwrite<std::byte[]>(size);
  const std::span<std::byte> bytes(buffer.get(), size);
  INTERNET_CACHE_ENTRY_INFOA* record = nullptr;
  if (size >= sizeof(DWORD)) {
    std::memcpy(bytes.data(), &size, sizeof size);
    record = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(bytes.data());
  }
  if (!call(record, &size)) {
    error = GetLastError();
    return std::nullopt;
  }
  error = 0;
  return ReadRecord(bytes);
}

// A search over the containers from `first` on, each opened as the one before it
// runs out.
class ContainerSearch final : public UrlCacheSearch {
 public:
  explicit ContainerSearch(std::size_t first) : container_(first) {}

  std::optional<UrlCacheEntry> Next() override {
    if (find_) {
      auto entry = FetchSized(
          [&](INTERNET_CACHE_ENTRY_INFOA* record, DWORD* size) {
            return FindNextUrlCacheEntryA(find_.get(), record, size) != FALSE;
          },
          error_);
      if (entry) return Given(std::move(*entry));
      if (error_ != ERROR_NO_MORE_ITEMS) return std::nullopt;
      find_.reset();
      ++container_;
    }
    for (; container_ < std::size(kContainers); ++container_) {
      if (Skips(container_)) continue;
      UniqueUrlCacheFind opened;
      auto entry = FetchSized(
          [&](INTERNET_CACHE_ENTRY_INFOA* record, DWORD* size) {
            opened.reset(FindFirstUrlCacheEntryA(kContainers[container_].pattern, record, size));
            return opened != nullptr;
          },
          error_);
      if (entry) {
        find_ = std::move(opened);
        return Given(std::move(*entry));
      }
      // An entry that changed leaves the container unopened: the next call asks it
      // again. A container that refuses otherwise (a spelling this system does not
      // know) gives nothing and is passed over, so the ones after it are still read.
      if (error_ == ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
      if (error_ != ERROR_NO_MORE_ITEMS && container_ == 0) return std::nullopt;
    }
    error_ = ERROR_NO_MORE_ITEMS;
    return std::nullopt;
  }

  std::uint32_t Error() const override { return error_; }

 private:
  bool Skips(std::size_t index) const {
    return kContainers[index].kind && (kindsGiven_ & kContainers[index].kind);
  }

  UrlCacheEntry Given(UrlCacheEntry entry) {
    for (const Container& c : kContainers) {
      if (c.kind && ((entry.entryType & c.kind) || StartsWithNoCase(entry.sourceUrl, c.prefix)))
        kindsGiven_ |= c.kind;
    }
    return entry;
  }

  UniqueUrlCacheFind find_;  // the enumeration of `container_`, once it is opened
  std::size_t container_;
  std::uint32_t kindsGiven_ = 0;  // containers whose entries this search has given
  DWORD error_ = 0;
};

}  // namespace

Win32UrlCache::Win32UrlCache(Scope scope)
    : firstContainer_(scope == Scope::kHistory ? kFirstHistoryContainer : 0) {}

std::unique_ptr<UrlCacheSearch> Win32UrlCache::Search() {
  return std::make_unique<ContainerSearch>(firstContainer_);
}

bool Win32UrlCache::DeleteEntry(const std::string& sourceUrl) {
  return DeleteUrlCacheEntryA(sourceUrl.c_str()) != FALSE;
}

}  // namespace quillmere::win32
