#include "cleaners/HistoryPurge.h"

#include <cctype>
#include <stdexcept>
#include <vector>

#include "cleaners/FolderPurge.h"
#include "common/Guarded.h"

namespace quillmere {
namespace {

constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The parts of `path` between backslashes, one trailing backslash allowed.
std::vector<std::string> Parts(std::string path) {
  if (path.ends_with('\\')) path.pop_back();
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end; (end = path.find('\\', start)) != std::string::npos; start = end + 1)
    parts.push_back(path.substr(start, end - start));
  parts.push_back(path.substr(start));
  return parts;
}

// Windows drops trailing dots and blanks from a name, so "C:\..." or "C:\Users." would
// name another folder than they seem to, the drive root among them.
bool IsFolderName(const std::string& part) {
  return !part.empty() && part.back() != '.' && part.back() != ' ' &&
         part.find_first_of("/*?\"<>|:") == std::string::npos;
}

}  // namespace

std::string GetHistoryFolder(Registry& registry) {
  const auto key = registry.OpenCurrentUserKey(kShellFoldersKey);
  if (!key) return {};
  const auto value = key->ReadValue("History");
  if (!value) return {};
  if (value->type != kRegistryString && value->type != kRegistryExpandString)
    throw std::runtime_error("Invalid data type for 'History'");
  return value->data;
}

bool IsHistoryFolderPath(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t first = 0;  // the parts that name a folder below the root
  if (path.starts_with("\\\\")) {
    parts = Parts(path.substr(2));
    first = 2;  // server and share
  } else if (path.size() > 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
             path[1] == ':' && path[2] == '\\') {
    parts = Parts(path.substr(3));
  } else {
    return false;
  }
  if (parts.size() <= first) return false;
  for (const std::string& part : parts) {
    if (!IsFolderName(part)) return false;
  }
  return true;
}

void ApproveHistoryDeletion(RunReport& report, const std::string& url, bool& Delete) {
  report.ShowStatus("Removing : " + url + " From Index.Dat");
  Delete = true;
}

void PurgeUrlHistory(TUrlHistory& history, Registry& registry, Files& files, RunReport& report) {
  RunGuarded(report, "Error Removing Data From Index.Dat", [&] {
    std::vector<std::string> urls;
    report.ShowStatus("Enumerating History Files...");
    const int count = history.Refresh();
    report.SetProgressMax(count);
    for (int index = 0; index < count; ++index) {
      urls.push_back(history.Items()[index].Url);
      report.SetProgressPosition(index);
    }
    for (std::size_t index = 0; index < urls.size(); ++index) {
      history.RemoveUrl(urls[index]);
      report.SetProgressPosition(static_cast<int>(index));
    }
    urls.clear();
    const int removed = history.DeleteEntries();
    history.ClearStore();
    report.ShowStatus("Removed : " + std::to_string(removed) + "  Entries From Index.Dat");

    const std::string folder = GetHistoryFolder(registry);
    report.ShowStatus("Deleting History Files...");
    if (!folder.empty()) {
      // Anyone can change the value; a drive root there must not empty the drive.
      if (!IsHistoryFolderPath(folder))
        throw std::runtime_error("The History folder is not a folder path");
      if (FolderExists(files, folder)) PurgeFolder(files, report, folder);
    }
    report.SetProgressPosition(0);
  });
}

}  // namespace quillmere
