#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/UrlCache.h"

namespace quillmere::testing {

// A cache of entry sizes that insists on the two-call protocol: a probe without a
// buffer, then a fetch into a buffer of exactly the size it asked for.
class SizedUrlCache final : public UrlCache {
 public:
  std::vector<std::uint64_t> sizes;
  int openFinds = 0;
  int shortFetches = 0;

  FindHandle FindFirstEntry(std::span<std::byte> buffer, std::uint32_t& byteCount) override {
    next_ = 0;
    if (!Fetch(buffer, byteCount)) return kNoHandle;
    ++openFinds;
    return 7;
  }
  bool FindNextEntry(FindHandle find, std::span<std::byte> buffer,
                     std::uint32_t& byteCount) override {
    EXPECT_EQ(find, 7u);
    return Fetch(buffer, byteCount);
  }
  void FindClose(FindHandle) override { --openFinds; }
  bool DeleteEntry(const std::string&) override { return false; }
  std::uint32_t LastError() const override { return error_; }
  UrlCacheEntry ReadEntry(std::span<const std::byte> buffer) const override {
    UrlCacheEntry entry;
    EXPECT_EQ(buffer.size(), kRecordSize);
    std::memcpy(&entry.size, buffer.data(), sizeof entry.size);
    return entry;
  }

 private:
  static constexpr std::size_t kRecordSize = 80;
  bool Fetch(std::span<std::byte> buffer, std::uint32_t& byteCount) {
    if (next_ >= sizes.size()) {
      error_ = kErrorNoMoreItems;
      return false;
    }
    if (buffer.size() != kRecordSize) {
      if (!buffer.empty()) ++shortFetches;
      byteCount = kRecordSize;
      error_ = kErrorInsufficientBuffer;
      return false;
    }
    std::memcpy(buffer.data(), &sizes[next_++], sizeof(std::uint64_t));
    return true;
  }
  std::size_t next_ = 0;
  std::uint32_t error_ = 0;
};

}  // namespace quillmere::testing
