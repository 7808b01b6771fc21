#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "helpers/Traces.h"

namespace quillmere::testing {

// Sets a text value below HKEY_CURRENT_USER, making the key if need be.
inline void SetRegistryText(const std::string& key, const char* name, const std::string& text,
                            DWORD type = REG_SZ) {
  ASSERT_TRUE(WriteRegistryText(key, name, text, type)) << key << "\\" << name;
}

// Moves a file to the recycle bin, as Explorer's Delete does.
inline void Recycle(const std::string& path) { ASSERT_TRUE(MoveToRecycleBin(path)) << path; }

}  // namespace quillmere::testing
