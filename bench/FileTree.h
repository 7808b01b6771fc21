#pragma once

// A tree of small files to purge, and the bare loop of directory search and file
// deletion that the purge is built on, for benchmarks to measure against.
#include <windows.h>

#include <fstream>
#include <string>

#include "bench/Measure.h"

namespace quillmere::bench {

// `files` files in folders of 100 below `root`, made with the folders above it; the
// folders of earlier rounds stay.
inline void MakeFileTree(const std::string& root, int files) {
  for (auto at = root.find('\\', 3); at != std::string::npos; at = root.find('\\', at + 1))
    CreateDirectoryA(root.substr(0, at).c_str(), nullptr);
  CreateDirectoryA(root.c_str(), nullptr);
  for (int i = 0; i < files; ++i) {
    const std::string folder = root + "\\folder" + std::to_string(i / 100);
    if (i % 100 == 0) CreateDirectoryA(folder.c_str(), nullptr);
    std::ofstream(folder + "\\file" + std::to_string(i % 100) + ".tmp") << "cached page";
  }
}

// Removes the folders MakeFileTree made, once they are empty.
inline void RemoveFileTree(const std::string& root, int files) {
  for (int f = 0; f * 100 < files; ++f)
    RemoveDirectoryA((root + "\\folder" + std::to_string(f)).c_str());
  RemoveDirectoryA(root.c_str());
}

// The same walk as the purge with nothing around it: search, recurse into plain
// folders, delete.
inline long BareLoop(const std::string& folder) {
  long deleted = 0;
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY) {
      deleted += BareLoop(folder + "\\" + name);
    } else if (DeleteFileA((folder + "\\" + name).c_str())) {
      ++deleted;
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return deleted;
}

}  // namespace quillmere::bench
