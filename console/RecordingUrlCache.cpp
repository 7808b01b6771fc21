#include "console/RecordingUrlCache.h"

#include <cstring>
#include <stdexcept>

#include "platform/UrlCacheWalk.h"

namespace quillmere {
namespace {

constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorInvalidHandle = 6;

// What a buffer holds: this record, then the source address without its zero.
struct Record {
  std::uint32_t entryType;
  std::uint32_t hitRate;
  std::uint64_t size;
  FileTime lastModified;
  FileTime expire;
  FileTime lastAccess;
  std::uint64_t addressLength;
};

std::uint32_t BytesFor(const UrlCacheEntry& entry) {
  return static_cast<std::uint32_t>(sizeof(Record) + entry.sourceUrl.size());
}

// An entry that no search has read: only a cookie's address tells what it is.
UrlCacheEntry Unread(const std::string& sourceUrl) {
  const bool cookie = sourceUrl.size() >= 7 && (sourceUrl.compare(0, 7, "Cookie:") == 0 ||
                                                sourceUrl.compare(0, 7, "cookie:") == 0);
  return UrlCacheEntry{.sourceUrl = sourceUrl, .entryType = cookie ? kCookieCacheEntry : 0};
}

}  // namespace

UrlCache::FindHandle RecordingUrlCache::FindFirstEntry(std::span<std::byte> buffer,
                                                       std::uint32_t& byteCount) {
  // A call without a buffer starts a search anew; the call with the buffer that
  // follows it goes on with what that one read.
  Search search = !buffer.empty() && starting_ ? std::move(*starting_) : Read();
  starting_.reset();
  if (!Hand(search, buffer, byteCount)) {
    if (lastError_ == kErrorInsufficientBuffer) starting_ = std::move(search);
    return kNoHandle;
  }
  const FindHandle find = nextHandle_++;
  searches_.emplace(find, std::move(search));
  return find;
}

bool RecordingUrlCache::FindNextEntry(FindHandle find, std::span<std::byte> buffer,
                                      std::uint32_t& byteCount) {
  const auto search = searches_.find(find);
  if (search == searches_.end()) {
    lastError_ = kErrorInvalidHandle;
    return false;
  }
  return Hand(search->second, buffer, byteCount);
}

bool RecordingUrlCache::DeleteEntry(const std::string& sourceUrl) {
  const auto known = known_.find(sourceUrl);
  const UrlCacheEntry entry = known != known_.end() ? known->second : Unread(sourceUrl);
  if (!Visible(entry)) {
    lastError_ = kErrorFileNotFound;
    return false;
  }
  lastError_ = 0;
  const bool removed = ledger_.Remove(
      sourceUrl, known != known_.end() ? std::optional(entry.size) : std::nullopt, [&] {
        const bool deleted = cache_.DeleteEntry(sourceUrl);
        lastError_ = cache_.LastError();
        return deleted;
      });
  if (removed && ledger_.Previewing()) {
    gone_.insert(sourceUrl);
    if (const auto url = VisitedUrl(entry)) goneVisits_.insert(*url);
  }
  return removed;
}

UrlCacheEntry RecordingUrlCache::ReadEntry(std::span<const std::byte> buffer) const {
  Record record;
  if (buffer.size() < sizeof record) throw std::runtime_error("A URL cache entry is cut short.");
  std::memcpy(&record, buffer.data(), sizeof record);
  if (buffer.size() - sizeof record < record.addressLength)
    throw std::runtime_error("A URL cache entry is cut short.");
  const auto* address = reinterpret_cast<const char*>(buffer.data() + sizeof record);
  return UrlCacheEntry{.sourceUrl = std::string(address, record.addressLength),
                       .entryType = record.entryType,
                       .hitRate = record.hitRate,
                       .size = record.size,
                       .lastModified = record.lastModified,
                       .expire = record.expire,
                       .lastAccess = record.lastAccess};
}

RecordingUrlCache::Search RecordingUrlCache::Read() {
  Search search;
  ForEachUrlCacheEntry(cache_, [&](const UrlCacheEntry& entry) {
    known_[entry.sourceUrl] = entry;
    if (Visible(entry)) search.entries.push_back(entry);
  });
  return search;
}

bool RecordingUrlCache::Visible(const UrlCacheEntry& entry) const {
  if (keep_.Keeps(entry) || gone_.contains(entry.sourceUrl)) return false;
  const auto url = VisitedUrl(entry);
  return !url || !goneVisits_.contains(*url);
}

// The search's next entry into `buffer`, or the size it needs. Entries that a
// preview has deleted since the search read them are passed over, as they would be
// in a live cache.
bool RecordingUrlCache::Hand(Search& search, std::span<std::byte> buffer,
                             std::uint32_t& byteCount) {
  while (search.next < search.entries.size() && !Visible(search.entries[search.next]))
    ++search.next;
  if (search.next == search.entries.size()) {
    lastError_ = kErrorNoMoreItems;
    return false;
  }
  const UrlCacheEntry& entry = search.entries[search.next];
  byteCount = BytesFor(entry);
  if (buffer.size() < byteCount) {
    lastError_ = kErrorInsufficientBuffer;
    return false;
  }
  const Record record{entry.entryType,       entry.hitRate, entry.size,
                      entry.lastModified,    entry.expire,  entry.lastAccess,
                      entry.sourceUrl.size()};
  std::memcpy(buffer.data(), &record, sizeof record);
  std::memcpy(buffer.data() + sizeof record, entry.sourceUrl.data(), entry.sourceUrl.size());
  ++search.next;
  lastError_ = 0;
  return true;
}

}  // namespace quillmere
