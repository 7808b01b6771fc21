#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quillmere {

// Registry value types that hold text.
inline constexpr std::uint32_t kRegistryString = 1;        // REG_SZ
inline constexpr std::uint32_t kRegistryExpandString = 2;  // REG_EXPAND_SZ

struct RegistryValue {
  std::uint32_t type = 0;
  // For the text types the text without its terminating zeros; otherwise the raw bytes.
  std::string data;
};

struct RegistryKeyInfo {
  std::uint32_t valueCount = 0;
  std::uint32_t longestValueName = 0;  // in characters, without the terminating zero
};

// One open registry key; it is closed when this goes.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  // nullopt when the key cannot be asked.
  virtual std::optional<RegistryKeyInfo> Info() const = 0;
  // The name of the value at `index`, fetched into a buffer of `bufferLength`
  // characters (the terminating zero included); nullopt when it does not fit or the
  // index is past the end. The unnamed default value has the empty name.
  virtual std::optional<std::string> ValueName(std::uint32_t index,
                                               std::uint32_t bufferLength) const = 0;
  virtual bool DeleteValue(const std::string& name) = 0;
  // nullopt when the key has no such value or it cannot be read.
  virtual std::optional<RegistryValue> ReadValue(const std::string& name) const = 0;
  // Sets the value, adding it when the key has none of that name; a text type is
  // stored with its terminating zero. False when it cannot be written.
  virtual bool WriteValue(const std::string& name, const RegistryValue& value) = 0;
};

// The current user's part of the registry.
class Registry {
 public:
  virtual ~Registry() = default;

  // Opens HKEY_CURRENT_USER\`path` (no leading backslash) with full access. A key
  // that does not exist is never created: the result is then nullptr, as it is for
  // any key that does not open.
  virtual std::unique_ptr<RegistryKey> OpenCurrentUserKey(const std::string& path) = 0;
  // Opens HKEY_CURRENT_USER\`path` with full access, creating it and the keys above
  // it where they are missing; nullptr when it cannot.
  virtual std::unique_ptr<RegistryKey> CreateCurrentUserKey(const std::string& path) = 0;
};

}  // namespace quillmere
