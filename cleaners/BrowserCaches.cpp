#include "cleaners/BrowserCaches.h"

#include <algorithm>

#include "cleaners/FolderPurge.h"
#include "platform/Paths.h"

namespace quillmere {
namespace {

constexpr const char* kChromiumProfileCaches[] = {"Cache", "Code Cache", "GPUCache", "Media Cache"};
constexpr const char* kChromiumSharedCaches[] = {"GrShaderCache", "ShaderCache",
                                                 "GraphiteDawnCache"};
constexpr const char* kFirefoxCaches[] = {"cache2", "thumbnails"};

// Only a plain folder is measured, as only a plain one is purged.
std::uint64_t FolderBytes(const Files& files, const std::string& folder) {
  std::uint64_t total = 0;
  const auto search = files.Search(JoinPath(folder, "*.*"));
  while (const auto entry = search->Next()) {
    if (entry->name == "." || entry->name == "..") continue;
    if (entry->attributes == kAttributeDirectory) {
      total += FolderBytes(files, JoinPath(folder, entry->name));
    } else if (!(entry->attributes & kAttributeDirectory)) {
      total += entry->size;
    }
  }
  return total;
}

void AddIfFolder(const Files& files, std::string path, std::vector<std::string>& folders) {
  if (FolderExists(files, path) && std::find(folders.begin(), folders.end(), path) == folders.end())
    folders.push_back(std::move(path));
}

}  // namespace

std::vector<std::string> BrowserCacheFolders(const Files& files,
                                             const std::vector<BrowserProfile>& profiles) {
  std::vector<std::string> folders;
  for (const BrowserProfile& profile : profiles) {
    if (profile.localFolder.empty()) continue;
    if (profile.family == BrowserFamily::kFirefox) {
      for (const char* name : kFirefoxCaches)
        AddIfFolder(files, JoinPath(profile.localFolder, name), folders);
      continue;
    }
    for (const char* name : kChromiumProfileCaches)
      AddIfFolder(files, JoinPath(profile.localFolder, name), folders);
    for (const char* name : kChromiumSharedCaches)
      AddIfFolder(files, JoinPath(profile.dataFolder, name), folders);
  }
  return folders;
}

void ClearBrowserCaches(BrowserFamily family, Files& files, const Shell& shell, RunReport& report) {
  int deleted = 0;
  for (const std::string& folder : BrowserCacheFolders(files, FindProfiles(family, files, shell))) {
    report.ShowStatus("Clearing " + folder);
    deleted += PurgeFolder(files, report, folder);
  }
  report.ShowStatus("Deleted " + std::to_string(deleted) + " Cache Files");
}

std::uint64_t BrowserCacheBytes(BrowserFamily family, const Files& files, const Shell& shell) {
  std::uint64_t total = 0;
  for (const std::string& folder : BrowserCacheFolders(files, FindProfiles(family, files, shell))) {
    // A link in the cache's place is not purged, so it is not measured either.
    const auto attributes = files.Attributes(folder);
    if (attributes && !(*attributes & kAttributeReparsePoint)) total += FolderBytes(files, folder);
  }
  return total;
}

}  // namespace quillmere
