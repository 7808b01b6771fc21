#include "console/RecordingFiles.h"

#include "common/FuncUnit.h"

namespace quillmere {
namespace {

// A search that passes over the entries a preview has taken away.
class VisibleSearch final : public DirectorySearch {
 public:
  VisibleSearch(std::unique_ptr<DirectorySearch> search, std::string folder,
                const RecordingFiles& files)
      : search_(std::move(search)), folder_(std::move(folder)), files_(files) {}

  std::optional<DirectoryEntry> Next() override {
    while (auto entry = search_->Next()) {
      if (!files_.Gone(folder_ + entry->name)) return entry;
    }
    return std::nullopt;
  }
  bool Failed() const override { return search_->Failed(); }

 private:
  std::unique_ptr<DirectorySearch> search_;
  std::string folder_;  // with its final backslash
  const RecordingFiles& files_;
};

}  // namespace

std::unique_ptr<DirectorySearch> RecordingFiles::Search(const std::string& pattern) const {
  // Both a folder's "*.*" and an exact path name their entries' folder up to the
  // last backslash.
  return std::make_unique<VisibleSearch>(files_.Search(pattern),
                                         pattern.substr(0, pattern.find_last_of('\\') + 1), *this);
}

bool RecordingFiles::RemoveFile(const std::string& path) {
  if (Gone(path)) return false;
  const auto entry = files_.Search(path)->Next();
  if (entry && (entry->attributes & kAttributeDirectory)) {
    ledger_.Skip(path);
    return false;
  }
  const auto size = entry ? std::optional(entry->size) : std::nullopt;
  const bool removed = ledger_.Remove(path, size, [&] { return files_.RemoveFile(path); });
  if (removed && ledger_.Previewing()) gone_.insert(LowerCase(path));
  return removed;
}

std::optional<std::uint32_t> RecordingFiles::Attributes(const std::string& path) const {
  if (Gone(path)) return std::nullopt;
  return files_.Attributes(path);
}

bool RecordingFiles::Gone(const std::string& path) const {
  return !gone_.empty() && gone_.contains(LowerCase(path));
}

}  // namespace quillmere
