#include "platform/UrlCacheWalk.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace quillmere {
namespace {

// One entry's buffer, exactly as long as the cache asked for.
class EntryBuffer {
 public:
  explicit EntryBuffer(std::uint32_t size)
      : bytes_(std::make_unique_for_overwrite<std::byte[]>(size)), size_(size) {}
  std::span<std::byte> span() { return {bytes_.get(), size_}; }

 private:
  std::unique_ptr<std::byte[]> bytes_;
  std::size_t size_;
};

class FindScope {
 public:
  FindScope(UrlCache& cache, UrlCache::FindHandle find) : cache_(cache), find_(find) {}
  ~FindScope() { cache_.FindClose(find_); }
  FindScope(const FindScope&) = delete;
  FindScope& operator=(const FindScope&) = delete;

 private:
  UrlCache& cache_;
  UrlCache::FindHandle find_;
};

[[noreturn]] void GiveUp(std::uint32_t error) {
  throw std::runtime_error("The URL cache could not be read to its end (error " +
                           std::to_string(error) + ").");
}

[[noreturn]] void Unreadable(std::uint32_t error) {
  throw std::runtime_error("The URL cache could not be read (error " + std::to_string(error) +
                           ").");
}

struct FirstEntry {
  UrlCache::FindHandle find = UrlCache::kNoHandle;
  UrlCacheEntry entry;
};

// The first entry: its size, then the fetch. An entry that grew in between is
// asked again; "no more items" is an empty cache, and any other failure a cache
// that cannot be read, which an empty list would pass off as one without entries.
FirstEntry OpenFirst(UrlCache& cache) {
  for (int failed = 0;;) {
    std::uint32_t byteCount = 0;
    if (const auto probe = cache.FindFirstEntry({}, byteCount); probe != UrlCache::kNoHandle) {
      cache.FindClose(probe);  // an enumeration without its first entry is of no use
      return {};
    }
    if (cache.LastError() == kErrorNoMoreItems) return {};
    if (cache.LastError() != kErrorInsufficientBuffer) Unreadable(cache.LastError());
    EntryBuffer buffer(byteCount);
    if (const auto find = cache.FindFirstEntry(buffer.span(), byteCount);
        find != UrlCache::kNoHandle) {
      FirstEntry first{find, {}};
      try {
        first.entry = cache.ReadEntry(buffer.span());
      } catch (...) {
        cache.FindClose(find);
        throw;
      }
      return first;
    }
    if (cache.LastError() == kErrorNoMoreItems) return {};  // emptied in between
    if (cache.LastError() != kErrorInsufficientBuffer) Unreadable(cache.LastError());
    if (++failed == kMaxFailedPasses) GiveUp(cache.LastError());
  }
}

}  // namespace

void ForEachUrlCacheEntry(UrlCache& cache, const std::function<void(const UrlCacheEntry&)>& visit) {
  const FirstEntry first = OpenFirst(cache);
  if (first.find == UrlCache::kNoHandle) return;
  const UrlCache::FindHandle find = first.find;
  FindScope close(cache, find);
  visit(first.entry);

  for (int failed = 0;;) {
    std::uint32_t byteCount = 0;
    bool fetched = false;
    const bool answered = cache.FindNextEntry(find, {}, byteCount);
    const std::uint32_t error = cache.LastError();
    if (!answered && error == kErrorInsufficientBuffer) {
      EntryBuffer buffer(byteCount);
      if (cache.FindNextEntry(find, buffer.span(), byteCount)) {
        visit(cache.ReadEntry(buffer.span()));
        fetched = true;
      }
    }
    if (error == kErrorNoMoreItems || error == kErrorInvalidParameter) return;
    failed = fetched ? 0 : failed + 1;
    if (failed == kMaxFailedPasses) GiveUp(error);
  }
}

void ForEachUrlCacheEntryUntilFailure(UrlCache& cache,
                                      const std::function<void(const UrlCacheEntry&)>& visit) {
  std::uint32_t byteCount = 0;
  cache.FindFirstEntry({}, byteCount);
  EntryBuffer buffer(byteCount);
  const UrlCache::FindHandle find = cache.FindFirstEntry(buffer.span(), byteCount);
  FindScope close(cache, find);
  if (find == UrlCache::kNoHandle) return;
  do {
    visit(cache.ReadEntry(buffer.span()));
    buffer = EntryBuffer(0);  // freed before the next entry is sized
    byteCount = 0;
    cache.FindNextEntry(find, {}, byteCount);
    buffer = EntryBuffer(byteCount);
  } while (cache.FindNextEntry(find, buffer.span(), byteCount));
}

}  // namespace quillmere
