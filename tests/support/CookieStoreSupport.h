#pragma once

#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/UrlCacheWalk.h"
#include "platform/win32/Win32UrlCache.h"
#include "tests/support/GuiTestSupport.h"
#include "helpers/Traces.h"

namespace quillmere::testing {

// Runs cookie_tool.exe (beside the test program) and returns its exit code.
inline DWORD RunCookieTool(std::initializer_list<std::string> args) {
  std::string command = "\"" + TestProgramFolder() + "cookie_tool.exe\"";
  for (const std::string& a : args) command += " \"" + a + "\"";
  return ExitCodeOfProgram(command, 30000);
}

// A page in the sandbox's URL cache, as the browser leaves it there.
inline void CachePage(const std::string& url) { ASSERT_TRUE(CommitPage(url)) << GetLastError(); }

// A visit as the browser records it in the history, expiring at `expires`.
inline void Visit(const std::string& url, FILETIME expires = {}) {
  ASSERT_TRUE(CommitVisit(url, expires)) << GetLastError();
}

// Every source address in the sandbox's URL cache, in cache order.
inline std::vector<std::string> CacheSources() {
  win32::Win32UrlCache cache;
  std::vector<std::string> sources;
  ForEachUrlCacheEntry(cache, [&](const UrlCacheEntry& e) { sources.push_back(e.sourceUrl); });
  return sources;
}

// Empties the sandbox's URL cache, so that each test starts from a known store.
inline void EmptyCache() {
  for (const std::string& source : CacheSources()) DeleteUrlCacheEntryA(source.c_str());
}

}  // namespace quillmere::testing
