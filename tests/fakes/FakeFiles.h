#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "tests/fakes/FaultPlan.h"

namespace quillmere::testing {

// An in-memory file system with Windows paths ("C:\a\b.txt"), compared without
// regard to case. Folders list their entries in the order they were added, after
// "." and "..", as a real directory search does. Under a fault plan a search that
// fails finds nothing or ends its listing, as the platform's search does.
class FakeFiles final : public Files, public Faultable {
 public:
  void AddFolder(const std::string& path, std::uint32_t attributes = kAttributeDirectory);
  void AddFile(const std::string& path, std::uint32_t attributes = kAttributeArchive,
               std::uint64_t size = 0);
  bool Exists(const std::string& path) const;

  std::unique_ptr<DirectorySearch> Search(const std::string& pattern) const override;
  bool RemoveFile(const std::string& path) override;
  std::optional<std::uint32_t> Attributes(const std::string& path) const override;
  DriveSpace CurrentDriveSpace() const override {
    return Fails("Files.CurrentDriveSpace") ? DriveSpace{} : driveSpace;
  }

  // The fake keeps the contents written to it alone: the tests of what reads other
  // programs' files use real ones.
  std::optional<std::string> ReadFile(const std::string& path, std::size_t limit) const override;
  bool WriteFile(const std::string& path, std::string_view content) override;

  DriveSpace driveSpace;
  std::set<std::string> undeletable;  // lower-case paths whose deletion fails
  std::set<std::string> unlistable;   // lower-case folders whose listing fails
  std::vector<std::string> removed;   // paths deleted, in order
  int openSearches = 0;               // searches not yet closed
  int maxOpenSearches = 0;

 private:
  struct Entry {
    std::string path;
    std::uint32_t attributes;
    std::uint64_t size = 0;
  };
  const Entry* Find(const std::string& path) const;
  std::vector<DirectoryEntry> Listing(const std::string& pattern) const;
  std::vector<Entry> entries_;
  std::map<std::string, std::string> contents_;  // by lower-case path
};

}  // namespace quillmere::testing
