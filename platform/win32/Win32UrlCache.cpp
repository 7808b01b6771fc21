#include "platform/win32/Win32UrlCache.h"

#include <wininet.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

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

// The record buffer of one search, kept from entry to entry. Under Wine every
// enumeration call locks and maps the cache's index anew, so asking each entry's size
// before fetching it made a walk cost twice what it must: the buffer, grown to the
// largest entry met so far, takes most records at the first call. An entry larger
// than the buffer fails that call with the size it needs and is fetched again into a
// buffer of that size; an entry that grew in between fails again with error 122 and
// is left where it was.
class RecordBuffer {
 public:
  std::optional<UrlCacheEntry> Fetch(const EntryCall& call, DWORD& error) {
    for (int attempt = 0; attempt < 2; ++attempt) {
      DWORD size = static_cast<DWORD>(bytes_.size());
      std::memcpy(bytes_.data(), &size, sizeof size);
      if (call(reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(bytes_.data()), &size)) {
        error = 0;
        return ReadRecord(bytes_);
      }
      error = GetLastError();
      if (error != ERROR_INSUFFICIENT_BUFFER || size <= bytes_.size()) return std::nullopt;
      bytes_.assign(size, std::byte{});
    }
    return std::nullopt;
  }

 private:
  // Room for a record with an address of a few thousand bytes.
  std::vector<std::byte> bytes_ = std::vector<std::byte>(4096);
};

// A search over the containers from `first` on, each opened as the one before it
// runs out.
class ContainerSearch final : public UrlCacheSearch {
 public:
  explicit ContainerSearch(std::size_t first) : container_(first) {}

  std::optional<UrlCacheEntry> Next() override {
    if (find_) {
      auto entry = buffer_.Fetch(
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
      auto entry = buffer_.Fetch(
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

  RecordBuffer buffer_;
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
