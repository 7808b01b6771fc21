#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "platform/UrlCache.h"

namespace quillmere::win32 {

// The WinINet URL cache. A search with no pattern gives every container on some
// systems (Wine, older Windows) and only the content container on current Windows,
// so one search here walks the plain enumeration and then the cookie and history
// containers the plain one did not already give: every entry comes exactly once.
// Scoped to the history, a search walks the history container alone.
class Win32UrlCache final : public UrlCache {
 public:
  enum class Scope { kEveryEntry, kHistory };

  explicit Win32UrlCache(Scope scope = Scope::kEveryEntry);
  ~Win32UrlCache() override;

  FindHandle FindFirstEntry(std::span<std::byte> buffer, std::uint32_t& byteCount) override;
  bool FindNextEntry(FindHandle find, std::span<std::byte> buffer,
                     std::uint32_t& byteCount) override;
  void FindClose(FindHandle find) override;
  bool DeleteEntry(const std::string& sourceUrl) override;
  std::uint32_t LastError() const override { return lastError_; }

  UrlCacheEntry ReadEntry(std::span<const std::byte> buffer) const override;

 private:
  struct Search;

  // Fetches the next entry of `search`, opening the following containers as the
  // present one runs out.
  bool Advance(Search& search, std::span<std::byte> buffer, std::uint32_t& byteCount);
  bool Failed(DWORD error);

  std::size_t firstContainer_;
  std::map<FindHandle, std::unique_ptr<Search>> searches_;
  std::uint32_t lastError_ = 0;
};

}  // namespace quillmere::win32
