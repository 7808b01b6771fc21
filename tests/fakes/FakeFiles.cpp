#include "tests/fakes/FakeFiles.h"

#include <algorithm>
#include <cctype>

namespace quillmere::testing {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string ParentOf(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The first entry comes with the search itself, as FindFirstFileA gives it; each
// further one is a call of its own, and once one fails the listing has ended.
class FakeSearch final : public DirectorySearch, public Faultable {
 public:
  FakeSearch(std::vector<DirectoryEntry> entries, int& open, FaultPlan* plan)
      : entries_(std::move(entries)), open_(open) {
    faults = plan;
    ++open_;
  }
  ~FakeSearch() override { --open_; }
  std::optional<DirectoryEntry> Next() override {
    if (next_ >= entries_.size()) return std::nullopt;
    if (next_ > 0 && Fails("Files.SearchNext")) {
      next_ = entries_.size();
      failed_ = true;
      return std::nullopt;
    }
    return entries_[next_++];
  }
  bool Failed() const override { return failed_; }
  void FailAtOnce() { failed_ = true; }

 private:
  std::vector<DirectoryEntry> entries_;
  std::size_t next_ = 0;
  int& open_;
  bool failed_ = false;
};

}  // namespace

void FakeFiles::AddFolder(const std::string& path, std::uint32_t attributes) {
  entries_.push_back({path, attributes | kAttributeDirectory});
}

void FakeFiles::AddFile(const std::string& path, std::uint32_t attributes, std::uint64_t size) {
  entries_.push_back({path, attributes, size});
}

const FakeFiles::Entry* FakeFiles::Find(const std::string& path) const {
  std::string key = Lower(path);
  while (key.size() > 3 && key.back() == '\\') key.pop_back();
  for (const Entry& e : entries_) {
    if (Lower(e.path) == key) return &e;
  }
  return nullptr;
}

bool FakeFiles::Exists(const std::string& path) const { return Find(path) != nullptr; }

std::vector<DirectoryEntry> FakeFiles::Listing(const std::string& pattern) const {
  std::vector<DirectoryEntry> found;
  const std::string wildcard = "\\*.*";
  if (pattern.size() > wildcard.size() &&
      pattern.compare(pattern.size() - wildcard.size(), wildcard.size(), wildcard) == 0) {
    const std::string folder = pattern.substr(0, pattern.size() - wildcard.size());
    if (const Entry* f = Find(folder); f && (f->attributes & kAttributeDirectory)) {
      found.push_back({".", f->attributes});
      found.push_back({"..", kAttributeDirectory});
      for (const Entry& e : entries_) {
        if (Lower(ParentOf(e.path)) == Lower(folder)) {
          found.push_back({e.path.substr(e.path.find_last_of('\\') + 1), e.attributes, e.size});
        }
      }
    }
  } else if (const Entry* e = Find(pattern)) {
    found.push_back({e->path.substr(e->path.find_last_of('\\') + 1), e->attributes, e->size});
  }
  return found;
}

std::unique_ptr<DirectorySearch> FakeFiles::Search(const std::string& pattern) const {
  // A folder's listing and a search for one path are told apart in a plan's calls:
  // the one lists what a purge deletes, the other asks whether a file is there.
  const bool listing = pattern.ends_with("\\*.*");
  const bool fails = Fails(listing ? "Files.Search" : "Files.Search(path)") ||
                     (listing && unlistable.contains(Lower(pattern.substr(0, pattern.size() - 4))));
  auto search =
      std::make_unique<FakeSearch>(fails ? std::vector<DirectoryEntry>{} : Listing(pattern),
                                   const_cast<int&>(openSearches), faults);
  if (fails) search->FailAtOnce();
  const_cast<int&>(maxOpenSearches) = std::max(maxOpenSearches, openSearches);
  return search;
}

bool FakeFiles::RemoveFile(const std::string& path) {
  if (Fails("Files.RemoveFile")) return false;
  const Entry* e = Find(path);
  if (!e || (e->attributes & (kAttributeDirectory | kAttributeReadOnly)) ||
      undeletable.count(Lower(path))) {
    return false;
  }
  removed.push_back(e->path);
  Deleted("file " + e->path);
  entries_.erase(entries_.begin() + (e - entries_.data()));
  return true;
}

std::optional<std::uint32_t> FakeFiles::Attributes(const std::string& path) const {
  if (Fails("Files.Attributes")) return std::nullopt;
  const Entry* e = Find(path);
  if (!e) return std::nullopt;
  return e->attributes;
}

std::optional<std::string> FakeFiles::ReadFile(const std::string& path, std::size_t limit) const {
  if (Fails("Files.ReadFile")) return std::nullopt;
  const auto found = contents_.find(Lower(path));
  if (found == contents_.end() || found->second.size() > limit) return std::nullopt;
  return found->second;
}

bool FakeFiles::WriteFile(const std::string& path, std::string_view content) {
  if (Fails("Files.WriteFile")) return false;
  if (!Find(path)) AddFile(path);
  contents_[Lower(path)] = content;
  return true;
}

}  // namespace quillmere::testing
