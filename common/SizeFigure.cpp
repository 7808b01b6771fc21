#include "common/SizeFigure.h"

namespace quillmere {

std::string SizeFigure(std::uint64_t bytes) {
  const std::uint64_t kb = bytes / 1024;
  if (kb <= 1024) return std::to_string(kb) + " KB";
  return std::to_string(bytes / 1048576) + " MB";
}

}  // namespace quillmere
