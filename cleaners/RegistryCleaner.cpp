#include "cleaners/RegistryCleaner.h"

#include <vector>

namespace quillmere {
namespace {

std::vector<std::string> ValueNames(const RegistryKey& key) {
  std::vector<std::string> names;
  const auto info = key.Info();
  if (!info) return names;
  for (std::uint32_t index = 0; index < info->valueCount; ++index) {
    if (auto name = key.ValueName(index, info->longestValueName + 1)) {
      names.push_back(std::move(*name));
    }
  }
  return names;
}

// The bar goes back to 0 however the list ends.
class ProgressReset {
 public:
  explicit ProgressReset(RunReport& report) : report_(report) {}
  ~ProgressReset() { report_.SetProgressPosition(0); }
  ProgressReset(const ProgressReset&) = delete;
  ProgressReset& operator=(const ProgressReset&) = delete;

 private:
  RunReport& report_;
};

}  // namespace

void ClearRegistryList(Registry& registry, RunReport& report, const std::string& keyPath) {
  const ProgressReset reset(report);
  const std::unique_ptr<RegistryKey> key = registry.OpenCurrentUserKey(keyPath);
  const std::vector<std::string> names = key ? ValueNames(*key) : std::vector<std::string>{};
  report.SetProgressMax(static_cast<int>(names.size()));
  for (auto index = static_cast<int>(names.size()) - 1; index >= 0; --index) {
    key->DeleteValue(names[index]);
    report.SetProgressPosition(index);
  }
}

}  // namespace quillmere
