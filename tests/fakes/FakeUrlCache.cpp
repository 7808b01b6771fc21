#include "tests/fakes/FakeUrlCache.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace quillmere::testing {
namespace {

// The record in front of the address in each buffer.
struct Record {
  std::uint32_t entryType;
  std::uint32_t hitRate;
  std::uint64_t size;
  FileTime lastModified;
  FileTime expire;
  std::uint32_t urlLength;
};

constexpr std::uint32_t kErrorInvalidHandle = 6;
constexpr std::uint32_t kErrorAccessDenied = 5;

}  // namespace

void FakeUrlCache::Add(std::string sourceUrl, std::uint32_t entryType, std::uint32_t hitRate,
                       FileTime modified, FileTime expire) {
  entries.push_back({{std::move(sourceUrl), entryType, hitRate, 0, modified, expire}});
}

std::uint32_t FakeUrlCache::Needed(std::size_t index) const {
  const Entry& e = entries[index];
  const std::uint32_t grown = grown_.count(index) ? e.growsBy : 0;
  return static_cast<std::uint32_t>(sizeof(Record) + e.entry.sourceUrl.size() + 1) + grown;
}

// The entry at the position: its size into a short buffer, else the entry itself.
bool FakeUrlCache::Fetch(std::span<std::byte> buffer, std::uint32_t& byteCount) {
  const std::uint32_t needed = Needed(position_);
  if (buffer.size() < needed || byteCount < needed) {
    byteCount = needed;
    lastAsked_ = needed;
    lastError_ = kErrorInsufficientBuffer;
    if (entries[position_].growsBy) grown_.insert(position_);
    return false;
  }
  fetches.push_back({lastAsked_, buffer.size()});
  const UrlCacheEntry& e = entries[position_].entry;
  const Record record{e.entryType,    e.hitRate, e.size,
                      e.lastModified, e.expire,  static_cast<std::uint32_t>(e.sourceUrl.size())};
  std::memcpy(buffer.data(), &record, sizeof record);
  std::memcpy(buffer.data() + sizeof record, e.sourceUrl.c_str(), e.sourceUrl.size() + 1);
  ++position_;
  lastError_ = 0;
  return true;
}

UrlCache::FindHandle FakeUrlCache::FindFirstEntry(std::span<std::byte> buffer,
                                                  std::uint32_t& byteCount) {
  ++findFirstCalls;
  if (onFindFirst) onFindFirst();
  if (Fails("UrlCache.FindFirstEntry")) {
    lastError_ = kErrorAccessDenied;
    return kNoHandle;
  }
  position_ = 0;
  if (entries.empty()) {
    lastError_ = kErrorNoMoreItems;
    return kNoHandle;
  }
  if (!Fetch(buffer, byteCount)) return kNoHandle;
  if (open_ != kNoHandle) throw std::logic_error("a second enumeration while one is open");
  open_ = nextHandle_++;
  ++openSearches;
  return open_;
}

bool FakeUrlCache::FindNextEntry(FindHandle find, std::span<std::byte> buffer,
                                 std::uint32_t& byteCount) {
  ++nextCalls;
  if (Fails("UrlCache.FindNextEntry")) {
    lastError_ = kErrorAccessDenied;
    return false;
  }
  if (find == kNoHandle || find != open_) {
    lastError_ = kErrorInvalidHandle;
    return false;
  }
  if (failWith && position_ >= failFrom) {
    lastError_ = *failWith;
    return false;
  }
  if (position_ >= entries.size()) {
    lastError_ = kErrorNoMoreItems;
    return false;
  }
  return Fetch(buffer, byteCount);
}

void FakeUrlCache::FindClose(FindHandle find) {
  if (find != kNoHandle && find == open_) {
    open_ = kNoHandle;
    --openSearches;
  }
}

bool FakeUrlCache::DeleteEntry(const std::string& sourceUrl) {
  if (onDelete) onDelete(sourceUrl);
  if (Fails("UrlCache.DeleteEntry")) {
    lastError_ = kErrorAccessDenied;
    return false;
  }
  const auto at = std::find_if(entries.begin(), entries.end(),
                               [&](const Entry& e) { return e.entry.sourceUrl == sourceUrl; });
  if (at == entries.end() || undeletable.count(sourceUrl)) {
    lastError_ = 2;  // file not found
    return false;
  }
  // As in a real cache, deleting an entry already listed does not make the open
  // enumeration skip the one after it.
  const auto index = static_cast<std::size_t>(at - entries.begin());
  if (open_ != kNoHandle && index < position_) --position_;
  entries.erase(at);
  deleted.push_back(sourceUrl);
  Deleted("cache " + sourceUrl);
  lastError_ = 0;
  return true;
}

UrlCacheEntry FakeUrlCache::ReadEntry(std::span<const std::byte> buffer) const {
  if (Fails("UrlCache.ReadEntry")) throw std::runtime_error("A URL cache entry is cut short.");
  Record record;
  if (buffer.size() < sizeof record) throw std::logic_error("a buffer shorter than a record");
  std::memcpy(&record, buffer.data(), sizeof record);
  if (buffer.size() < sizeof record + record.urlLength + 1)
    throw std::logic_error("a buffer shorter than its entry");
  const char* url = reinterpret_cast<const char*>(buffer.data() + sizeof record);
  return UrlCacheEntry{std::string(url, record.urlLength),
                       record.entryType,
                       record.hitRate,
                       record.size,
                       record.lastModified,
                       record.expire};
}

}  // namespace quillmere::testing
