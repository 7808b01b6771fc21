#pragma once

#include <string_view>
#include <variant>

#include "console/Arguments.h"
#include "platform/Ports.h"

namespace quillmere {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // something could not be removed, or a target failed
inline constexpr int kExitUsage = 2;

// Where the program writes, a line at a time, without its line end.
class Console {
 public:
  virtual ~Console() = default;
  virtual void Out(std::string_view line) = 0;
  virtual void Err(std::string_view line) = 0;
};

// The operating system's services, opened only when a command needs them.
class PortsSource {
 public:
  virtual ~PortsSource() = default;
  virtual Ports Open() = 0;
};

// Answers a command line: the usage text, a usage error (on the error stream), or a
// list, preview or clean over the ports `source` opens. Returns the exit status.
int RunCommand(const std::variant<Command, UsageError>& parsed, Console& console,
               PortsSource& source);

}  // namespace quillmere
