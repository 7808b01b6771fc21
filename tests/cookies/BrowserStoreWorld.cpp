#include "tests/cookies/BrowserStoreWorld.h"

#include <atomic>
#include <unistd.h>

namespace quillmere::testing {

namespace fs = std::filesystem;

BrowserStoreWorld::BrowserStoreWorld() {
  static std::atomic<int> made = 0;
  root_ = fs::temp_directory_path() /
          ("quillmere-browsers-" + std::to_string(getpid()) + "-" + std::to_string(made++));
  fs::remove_all(root_);
  fs::create_directories(root_ / "Local");
  fs::create_directories(root_ / "Roaming");
  shell.folders[UserFolder::kLocalAppData] = Path("Local");
  shell.folders[UserFolder::kRoamingAppData] = Path("Roaming");
}

BrowserStoreWorld::~BrowserStoreWorld() {
  std::error_code error;
  fs::remove_all(root_, error);
}

void BrowserStoreWorld::Copy(const std::string& from, const std::string& to) const {
  const fs::path target = root_ / to;
  fs::create_directories(target.parent_path());
  fs::copy(fs::path(QUILLMERE_BROWSER_DATA) / from, target, fs::copy_options::recursive);
}

void BrowserStoreWorld::InstallBrowsers() const {
  Copy("chromium/User Data", "Local/Google/Chrome/User Data");
  Copy("edge-cases/chromium-legacy/User Data", "Local/Microsoft/Edge/User Data");
  Copy("firefox", "Roaming/Mozilla/Firefox");
  Copy("chromium/User Data/Default/Network", "Roaming/Opera Software/Opera Stable/Network");
}

std::int64_t CountRows(const std::string& path, const std::string& table) {
  Database db(path);
  Statement count = db.Prepare("SELECT count(*) FROM " + table);
  return count.Step() ? count.Int(0) : -1;
}

}  // namespace quillmere::testing
