#pragma once

#include "platform/Files.h"

namespace quillmere::win32 {

class Win32Files final : public Files {
 public:
  std::unique_ptr<DirectorySearch> Search(const std::string& pattern) const override;
  bool RemoveFile(const std::string& path) override;
  std::optional<std::uint32_t> Attributes(const std::string& path) const override;
  DriveSpace CurrentDriveSpace() const override;
  std::optional<std::string> ReadFile(const std::string& path, std::size_t limit) const override;
  bool WriteFile(const std::string& path, std::string_view content) override;
};

}  // namespace quillmere::win32
