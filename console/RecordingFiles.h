#pragma once

#include <set>
#include <string>

#include "console/Ledger.h"
#include "platform/Files.h"

namespace quillmere {

// Files and folders as a run sees them: searches and attributes come from `files`,
// and every file deletion is entered in the ledger. A folder, a link to one or a
// junction is never deleted: the purge takes such an entry for a file, and it is
// entered as skipped. In a preview the files it would delete are left out of every
// later search, as they would be gone.
class RecordingFiles final : public Files {
 public:
  RecordingFiles(Files& files, Ledger& ledger) : files_(files), ledger_(ledger) {}

  std::unique_ptr<DirectorySearch> Search(const std::string& pattern) const override;
  bool RemoveFile(const std::string& path) override;
  std::optional<std::uint32_t> Attributes(const std::string& path) const override;
  DriveSpace CurrentDriveSpace() const override { return files_.CurrentDriveSpace(); }
  std::optional<std::string> ReadFile(const std::string& path, std::size_t limit) const override {
    return files_.ReadFile(path, limit);
  }
  // A run removes files and writes none.
  bool WriteFile(const std::string&, std::string_view) override { return false; }

  bool Gone(const std::string& path) const;

 private:
  Files& files_;
  Ledger& ledger_;
  std::set<std::string> gone_;  // lower case: paths compare without regard to case
};

}  // namespace quillmere
