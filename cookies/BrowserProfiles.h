#pragma once

#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Shell.h"

namespace quillmere {

enum class BrowserFamily { kChromium, kFirefox };

// One profile of an installed browser.
struct BrowserProfile {
  BrowserFamily family = BrowserFamily::kChromium;
  std::string browser;     // "Chrome", "Edge", ..., "Firefox"
  std::string profile;     // its name as the browser shows it
  std::string folder;      // the profile's folder
  std::string dataFolder;  // the folder of all the browser's profiles ("User Data")
  std::string cookies;     // its cookie database; empty when it has none yet
  // Where the profile keeps what belongs to this machine alone (its caches): Firefox
  // keeps it under %LOCALAPPDATA% apart from the roaming profile, Chromium in the
  // profile folder itself.
  std::string localFolder;

  // "Chrome (Default)": how messages and rows name the profile.
  std::string Name() const { return browser + " (" + profile + ")"; }
};

// Every profile of the Chromium family's browsers (Chrome, Edge, Brave, Vivaldi,
// Opera, Opera GX) that the current user has: those the user data folder's "Local
// State" lists and whose folder exists, and every "Default" and "Profile N" folder
// whether listed or not. Browsers that are not installed give none.
std::vector<BrowserProfile> FindChromiumProfiles(const Files& files, const Shell& shell);

// Every Firefox profile that "profiles.ini" names and whose folder exists.
std::vector<BrowserProfile> FindFirefoxProfiles(const Files& files, const Shell& shell);

// The profiles of one family.
std::vector<BrowserProfile> FindProfiles(BrowserFamily family, const Files& files,
                                         const Shell& shell);

}  // namespace quillmere
