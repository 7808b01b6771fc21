#pragma once

#include <string>
#include <string_view>

namespace quillmere {

// The separator of the system the program runs on: the portable logic builds paths
// with it, so that it runs natively on real folders as well as on Windows.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// `folder` and `name` with one separator between them.
inline std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += kPathSeparator;
  path += name;
  return path;
}

}  // namespace quillmere
