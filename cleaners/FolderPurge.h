#pragma once

#include <string>

#include "common/RunReport.h"
#include "platform/Files.h"

namespace quillmere {

// The attributes of `path` can be read and include the directory bit.
bool FolderExists(const Files& files, const std::string& path);
// A search for exactly `path` finds an entry, and that entry is not a folder.
bool FileExists(const Files& files, const std::string& path);

// Deletes every file below the folder `path` (with or without its trailing
// backslash), reporting each one, and removes no folder. Only plain folders are
// entered (attribute word exactly 16): a folder with any other attribute, a junction
// or a symbolic link among them, is taken for a file, fails to delete and is
// reported, and nothing behind it is touched. A `path` that is itself a link is not
// entered either. Returns the number of files deleted.
int PurgeFolder(Files& files, RunReport& report, const std::string& path);

// The caches, histories, cookies and mail bins of the Netscape and AOL browsers at
// their fixed places on drive C:; each writes its own error line if anything fails.
void CleanNetscape(Files& files, RunReport& report);
void CleanAol(Files& files, RunReport& report);

}  // namespace quillmere
