#pragma once

// Traces as browsing and everyday use leave them, made for real in the sandbox's
// registry, URL cache, files and recycle bin: by the Windows tests, and by the
// sample traces a newcomer's first run starts with (seed_traces). Nothing here
// asserts; each maker says whether the system took the trace.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/WideText.h"

namespace quillmere::testing {

inline bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void WriteFile(const std::string& path, const std::string& text = "x") {
  std::ofstream(path, std::ios::binary) << text;
}

// Makes the folder and every missing folder above it.
inline void MakeFolders(const std::string& path) {
  for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  CreateDirectoryA(path.c_str(), nullptr);
}

// The names of the files (not folders) that `pattern`, a folder and a wildcard, finds,
// in order.
inline std::vector<std::string> FilesMatching(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

// Removes a tree the test made. A link is removed itself, never entered.
inline void RemoveTree(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL | (attributes & FILE_ATTRIBUTE_DIRECTORY));
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") RemoveTree(path + "\\" + name);
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || !RemoveDirectoryA(path.c_str()))
    DeleteFileA(path.c_str());
}

// Sets a text value below HKEY_CURRENT_USER, making the key if need be.
inline bool WriteRegistryText(const std::string& key, const char* name, const std::string& text,
                              DWORD type = REG_SZ) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG set =
      RegSetValueExA(handle, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
  RegCloseKey(handle);
  return set == ERROR_SUCCESS;
}

// The number of values of the key below HKEY_CURRENT_USER; -1 when it does not open.
inline int ValueCount(const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return -1;
  DWORD values = 0;
  RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(handle);
  return static_cast<int>(values);
}

inline std::int64_t RecycleBinBytes() {
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  SHQueryRecycleBinA(nullptr, &info);
  return info.i64Size;
}

// Moves a file to the recycle bin, as Explorer's Delete does.
inline bool MoveToRecycleBin(const std::string& path) {
  const std::string from = path + '\0';  // a list of paths, ended by an empty one
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return SHFileOperationA(&operation) == 0;
}

inline std::string ShellFolder(int which) {
  char folder[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder;
}

inline std::string RecentFolder() { return ShellFolder(CSIDL_RECENT); }

// The user's History folder, which the history purge empties. Every process that
// loads WinINet under Wine writes it to "Shell Folders" anew, so a test cannot
// point the program elsewhere there.
inline std::string HistoryFolder() { return ShellFolder(CSIDL_HISTORY); }

// The user name WinINet puts into cookie and visit source addresses, in UTF-8.
// (Wine's GetUserNameA gives as many bytes as the name has characters, so it cuts
// a name of letters beyond ASCII short.)
inline std::string UserName() {
  wchar_t name[257];
  DWORD size = 257;
  if (!GetUserNameW(name, &size)) return "";
  return win32::Narrow(std::wstring_view(name, size - 1));
}

// "Cookie:user@" + host and path: the source address of a persistent cookie.
inline std::string CookieSource(const std::string& hostAndPath) {
  return "Cookie:" + UserName() + "@" + hostAndPath;
}

// Now, moved by a number of days (into the past when negative).
inline FILETIME DaysFromNow(double days) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
  t.QuadPart += static_cast<LONGLONG>(days * 86400.0) * 10'000'000LL;
  return FILETIME{t.LowPart, t.HighPart};
}

// A page in the URL cache, as the browser leaves it there; with `content`, the page
// is kept in a file of the cache, so that it counts towards the cache's size.
inline bool CommitPage(const std::string& url, const std::string& content = "") {
  const FILETIME now = DaysFromNow(0);
  char file[MAX_PATH] = {};
  if (!content.empty()) {
    if (!CreateUrlCacheEntryA(url.c_str(), static_cast<DWORD>(content.size()), "htm", file, 0))
      return false;
    WriteFile(file, content);
  }
  return CommitUrlCacheEntryA(url.c_str(), content.empty() ? nullptr : file, FILETIME{}, now,
                              NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr) != FALSE;
}

// A visit of `user` as the browser records it in the history, expiring at `expires`.
inline bool CommitVisit(const std::string& url, FILETIME expires = {},
                        const std::string& user = UserName()) {
  const std::string name = "Visited: " + user + "@" + url;
  return CommitUrlCacheEntryA(name.c_str(), nullptr, expires, DaysFromNow(0),
                              NORMAL_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY, nullptr, 0, nullptr,
                              nullptr) != FALSE;
}

// A cookie entry with the dates and hit count a browser keeps for it. Committed
// directly: a cookie set through WinINet carries no dates under Wine, and no hit
// count can be given to it.
inline bool CommitCookie(const std::string& source, FILETIME modified, FILETIME expires,
                         DWORD hits) {
  if (!CommitUrlCacheEntryA(source.c_str(), nullptr, expires, modified, COOKIE_CACHE_ENTRY, nullptr,
                            0, nullptr, nullptr)) {
    return false;
  }
  INTERNET_CACHE_ENTRY_INFOA info{};
  info.dwStructSize = sizeof info;
  info.dwHitRate = hits;
  return SetUrlCacheEntryInfoA(source.c_str(), &info, CACHE_ENTRY_HITRATE_FC) != FALSE;
}

}  // namespace quillmere::testing
