#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Files.h"

namespace quillmere::win32 {
namespace {

using DllGetVersionProc = HRESULT(CALLBACK*)(DllVersionInfo*);
using QueryRecycleBinProc = HRESULT(WINAPI*)(LPCSTR, SHQUERYRBINFO*);
using EmptyRecycleBinProc = HRESULT(WINAPI*)(HWND, LPCSTR, DWORD);

// The loaded module for one call, or none. Handle values up to 32 are error codes
// on the systems that return them instead of a null handle.
UniqueModule LoadForOneCall(const char* library) {
  UniqueModule module(LoadLibraryA(library));
  if (reinterpret_cast<std::uintptr_t>(module.get()) <= 32) module.release();
  return module;
}

// The long name of a shortcut file; a "*.lnk" search also matches short names.
bool IsShortcutName(const std::string& name) {
  return name.size() > 4 && _stricmp(name.c_str() + name.size() - 4, ".lnk") == 0;
}

}  // namespace

std::optional<DllVersionInfo> Win32Shell::GetDllVersion(const char* library) const {
  const UniqueModule module = LoadForOneCall(library);
  if (!module) return std::nullopt;
  const auto proc = FindProc<DllGetVersionProc>(module.get(), "DllGetVersion");
  if (!proc) return std::nullopt;
  DllVersionInfo info{};
  info.size = sizeof info;
  if (proc(&info) != S_OK) return std::nullopt;
  return info;
}
std::optional<std::int64_t> Win32Shell::QueryRecycleBinSize(const char* rootPath) const {
  const UniqueModule module = LoadForOneCall("shell32.dll");
  if (!module) return std::nullopt;
  const auto query = FindProc<QueryRecycleBinProc>(module.get(), "SHQueryRecycleBinA");
  if (!query) return std::nullopt;
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  query(rootPath, &info);
  return static_cast<std::int64_t>(info.i64Size);
}

EmptyRecycleBinResult Win32Shell::EmptyRecycleBin(std::uintptr_t ownerWindow, std::uint32_t flags) {
  const UniqueModule module = LoadForOneCall("Shell32.dll");
  if (!module) return EmptyRecycleBinResult::kLibraryMissing;
  const auto empty = FindProc<EmptyRecycleBinProc>(module.get(), "SHEmptyRecycleBinA");
  if (!empty) return EmptyRecycleBinResult::kFunctionMissing;
  empty(reinterpret_cast<HWND>(ownerWindow), nullptr, flags);
  return EmptyRecycleBinResult::kCalled;
}

void Win32Shell::ClearRecentDocuments() {
  SHAddToRecentDocs(SHARD_PATHA, nullptr);
  // Wine takes the request but leaves the shortcuts in the Recent folder, where the
  // shell would look for them again; they are removed here so that the list is empty
  // on every system. Only shortcut files directly in that folder go: no subfolder is
  // entered and no link followed.
  char recent[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, recent)) ||
      !*recent) {
    return;
  }
  const std::string folder = std::string(recent) + '\\';
  Win32Files files;
  const auto search = files.Search(folder + "*.lnk");
  while (const auto entry = search->Next()) {
    if (entry->attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    if (IsShortcutName(entry->name)) files.RemoveFile(folder + entry->name);
  }
}

}  // namespace quillmere::win32
