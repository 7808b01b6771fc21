#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Shell.h"

namespace quillmere {

// No confirmation, no progress dialog, no sound.
inline constexpr std::uint32_t kSilentEmptyFlags = 1 | 2 | 4;

// Empties the recycle bins of every drive, the shell's windows owned by
// `ownerWindow`. Returns the message the user must be shown, if any: only a shell
// library that does not load has one; a missing function passes in silence.
std::optional<std::string> EmptyRecycleBin(Shell& shell, std::uintptr_t ownerWindow);

// Empties the current user's list of recently opened documents.
void ClearRecentDocuments(Shell& shell);

}  // namespace quillmere
