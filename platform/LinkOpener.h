#pragma once

#include <string>

namespace quillmere {

// Hands a link (an address with "://" or a "mailto:" one) to the program the
// system opens such links with.
class LinkOpener {
 public:
  virtual ~LinkOpener() = default;
  // The shell's "open" verb on the link, shown normally; whether a program came up
  // is not reported.
  virtual void Open(const std::string& link) = 0;
};

}  // namespace quillmere
