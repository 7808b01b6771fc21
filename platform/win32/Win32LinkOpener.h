#pragma once

#include "platform/LinkOpener.h"

namespace quillmere::win32 {

class Win32LinkOpener final : public LinkOpener {
 public:
  void Open(const std::string& link) override;
};

}  // namespace quillmere::win32
