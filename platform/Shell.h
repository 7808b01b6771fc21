#pragma once

#include <cstdint>
#include <optional>

namespace quillmere {

// The record a shell library's DllGetVersion fills, field for field.
struct DllVersionInfo {
  std::uint32_t size = sizeof(DllVersionInfo);
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platform = 0;
};
static_assert(sizeof(DllVersionInfo) == 20);

// The shell's services.
class Shell {
 public:
  virtual ~Shell() = default;

  // Loads `library` for this one call, asks its DllGetVersion and unloads it again.
  // nullopt when the library does not load, has no DllGetVersion, or the call fails.
  virtual std::optional<DllVersionInfo> GetDllVersion(const char* library) const = 0;
};

}  // namespace quillmere
