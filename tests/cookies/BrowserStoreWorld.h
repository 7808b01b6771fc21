#pragma once

#include <filesystem>
#include <string>

#include "platform/Database.h"
#include "tests/fakes/DiskFiles.h"
#include "tests/fakes/FakeShell.h"

namespace quillmere::testing {

// A user's two data folders in a fresh temporary folder, with the browsers' test
// stores copied in where each browser keeps them; removed again at the end.
class BrowserStoreWorld {
 public:
  BrowserStoreWorld();
  ~BrowserStoreWorld();
  BrowserStoreWorld(const BrowserStoreWorld&) = delete;
  BrowserStoreWorld& operator=(const BrowserStoreWorld&) = delete;

  // Copies the test data `from` (below tests/data/browsers) to `to` (below the root).
  void Copy(const std::string& from, const std::string& to) const;
  std::string Path(const std::string& below) const { return (root_ / below).string(); }

  // The usual installation: Chrome and Firefox with their profiles, Edge in its
  // older layout, and Opera with its profile in its own folder.
  void InstallBrowsers() const;

  DiskFiles files;
  FakeShell shell;

 private:
  std::filesystem::path root_;
};

// Firefox holds its store with an exclusive lock while it runs; the tests hold any
// browser's database so.
struct RunningFirefox {
  explicit RunningFirefox(const std::string& path) : db(path) {
    db.Execute("PRAGMA locking_mode = EXCLUSIVE");
    db.Execute("BEGIN EXCLUSIVE");
    db.Execute("COMMIT");
  }
  Database db;
};

// The number of rows of `table` in the database at `path`.
std::int64_t CountRows(const std::string& path, const std::string& table);

}  // namespace quillmere::testing
