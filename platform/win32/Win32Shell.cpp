#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>

#include "platform/win32/Handles.h"

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

void Win32Shell::ClearRecentDocuments() { SHAddToRecentDocs(SHARD_PATHA, nullptr); }

}  // namespace quillmere::win32
