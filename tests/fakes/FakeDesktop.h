#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace quillmere::testing {

// A desktop of windows held in memory. Every call goes into one log, in order, so that
// a test can read the whole sequence; the steering functions run inside the calls, as
// other programs and the program's own nested handlers would.
class FakeDesktop final : public Desktop {
 public:
  struct Window {
    WindowHandle parent = kNoWindow;
    std::string className;
    std::string title;
    int controlId = 0;
    std::string text;  // what SendText gave it
  };
  struct Message {
    WindowHandle owner;
    std::string text;
    std::string caption;
  };

  // A window; handles count up from 1. A parent of kNoWindow makes it top-level.
  WindowHandle Add(std::string className, std::string title, WindowHandle parent = kNoWindow,
                   int controlId = 0);
  void Remove(WindowHandle window) { windows.erase(window); }

  std::map<WindowHandle, Window> windows;
  mutable std::vector<std::string> log;
  std::vector<Message> messages;
  // Run inside PumpMessages (its result: false asks the program to quit) and inside
  // PostCommand, after the call is logged.
  std::function<bool()> onPump;
  std::function<void(WindowHandle window, int controlId)> onPost;

  void StartCommand(const std::string& commandLine, int showMode) override;
  WindowHandle FindTopLevel(const char* className, const char* title) const override;
  WindowHandle FindChild(WindowHandle parent, const char* className,
                         const char* title) const override;
  int ControlId(WindowHandle control) const override;
  void PostCommand(WindowHandle window, int controlId, WindowHandle control) override;
  void SendText(WindowHandle window, const std::string& text) override;
  void ShowMessage(WindowHandle owner, const std::string& text,
                   const std::string& caption) override;
  void Beep() override { log.push_back("beep"); }
  void Sleep(unsigned milliseconds) override;
  bool PumpMessages() override;

 private:
  WindowHandle Find(WindowHandle parent, const char* className, const char* title) const;

  WindowHandle next_ = 1;
};

}  // namespace quillmere::testing
