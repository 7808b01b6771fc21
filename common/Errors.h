#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace quillmere {

// A text that does not read as the value asked for. Its message is shown to the
// user by the top-level error handler.
class ConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `pattern` with its one "%s" replaced by `text`.
inline std::string WithText(std::string_view pattern, std::string_view text) {
  std::string message(pattern);
  if (const auto at = message.find("%s"); at != std::string::npos) message.replace(at, 2, text);
  return message;
}

}  // namespace quillmere
