#include "tests/fakes/DiskFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;

class Listing final : public DirectorySearch {
 public:
  explicit Listing(std::vector<DirectoryEntry> entries) : entries_(std::move(entries)) {}
  std::optional<DirectoryEntry> Next() override {
    if (next_ == entries_.size()) return std::nullopt;
    return entries_[next_++];
  }
  bool Failed() const override { return false; }

 private:
  std::vector<DirectoryEntry> entries_;
  std::size_t next_ = 0;
};

DirectoryEntry EntryOf(const fs::directory_entry& entry) {
  std::error_code error;
  const bool folder = entry.is_directory(error);
  return DirectoryEntry{.name = entry.path().filename().string(),
                        .attributes = folder ? kAttributeDirectory : kAttributeArchive,
                        .size = folder ? 0 : entry.file_size(error)};
}

// The folder purge writes Windows' separator whatever the system; here it is a
// folder's, as it is there.
fs::path OnDisk(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return fs::path(path);
}

}  // namespace

std::unique_ptr<DirectorySearch> DiskFiles::Search(const std::string& pattern) const {
  std::vector<DirectoryEntry> entries;
  std::error_code error;
  const fs::path path = OnDisk(pattern);
  if (path.filename() == "*.*") {
    for (const auto& entry : fs::directory_iterator(path.parent_path(), error))
      entries.push_back(EntryOf(entry));
  } else if (fs::exists(path, error)) {
    entries.push_back(EntryOf(fs::directory_entry(path, error)));
  }
  return std::make_unique<Listing>(std::move(entries));
}

bool DiskFiles::RemoveFile(const std::string& path) {
  std::error_code error;
  return fs::remove(OnDisk(path), error);
}

std::optional<std::uint32_t> DiskFiles::Attributes(const std::string& path) const {
  std::error_code error;
  const auto status = fs::status(OnDisk(path), error);
  if (error || !fs::exists(status)) return std::nullopt;
  return fs::is_directory(status) ? kAttributeDirectory : kAttributeArchive;
}

std::optional<std::string> DiskFiles::ReadFile(const std::string& path, std::size_t limit) const {
  std::error_code error;
  if (!fs::is_regular_file(path, error) || fs::file_size(path, error) > limit) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool DiskFiles::WriteFile(const std::string& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace quillmere::testing
