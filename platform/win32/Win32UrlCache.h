#pragma once

#include <windows.h>

#include <cstddef>

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

  std::unique_ptr<UrlCacheSearch> Search() override;
  bool DeleteEntry(const std::string& sourceUrl) override;

 private:
  std::size_t firstContainer_;
};

}  // namespace quillmere::win32
