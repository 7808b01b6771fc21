#include "console/Targets.h"

namespace quillmere {

std::optional<std::size_t> FindTarget(std::string_view id) {
  for (std::size_t index = 0; index < kTargets.size(); ++index) {
    if (id == kTargets[index].id) return index;
  }
  return std::nullopt;
}

std::string TargetIds() {
  std::string ids;
  for (const Target& target : kTargets) ids += (ids.empty() ? "" : ", ") + std::string(target.id);
  return ids;
}

}  // namespace quillmere
