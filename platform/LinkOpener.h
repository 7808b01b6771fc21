#pragma once

#include <string>
#include <string_view>

namespace quillmere {

// Whether a pressed link is one the system opens: an address with "://" or a
// "mailto:" one. Any other link is the program's own, which its control reports.
inline bool OpensInSystem(std::string_view link) {
  return link.find("://") != std::string_view::npos ||
         link.find("mailto:") != std::string_view::npos;
}

// Hands a link the system opens to the program the system opens such links with.
class LinkOpener {
 public:
  virtual ~LinkOpener() = default;
  // The shell's "open" verb on the link, shown normally; whether a program came up
  // is not reported.
  virtual void Open(const std::string& link) = 0;
};

}  // namespace quillmere
