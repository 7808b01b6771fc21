#include "platform/win32/Win32Shell.h"

#include <windows.h>

#include <cstdint>

#include "platform/win32/Handles.h"

namespace quillmere::win32 {
namespace {

using DllGetVersionProc = HRESULT(CALLBACK*)(DllVersionInfo*);

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

}  // namespace quillmere::win32
