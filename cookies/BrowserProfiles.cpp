#include "cookies/BrowserProfiles.h"

#include <algorithm>
#include <initializer_list>
#include <set>
#include <string_view>

#include "common/Json.h"
#include "platform/Paths.h"

namespace quillmere {
namespace {

// Larger settings files are no browser's: they are passed over rather than read.
constexpr std::size_t kMaxLocalStateBytes = 64u << 20;
constexpr std::size_t kMaxProfilesIniBytes = 1u << 20;

struct ChromiumBrowser {
  const char* name;
  UserFolder base;
  std::initializer_list<std::string_view> folder;  // below `base`
  bool profileMayBeTheFolder;  // Opera keeps a profile in the user data folder itself
};

const ChromiumBrowser kChromiumBrowsers[] = {
    {"Chrome", UserFolder::kLocalAppData, {"Google", "Chrome", "User Data"}, false},
    {"Edge", UserFolder::kLocalAppData, {"Microsoft", "Edge", "User Data"}, false},
    {"Brave", UserFolder::kLocalAppData, {"BraveSoftware", "Brave-Browser", "User Data"}, false},
    {"Vivaldi", UserFolder::kLocalAppData, {"Vivaldi", "User Data"}, false},
    {"Opera", UserFolder::kRoamingAppData, {"Opera Software", "Opera Stable"}, true},
    {"Opera GX", UserFolder::kRoamingAppData, {"Opera Software", "Opera GX Stable"}, true},
};

std::string Below(std::string folder, std::initializer_list<std::string_view> names) {
  for (const std::string_view name : names) folder = JoinPath(folder, name);
  return folder;
}

bool IsFolder(const Files& files, const std::string& path) {
  const auto attributes = files.Attributes(path);
  return attributes && (*attributes & kAttributeDirectory);
}

bool IsFile(const Files& files, const std::string& path) {
  const auto attributes = files.Attributes(path);
  return attributes && !(*attributes & kAttributeDirectory);
}

// "Default" or "Profile " and a number: the folders Chromium makes for profiles.
bool IsProfileFolderName(std::string_view name) {
  if (name == "Default") return true;
  constexpr std::string_view kPrefix = "Profile ";
  if (!name.starts_with(kPrefix) || name.size() == kPrefix.size()) return false;
  return std::all_of(name.begin() + kPrefix.size(), name.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

// Chromium moved the cookies into "Network" in version 96.
std::string ChromiumCookies(const Files& files, const std::string& profile) {
  for (const std::string& path :
       {Below(profile, {"Network", "Cookies"}), JoinPath(profile, "Cookies")}) {
    if (IsFile(files, path)) return path;
  }
  return {};
}

// The profiles "Local State" names, folder name to display name.
std::vector<std::pair<std::string, std::string>> ListedProfiles(const Files& files,
                                                                const std::string& dataFolder) {
  std::vector<std::pair<std::string, std::string>> listed;
  const auto text = files.ReadFile(JoinPath(dataFolder, "Local State"), kMaxLocalStateBytes);
  const auto state = text ? ParseJson(*text) : std::nullopt;
  const JsonValue* profile = state ? state->Member("profile") : nullptr;
  const JsonValue* cache = profile ? profile->Member("info_cache") : nullptr;
  if (!cache) return listed;
  for (const auto& [folder, info] : cache->members) {
    const JsonValue* name = info.Member("name");
    const bool named = name && name->kind == JsonValue::Kind::kString && !name->text.empty();
    listed.emplace_back(folder, named ? name->text : folder);
  }
  return listed;
}

void AddChromiumProfiles(const Files& files, const ChromiumBrowser& browser,
                         const std::string& dataFolder, std::vector<BrowserProfile>& found) {
  std::vector<std::pair<std::string, std::string>> candidates;
  for (auto& listed : ListedProfiles(files, dataFolder)) {
    // A listed name is a folder name only: nothing may lead out of the data folder.
    if (listed.first.find_first_of("\\/:") == std::string::npos && listed.first != "." &&
        listed.first != "..")
      candidates.push_back(std::move(listed));
  }
  const auto search = files.Search(JoinPath(dataFolder, "*.*"));
  while (const auto entry = search->Next()) {
    if (!(entry->attributes & kAttributeDirectory) || !IsProfileFolderName(entry->name)) continue;
    const bool listed = std::any_of(candidates.begin(), candidates.end(),
                                    [&](const auto& c) { return c.first == entry->name; });
    if (!listed) candidates.emplace_back(entry->name, entry->name);
  }
  std::sort(candidates.begin(), candidates.end());
  const std::size_t before = found.size();
  for (const auto& [folderName, displayName] : candidates) {
    const std::string folder = JoinPath(dataFolder, folderName);
    if (!IsFolder(files, folder)) continue;  // listed, but gone
    found.push_back({.family = BrowserFamily::kChromium,
                     .browser = browser.name,
                     .profile = displayName,
                     .folder = folder,
                     .dataFolder = dataFolder,
                     .cookies = ChromiumCookies(files, folder),
                     .localFolder = folder});
  }
  if (browser.profileMayBeTheFolder && found.size() == before) {
    if (std::string cookies = ChromiumCookies(files, dataFolder); !cookies.empty()) {
      found.push_back({.family = BrowserFamily::kChromium,
                       .browser = browser.name,
                       .profile = "Default",
                       .folder = dataFolder,
                       .dataFolder = dataFolder,
                       .cookies = std::move(cookies),
                       .localFolder = dataFolder});
    }
  }
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

struct IniProfile {
  std::string name;
  std::string path;
  bool relative = true;
};

// The [ProfileN] sections of "profiles.ini".
std::vector<IniProfile> ReadProfilesIni(std::string_view text) {
  std::vector<IniProfile> profiles;
  bool inProfile = false;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.starts_with('[')) {
      inProfile = line.starts_with("[Profile") && line.ends_with(']');
      if (inProfile) profiles.emplace_back();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!inProfile || equals == std::string_view::npos) continue;
    const std::string_view key = Trimmed(line.substr(0, equals));
    const std::string_view value = Trimmed(line.substr(equals + 1));
    if (key == "Name") profiles.back().name = value;
    if (key == "Path") profiles.back().path = value;
    if (key == "IsRelative") profiles.back().relative = value != "0";
  }
  return profiles;
}

}  // namespace

std::vector<BrowserProfile> FindChromiumProfiles(const Files& files, const Shell& shell) {
  std::vector<BrowserProfile> found;
  for (const ChromiumBrowser& browser : kChromiumBrowsers) {
    const auto base = shell.FolderPath(browser.base);
    if (!base) continue;
    const std::string dataFolder = Below(*base, browser.folder);
    if (IsFolder(files, dataFolder)) AddChromiumProfiles(files, browser, dataFolder, found);
  }
  return found;
}

std::vector<BrowserProfile> FindFirefoxProfiles(const Files& files, const Shell& shell) {
  std::vector<BrowserProfile> found;
  const auto base = shell.FolderPath(UserFolder::kRoamingAppData);
  if (!base) return found;
  const std::string dataFolder = Below(*base, {"Mozilla", "Firefox"});
  const auto local = shell.FolderPath(UserFolder::kLocalAppData);
  const auto ini = files.ReadFile(JoinPath(dataFolder, "profiles.ini"), kMaxProfilesIniBytes);
  if (!ini) return found;
  for (IniProfile& profile : ReadProfilesIni(*ini)) {
    if (profile.path.empty()) continue;
    std::string folder = profile.path;
    std::string localFolder = folder;
    if (profile.relative) {
      std::replace(folder.begin(), folder.end(), '/', kPathSeparator);
      localFolder = local ? JoinPath(Below(*local, {"Mozilla", "Firefox"}), folder) : std::string();
      folder = JoinPath(dataFolder, folder);
    }
    if (!IsFolder(files, folder)) continue;
    const std::string cookies = JoinPath(folder, "cookies.sqlite");
    found.push_back({.family = BrowserFamily::kFirefox,
                     .browser = "Firefox",
                     .profile = profile.name.empty() ? profile.path : profile.name,
                     .folder = folder,
                     .dataFolder = dataFolder,
                     .cookies = IsFile(files, cookies) ? cookies : std::string(),
                     .localFolder = std::move(localFolder)});
  }
  return found;
}

std::vector<BrowserProfile> FindProfiles(BrowserFamily family, const Files& files,
                                         const Shell& shell) {
  return family == BrowserFamily::kChromium ? FindChromiumProfiles(files, shell)
                                            : FindFirefoxProfiles(files, shell);
}

}  // namespace quillmere
