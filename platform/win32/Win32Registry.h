#pragma once

#include "platform/Registry.h"

namespace quillmere::win32 {

class Win32Registry final : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenCurrentUserKey(const std::string& path) override;
  std::unique_ptr<RegistryKey> CreateCurrentUserKey(const std::string& path) override;
};

}  // namespace quillmere::win32
