#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/Database.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Shell.h"
#include "tests/support/GuiTestSupport.h"

namespace quillmere::testing {

// The browsers' test stores (copied beside the test programs by the build), placed
// where the browsers keep them in the sandbox user's profile: Chrome and Edge with
// the Chromium tree, Firefox with its own and its local caches; and taken away again.
class InstalledBrowsers {
 public:
  InstalledBrowsers() {
    const win32::Win32Shell shell;
    local_ = shell.FolderPath(UserFolder::kLocalAppData).value_or("");
    roaming_ = shell.FolderPath(UserFolder::kRoamingAppData).value_or("");
    Remove();
    const std::string data = TestProgramFolder() + "browsers\\";
    Copy(data + "chromium\\User Data", local_ + "\\Google\\Chrome\\User Data");
    Copy(data + "chromium\\User Data", local_ + "\\Microsoft\\Edge\\User Data");
    Copy(data + "firefox", roaming_ + "\\Mozilla\\Firefox");
    Copy(data + "firefox-local", local_ + "\\Mozilla\\Firefox");
  }
  ~InstalledBrowsers() { Remove(); }
  InstalledBrowsers(const InstalledBrowsers&) = delete;
  InstalledBrowsers& operator=(const InstalledBrowsers&) = delete;

  std::string ChromeCookies(const char* profile = "Default") const {
    return local_ + "\\Google\\Chrome\\User Data\\" + profile + "\\Network\\Cookies";
  }
  std::string EdgeCookies(const char* profile = "Default") const {
    return local_ + "\\Microsoft\\Edge\\User Data\\" + profile + "\\Network\\Cookies";
  }
  std::string FirefoxCookies(const char* folder) const {
    return roaming_ + "\\Mozilla\\Firefox\\Profiles\\" + folder + "\\cookies.sqlite";
  }
  std::string Local(const std::string& below) const { return local_ + "\\" + below; }

 private:
  // Paths go to the file system wide: the sandbox user's name is beyond every ANSI
  // code page.
  static std::filesystem::path Wide(const std::string& path) { return win32::Widen(path); }
  static void Copy(const std::string& from, const std::string& to) {
    std::filesystem::create_directories(Wide(to).parent_path());
    std::filesystem::copy(Wide(from), Wide(to), std::filesystem::copy_options::recursive);
  }
  void Remove() const {
    std::error_code error;
    for (const std::string& folder : {local_ + "\\Google", local_ + "\\Microsoft\\Edge",
                                      local_ + "\\Mozilla", roaming_ + "\\Mozilla"})
      std::filesystem::remove_all(Wide(folder), error);
  }

  std::string local_;
  std::string roaming_;
};

// The distinct hosts of a Chromium store, in order.
inline std::vector<std::string> ChromiumHosts(const std::string& path) {
  Database db(path);
  Statement hosts = db.Prepare("SELECT DISTINCT host_key FROM cookies ORDER BY 1");
  std::vector<std::string> found;
  while (hosts.Step()) found.push_back(hosts.Text(0));
  return found;
}

inline std::int64_t CookieRows(const std::string& path, const char* table) {
  Database db(path);
  Statement count = db.Prepare(std::string("SELECT count(*) FROM ") + table);
  return count.Step() ? count.Int(0) : -1;
}

}  // namespace quillmere::testing
