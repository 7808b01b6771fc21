#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace quillmere::win32 {
namespace {

using UniqueKey = UniqueHandle<HKEY, RegCloseKey>;

class Win32RegistryKey final : public RegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}

  std::optional<RegistryKeyInfo> Info() const override {
    DWORD values = 0;
    DWORD longestName = 0;
    if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         &longestName, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return RegistryKeyInfo{values, longestName};
  }

  std::optional<std::string> ValueName(std::uint32_t index,
                                       std::uint32_t bufferLength) const override {
    // The registry counts a name's length in UTF-16 units, the ANSI call takes bytes:
    // in UTF-8 one unit takes up to three.
    const DWORD bytes = bufferLength * 3;
    std::string name(bytes, '\0');
    DWORD length = bytes;
    if (RegEnumValueA(key_.get(), index, name.data(), &length, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    name.resize(length);
    // Measured as the registry measures it, so that a name fits as the caller asked.
    if (Widen(name).size() + 1 > bufferLength) return std::nullopt;
    return name;
  }

  bool DeleteValue(const std::string& name) override {
    return RegDeleteValueA(key_.get(), name.c_str()) == ERROR_SUCCESS;
  }

  std::optional<RegistryValue> ReadValue(const std::string& name) const override {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::string data(size, '\0');
    if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    data.resize(size);
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
      // Stored texts may or may not carry their terminating zero.
      if (const auto end = data.find('\0'); end != std::string::npos) data.resize(end);
    }
    return RegistryValue{type, std::move(data)};
  }

  bool WriteValue(const std::string& name, const RegistryValue& value) override {
    const bool text = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
    const auto size = static_cast<DWORD>(value.data.size() + (text ? 1 : 0));
    return RegSetValueExA(key_.get(), name.c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(value.data.c_str()), size) == ERROR_SUCCESS;
  }

 private:
  UniqueKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenCurrentUserKey(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<Win32RegistryKey>(key);
}

std::unique_ptr<RegistryKey> Win32Registry::CreateCurrentUserKey(const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<Win32RegistryKey>(key);
}

}  // namespace quillmere::win32
