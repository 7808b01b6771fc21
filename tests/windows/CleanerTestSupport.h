#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace quillmere::testing {

inline bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void WriteFile(const std::string& path, const std::string& text = "x") {
  std::ofstream(path, std::ios::binary) << text;
}

// Makes the folder and every missing folder above it.
inline void MakeFolders(const std::string& path) {
  for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  CreateDirectoryA(path.c_str(), nullptr);
}

// Removes a tree the test made. A link is removed itself, never entered.
inline void RemoveTree(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL | (attributes & FILE_ATTRIBUTE_DIRECTORY));
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") RemoveTree(path + "\\" + name);
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || !RemoveDirectoryA(path.c_str()))
    DeleteFileA(path.c_str());
}

// Sets a text value below HKEY_CURRENT_USER, making the key if need be.
inline void SetRegistryText(const std::string& key, const char* name, const std::string& text,
                            DWORD type = REG_SZ) {
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &handle, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(handle, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
  RegCloseKey(handle);
}

inline std::int64_t RecycleBinBytes() {
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  SHQueryRecycleBinA(nullptr, &info);
  return info.i64Size;
}

// Moves a file to the recycle bin, as Explorer's Delete does.
inline void Recycle(const std::string& path) {
  const std::string from = path + '\0';  // a list of paths, ended by an empty one
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  ASSERT_EQ(SHFileOperationA(&operation), 0);
}

inline std::string RecentFolder() {
  char recent[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, recent);
  return recent;
}

}  // namespace quillmere::testing
