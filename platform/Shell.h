#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillmere {

// The record a shell library's DllGetVersion fills, field for field.
struct DllVersionInfo {
  std::uint32_t size = sizeof(DllVersionInfo);
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platform = 0;
};
static_assert(sizeof(DllVersionInfo) == 20);

// How a request to empty the recycle bins ended.
enum class EmptyRecycleBinResult {
  kCalled,           // the shell was asked; its own result is not reported
  kLibraryMissing,   // "Shell32.dll" did not load
  kFunctionMissing,  // the library has no SHEmptyRecycleBinA
};

// One thing a shell list holds: a file in the recycle bin, a recent document.
struct ShellItem {
  // Where it shows: the path a recycled file had before it was deleted, the path of
  // a recent document's shortcut.
  std::string path;
  std::optional<std::uint64_t> size;  // in bytes, where the shell says
};

// The folders of the current user's profile that programs keep their data in.
enum class UserFolder {
  kLocalAppData,    // %LOCALAPPDATA%: this machine's data
  kRoamingAppData,  // %APPDATA%: the data that roams with the user
};

// The shell's services. Functions that not every shell has are looked up for each
// call and their library released again when the call ends.
class Shell {
 public:
  virtual ~Shell() = default;

  // Loads `library` for this one call, asks its DllGetVersion and unloads it again.
  // nullopt when the library does not load, has no DllGetVersion, or the call fails.
  virtual std::optional<DllVersionInfo> GetDllVersion(const char* library) const = 0;

  // The total size in bytes of the recycle bin that `rootPath` selects, from
  // shell32's SHQueryRecycleBinA; nullopt when shell32 or the function is missing.
  // A query that fails reports 0, as the record is then left as it was zeroed.
  virtual std::optional<std::int64_t> QueryRecycleBinSize(const char* rootPath) const = 0;

  // SHEmptyRecycleBinA of "Shell32.dll" for every drive, with `flags`, owned by
  // `ownerWindow` (a window handle's value); returns when the shell has finished.
  virtual EmptyRecycleBinResult EmptyRecycleBin(std::uintptr_t ownerWindow,
                                                std::uint32_t flags) = 0;

  // What EmptyRecycleBin would delete now: every item in the recycle bins.
  virtual std::vector<ShellItem> RecycleBinItems() const = 0;

  // Empties the current user's list of recently opened documents.
  virtual void ClearRecentDocuments() = 0;
  // What ClearRecentDocuments would delete now: the shortcuts of the list.
  virtual std::vector<ShellItem> RecentDocuments() const = 0;

  // The path of one of the user's folders; nullopt when the shell knows none.
  virtual std::optional<std::string> FolderPath(UserFolder folder) const = 0;
};

}  // namespace quillmere
