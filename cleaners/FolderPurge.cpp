#include "cleaners/FolderPurge.h"

#include <string_view>

#include "common/Guarded.h"

namespace quillmere {
namespace {

// The folder's own name, as the purge names its entries.
std::string NameOf(const std::string& folder) {
  const std::string path = folder.substr(0, folder.size() - 1);
  return path.substr(path.find_last_of('\\') + 1);
}

int PurgeTree(Files& files, RunReport& report, const std::string& path) {
  int deleted = 0;
  const std::string folder = path.ends_with('\\') ? path : path + '\\';
  const auto search = files.Search(folder + "*.*");
  while (const auto entry = search->Next()) {
    if (entry->name == "." || entry->name == "..") continue;
    if (entry->attributes == kAttributeDirectory) {
      deleted += PurgeTree(files, report, folder + entry->name);
      continue;
    }
    report.ShowStatus("Deleting : " + entry->name);
    if (files.RemoveFile(folder + entry->name)) {
      ++deleted;
      report.ShowStatus("Deleted !");
    } else {
      report.ShowStatus("Could Not Delete : " + entry->name);
    }
  }
  // A folder that cannot be listed to its end keeps what was not listed, as a file
  // that cannot be deleted stays; both are named.
  if (search->Failed()) report.ShowStatus("Could Not Delete : " + NameOf(folder));
  return deleted;
}

struct NetscapeStep {
  bool folder;
  const char* path;
};

constexpr NetscapeStep kNetscapeSteps[] = {
    {true, "c:\\program files\\netscape\\cache"},
    {true, "C:\\Program Files\\Netscape\\Navigator\\Cache"},
    {true, "c:\\Program Files\\Netscape\\Users\\default\\cache"},
    {false, "c:\\Program Files\\Netscape\\Users\\default\\Netscape.hst"},
    {false, "c:\\Program Files\\Netscape\\Users\\default\\cookies.txt"},
    {false, "c:\\Program Files\\Netscape\\Users\\default\\history.dat"},
    {false, "c:\\Program Files\\Netscape\\Navigator\\Netscape.hst"},
    {false, "c:\\Program Files\\Netscape\\Navigator\\cookies.txt"},
    {true, "C:\\Program Files\\Netscape\\Navigator\\Mail\\Trash"},
    {true, "C:\\Program Files\\Netscape\\Navigator\\Mail\\Sent"},
    {true, "C:\\Program Files\\Netscape\\Users\\default\\Mail\\Trash"},
    {true, "C:\\Program Files\\Netscape\\Users\\default\\Mail\\Sent"},
};

struct AolVersion {
  const char* opening;  // nullptr: the version has no opening line
  const char* folder;
  const char* closing;
};

constexpr AolVersion kAolVersions[] = {
    {"Clearing AOL 2.0 History Files...", "C:\\AOL20\\CACHE", "AOL 2.0 Clean!"},
    {"Clearing AOL 3.0 History Files...", "C:\\AOL30\\CACHE", "AOL 3.0 Clean!"},
    {"Clearing AOL 4.0 History Files...", "C:\\AOL40\\CACHE", "AOL 4.0 Clean!"},
    {"Clearing AOL 5.0 History Files...", "C:\\AOL50\\CACHE", "AOL 5.0 Clean!"},
    {nullptr, "C:\\AOL60\\CACHE", "AOL 6.0 Clean!"},
};

void PurgeIfFolder(Files& files, RunReport& report, const std::string& path) {
  if (FolderExists(files, path)) PurgeFolder(files, report, path);
}

}  // namespace

bool FolderExists(const Files& files, const std::string& path) {
  const auto attributes = files.Attributes(path);
  return attributes && (*attributes & kAttributeDirectory);
}

bool FileExists(const Files& files, const std::string& path) {
  const auto entry = files.Search(path)->Next();
  return entry && !(entry->attributes & kAttributeDirectory);
}

int PurgeFolder(Files& files, RunReport& report, const std::string& path) {
  // Below the top the listing has vouched for every folder entered; the top itself
  // is only known by its path, which may name a link to somewhere else.
  const auto attributes = files.Attributes(path);
  if (attributes && (*attributes & kAttributeReparsePoint)) return 0;
  return PurgeTree(files, report, path);
}

void CleanNetscape(Files& files, RunReport& report) {
  RunGuarded(report, "Error Removing NetScape Files", [&] {
    report.ShowStatus("Clearing Netscape History Files...");
    for (const NetscapeStep& step : kNetscapeSteps) {
      if (step.folder) {
        PurgeIfFolder(files, report, step.path);
      } else if (FileExists(files, step.path) && !files.RemoveFile(step.path)) {
        // The single files go without a word; one that stays is named, so that the
        // closing line does not stand for it.
        report.ShowStatus("Could Not Delete : " + std::string(step.path));
      }
    }
    report.ShowStatus("NetScape Clean!");
  });
}

void CleanAol(Files& files, RunReport& report) {
  RunGuarded(report, "Error Removing AOL Files", [&] {
    for (const AolVersion& version : kAolVersions) {
      if (version.opening) report.ShowStatus(version.opening);
      PurgeIfFolder(files, report, version.folder);
      report.ShowStatus(version.closing);
    }
  });
}

}  // namespace quillmere
