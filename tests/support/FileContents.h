#pragma once

// What a test reads of real files to compare before and after a clean-up.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quillmere::testing {

// The file's bytes, or none when it cannot be read.
inline std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file below `folder`, relative to it, in order.
inline std::vector<std::string> FilesBelow(const std::filesystem::path& folder) {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file())
      found.push_back(std::filesystem::relative(entry.path(), folder).string());
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace quillmere::testing
