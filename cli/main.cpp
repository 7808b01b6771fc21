// quillmere-cli.exe: the clean-up tasks and the cookie deletion run from the command
// line, for scripts and scheduled tasks, without a window.
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "cli/StandardStreams.h"
#include "console/Commands.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"

namespace {

// The real ports, opened once a command needs them, in a COM apartment of their
// own for the history store.
class Win32PortsSource final : public quillmere::PortsSource {
 public:
  quillmere::Ports Open() override {
    if (!platform_) {
      com_.emplace();
      platform_.emplace();
    }
    return platform_->ports();
  }

 private:
  std::optional<quillmere::win32::ComApartment> com_;
  std::optional<quillmere::win32::Win32Platform> platform_;  // goes before the apartment
};

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = quillmere::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  quillmere::win32::StandardStreams console;
  try {
    Win32PortsSource source;
    return quillmere::RunCommand(parsed, console, source);
  } catch (const std::exception& error) {
    console.Err(std::string("quillmere-cli: ") + error.what());
    return quillmere::kExitFailed;
  }
}
