#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"
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
  return name.size() > 4 &&
         EqualsAsciiNoCase(std::string_view(name).substr(name.size() - 4), ".lnk");
}

// The shortcut files directly in the Recent folder: no subfolder is entered and no
// link followed. The folder's path is asked for wide: the ANSI call fills a buffer
// of MAX_PATH bytes, too small for a profile path of many non-ASCII letters.
std::vector<ShellItem> RecentShortcuts() {
  wchar_t recent[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, recent)) ||
      !*recent) {
    return {};
  }
  const std::string folder = Narrow(recent) + '\\';
  std::vector<ShellItem> shortcuts;
  const auto search = Win32Files().Search(folder + "*.lnk");
  while (const auto entry = search->Next()) {
    if (entry->attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    if (IsShortcutName(entry->name)) shortcuts.push_back({folder + entry->name, entry->size});
  }
  return shortcuts;
}

struct PidlFree {
  void operator()(ITEMIDLIST* p) const noexcept { CoTaskMemFree(p); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

struct TextFree {
  void operator()(char* p) const noexcept { CoTaskMemFree(p); }
};

std::string TakeText(STRRET& text, PCUITEMID_CHILD item) {
  char* raw = nullptr;
  if (FAILED(StrRetToStrA(&text, item, &raw)) || !raw) return {};
  const std::unique_ptr<char, TextFree> owned(raw);
  return owned.get();
}

// The recycle bin's own folder, as Explorer shows it.
UniqueCom<IShellFolder2> OpenRecycleBin() {
  IShellFolder* desktopRaw = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktopRaw)) || !desktopRaw) return nullptr;
  const UniqueCom<IShellFolder> desktop(desktopRaw);
  PIDLIST_ABSOLUTE binRaw = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &binRaw)) || !binRaw)
    return nullptr;
  const UniquePidl bin(binRaw);
  IShellFolder2* folder = nullptr;
  if (FAILED(desktop->BindToObject(bin.get(), nullptr, IID_IShellFolder2,
                                   reinterpret_cast<void**>(&folder))) ||
      !folder) {
    return nullptr;
  }
  return UniqueCom<IShellFolder2>(folder);
}

// Explorer's columns of the recycle bin.
constexpr UINT kOriginalLocationColumn = 1;
// The size property {B725F130-47EF-101A-A5F1-02608C9EEBAC}, 12.
constexpr SHCOLUMNID kSizeProperty = {
    {0xB725F130, 0x47EF, 0x101A, {0xA5, 0xF1, 0x02, 0x60, 0x8C, 0x9E, 0xEB, 0xAC}}, 12};

ShellItem ReadRecycledItem(IShellFolder2& bin, PCUITEMID_CHILD item) {
  ShellItem recycled;
  STRRET name{};
  if (SUCCEEDED(bin.GetDisplayNameOf(item, SHGDN_INFOLDER, &name)))
    recycled.path = TakeText(name, item);
  SHELLDETAILS location{};
  if (SUCCEEDED(bin.GetDetailsOf(item, kOriginalLocationColumn, &location))) {
    std::string folder = TakeText(location.str, item);
    if (!folder.empty() && !folder.ends_with('\\')) folder += '\\';
    recycled.path = folder + recycled.path;
  }
  VARIANT size;
  VariantInit(&size);
  if (SUCCEEDED(bin.GetDetailsEx(item, &kSizeProperty, &size)) && size.vt == VT_UI8)
    recycled.size = size.ullVal;
  VariantClear(&size);
  return recycled;
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

std::vector<ShellItem> Win32Shell::RecycleBinItems() const {
  const UniqueCom<IShellFolder2> bin = OpenRecycleBin();
  IEnumIDList* listRaw = nullptr;
  // S_FALSE with no list: an empty bin.
  if (!bin ||
      FAILED(bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                              &listRaw))) {
    throw std::runtime_error("The recycle bin cannot be listed.");
  }
  std::vector<ShellItem> items;
  if (!listRaw) return items;
  const UniqueCom<IEnumIDList> list(listRaw);
  for (;;) {
    PITEMID_CHILD itemRaw = nullptr;
    ULONG fetched = 0;
    if (list->Next(1, &itemRaw, &fetched) != S_OK || !itemRaw) break;
    const UniquePidl item(itemRaw);
    items.push_back(ReadRecycledItem(*bin, item.get()));
  }
  return items;
}

void Win32Shell::ClearRecentDocuments() {
  SHAddToRecentDocs(SHARD_PATHA, nullptr);
  // Wine takes the request but leaves the shortcuts in the Recent folder, where the
  // shell would look for them again; they are removed here so that the list is empty
  // on every system.
  Win32Files files;
  for (const ShellItem& shortcut : RecentShortcuts()) files.RemoveFile(shortcut.path);
}

std::vector<ShellItem> Win32Shell::RecentDocuments() const { return RecentShortcuts(); }

std::optional<std::string> Win32Shell::FolderPath(UserFolder folder) const {
  char path[MAX_PATH] = {};
  const int csidl = folder == UserFolder::kLocalAppData ? CSIDL_LOCAL_APPDATA : CSIDL_APPDATA;
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) || !*path)
    return std::nullopt;
  return std::string(path);
}

}  // namespace quillmere::win32
