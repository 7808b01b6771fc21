#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Win32Desktop.h"

namespace quillmere::testing {

// The real desktop with the calls of the privacy launcher written down, a test's own
// program started in place of the command line when the test names one, and a test's
// action run before every pumping.
class RecordingDesktop final : public win32::Win32Desktop {
 public:
  std::optional<std::string> startInstead;  // "" starts nothing
  std::function<void()> beforePump;

  std::vector<std::string> started;  // command line (show mode)
  // Each look for a top-level window: its title, "no " before it when none was found.
  mutable std::vector<std::string> finds;

  void StartCommand(const std::string& commandLine, int showMode) override {
    started.push_back(commandLine + " (" + std::to_string(showMode) + ")");
    if (!startInstead || !startInstead->empty())
      Win32Desktop::StartCommand(startInstead.value_or(commandLine), showMode);
  }
  WindowHandle FindTopLevel(const char* className, const char* title) const override {
    const WindowHandle found = Win32Desktop::FindTopLevel(className, title);
    finds.push_back((found ? "" : "no ") + std::string(title));
    return found;
  }
  bool PumpMessages() override {
    if (beforePump) beforePump();
    return Win32Desktop::PumpMessages();
  }
};

}  // namespace quillmere::testing
