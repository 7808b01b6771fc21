#pragma once

// The bare WinINet walk the benchmarks measure the program against, and empty the
// cache with: one record buffer kept from entry to entry, grown only for an entry
// larger than it, so an entry that fits costs one call, as the program's own walk.
#include <windows.h>
#include <wininet.h>

#include <vector>

namespace quillmere::bench {

// Hands each entry whose address matches `pattern` (nullptr: every entry) to `visit`;
// returns how many there were.
template <typename Visit>
int WalkUrlCache(const char* pattern, Visit visit) {
  std::vector<char> buffer(4096);
  auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  // One call into the kept buffer; a second into one of the size asked for.
  const auto fetch = [&](auto call) {
    DWORD size = static_cast<DWORD>(buffer.size());
    if (call(entry, &size)) return true;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
    buffer.assign(size, 0);
    entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    return call(entry, &size) != FALSE;
  };
  HANDLE find = nullptr;
  if (!fetch([&](INTERNET_CACHE_ENTRY_INFOA* e, DWORD* size) {
        find = FindFirstUrlCacheEntryA(pattern, e, size);
        return find != nullptr;
      })) {
    return 0;
  }
  int entries = 0;
  do {
    ++entries;
    visit(*entry);
  } while (fetch([&](INTERNET_CACHE_ENTRY_INFOA* e, DWORD* size) {
    return FindNextUrlCacheEntryA(find, e, size) != FALSE;
  }));
  FindCloseUrlCache(find);
  return entries;
}

}  // namespace quillmere::bench
