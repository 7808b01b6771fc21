#include "platform/win32/Win32Files.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace quillmere::win32 {
namespace {

using UniqueFind = UniqueHandle<HANDLE, FindClose>;

// The search and the removal take the wide calls: WIN32_FIND_DATAA holds a name of
// 260 bytes, while a name of 255 characters takes up to 765 in UTF-8, and a name
// holding an unpaired surrogate has no ANSI spelling at all. Names come back as
// WTF-8 (platform/Utf8.h), so each converts back to exactly the file it names.

class Win32DirectorySearch final : public DirectorySearch {
 public:
  explicit Win32DirectorySearch(const std::string& pattern)
      : find_(FindFirstFileW(Widen(pattern).c_str(), &data_)) {
    if (find_.get() == INVALID_HANDLE_VALUE) {
      find_.release();
      failed_ = IsError(GetLastError());
    }
  }

  std::optional<DirectoryEntry> Next() override {
    if (!find_) return std::nullopt;
    if (!first_ && !FindNextFileW(find_.get(), &data_)) {
      failed_ = IsError(GetLastError());
      find_.reset();
      return std::nullopt;
    }
    first_ = false;
    return DirectoryEntry{
        Narrow(data_.cFileName), data_.dwFileAttributes,
        (static_cast<std::uint64_t>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow};
  }

  bool Failed() const override { return failed_; }

 private:
  // The answers that mean there is nothing (more) to list.
  static bool IsError(DWORD error) {
    return error != ERROR_NO_MORE_FILES && error != ERROR_FILE_NOT_FOUND &&
           error != ERROR_PATH_NOT_FOUND;
  }

  WIN32_FIND_DATAW data_{};
  UniqueFind find_;
  bool first_ = true;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<DirectorySearch> Win32Files::Search(const std::string& pattern) const {
  return std::make_unique<Win32DirectorySearch>(pattern);
}

bool Win32Files::RemoveFile(const std::string& path) {
  return DeleteFileW(Widen(path).c_str()) != 0;
}

std::optional<std::uint32_t> Win32Files::Attributes(const std::string& path) const {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

std::optional<std::string> Win32Files::ReadFile(const std::string& path, std::size_t limit) const {
  // The browsers keep their own files open while they run; sharing everything lets
  // this read go on beside them.
  HANDLE opened = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
  const UniqueKernelHandle file(opened);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > limit) {
    return std::nullopt;
  }
  std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD read = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
    if (!::ReadFile(file.get(), content.data() + done, want, &read, nullptr)) return std::nullopt;
    if (read == 0) break;  // the file shrank since its size was read
    done += read;
  }
  content.resize(done);
  return content;
}

bool Win32Files::WriteFile(const std::string& path, std::string_view content) {
  HANDLE opened = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  const UniqueKernelHandle file(opened);
  while (!content.empty()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file.get(), content.data(), want, &written, nullptr) || written == 0)
      return false;
    content.remove_prefix(written);
  }
  return true;
}

DriveSpace Win32Files::CurrentDriveSpace() const {
  ULARGE_INTEGER available{};
  ULARGE_INTEGER total{};
  if (!GetDiskFreeSpaceExA(nullptr, &available, &total, nullptr)) return DriveSpace{};
  return DriveSpace{static_cast<std::int64_t>(available.QuadPart),
                    static_cast<std::int64_t>(total.QuadPart)};
}

}  // namespace quillmere::win32
