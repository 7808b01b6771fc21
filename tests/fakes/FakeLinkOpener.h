#pragma once

#include <string>
#include <vector>

#include "platform/LinkOpener.h"

namespace quillmere::testing {

// Keeps the links it was asked to open, and opens none.
class FakeLinkOpener final : public LinkOpener {
 public:
  void Open(const std::string& link) override { opened.push_back(link); }
  std::vector<std::string> opened;
};

}  // namespace quillmere::testing
