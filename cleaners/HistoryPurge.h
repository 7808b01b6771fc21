#pragma once

#include <string>

#include "common/RunReport.h"
#include "history/UrlHistory.h"
#include "platform/Files.h"
#include "platform/Registry.h"

namespace quillmere {

// The user's History folder from the shell's folder list; empty when the key or the
// value is missing. A value that is not text is an error.
std::string GetHistoryFolder(Registry& registry);

// True for a path that names a folder below a drive's root ("C:\...\History") or
// below a network share, with no empty, "." or ".." part and no wildcard. A drive
// root, a share itself or a relative path is not a History folder: purging it would
// wipe the drive.
bool IsHistoryFolderPath(const std::string& path);

// The body of UrlHistory1Delete: reports the entry and approves its deletion.
void ApproveHistoryDeletion(RunReport& report, const std::string& url, bool& Delete);

// Empties the URL history store entry by entry and as a whole, then deletes every
// file below the History folder. Its one error line replaces the rest of the purge
// if anything fails, a History value that is no folder path included. The
// deletions the store is offered go through `history`'s OnDelete.
void PurgeUrlHistory(TUrlHistory& history, Registry& registry, Files& files, RunReport& report);

}  // namespace quillmere
