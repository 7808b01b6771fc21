#include "cleaners/ShellCleaners.h"

namespace quillmere {

std::optional<std::string> EmptyRecycleBin(Shell& shell, std::uintptr_t ownerWindow) {
  if (shell.EmptyRecycleBin(ownerWindow, kSilentEmptyFlags) ==
      EmptyRecycleBinResult::kLibraryMissing) {
    return "Failed to load Shell32.dll.";
  }
  return std::nullopt;
}

void ClearRecentDocuments(Shell& shell) { shell.ClearRecentDocuments(); }

}  // namespace quillmere
