#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quillmere {

// File attribute bits, as the file system reports them.
inline constexpr std::uint32_t kAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kAttributeHidden = 0x02;
inline constexpr std::uint32_t kAttributeSystem = 0x04;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeArchive = 0x20;
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;

struct DirectoryEntry {
  std::string name;  // the entry's own name, not its path
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;  // in bytes; 0 for a folder
};

// One directory search; the search is closed when this goes.
class DirectorySearch {
 public:
  virtual ~DirectorySearch() = default;
  // The next entry, the first on the first call; nullopt when the listing ends.
  virtual std::optional<DirectoryEntry> Next() = 0;
  // True when the listing ended, or never began, on an error of the file system (a
  // folder that cannot be read) rather than for want of entries. A folder or path
  // that does not exist is no error: it has nothing to list.
  virtual bool Failed() const = 0;
};

// Free and total bytes of a drive; -1 each when the drive cannot be read.
struct DriveSpace {
  std::int64_t freeBytes = -1;
  std::int64_t totalBytes = -1;
};

// Files and folders.
class Files {
 public:
  virtual ~Files() = default;

  // Every entry matching `pattern` (a folder + "*.*", or one exact path), whatever
  // its attributes, in the order the file system gives them.
  virtual std::unique_ptr<DirectorySearch> Search(const std::string& pattern) const = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // nullopt when the attributes cannot be read (no such file or folder).
  virtual std::optional<std::uint32_t> Attributes(const std::string& path) const = 0;
  // The drive of the current directory; the free bytes are those the user may use.
  virtual DriveSpace CurrentDriveSpace() const = 0;
  // The whole content of a file, read while other programs may keep it open; nullopt
  // when it cannot be read or holds more than `limit` bytes.
  virtual std::optional<std::string> ReadFile(const std::string& path, std::size_t limit) const = 0;
  // Makes the file hold `content` alone, creating it where it is missing; false when
  // it cannot be written whole.
  virtual bool WriteFile(const std::string& path, std::string_view content) = 0;
};

}  // namespace quillmere
