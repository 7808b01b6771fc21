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
    WindowHandle parent;
    std::string className;
    std::string title;
    int controlId;
  };

  // A window; handles count up from 1. A parent of kNoWindow makes it top-level.
  WindowHandle Add(std::string className, std::string title, WindowHandle parent = kNoWindow,
                   int controlId = 0) {
    windows[next_] = {parent, std::move(className), std::move(title), controlId};
    return next_++;
  }

  std::map<WindowHandle, Window> windows;
  mutable std::vector<std::string> log;
  // Run inside PumpMessages (its result: false asks the program to quit) and inside
  // PostCommand, after the call is logged.
  std::function<bool()> onPump;
  std::function<void(WindowHandle window, int controlId)> onPost;

  void StartCommand(const std::string& commandLine, int showMode) override {
    log.push_back("start " + commandLine + " (" + std::to_string(showMode) + ")");
  }
  WindowHandle FindTopLevel(const char* className, const char* title) const override {
    log.push_back("find " + std::string(title));
    return Find(kNoWindow, className, title);
  }
  WindowHandle FindChild(WindowHandle parent, const char* className,
                         const char* title) const override {
    log.push_back("child " + std::string(className) + " " + (title ? title : "(any)"));
    return Find(parent, className, title);
  }
  int ControlId(WindowHandle control) const override {
    return windows.contains(control) ? windows.at(control).controlId : 0;
  }
  void PostCommand(WindowHandle window, int controlId, WindowHandle control) override {
    log.push_back("post " + std::to_string(controlId) + " from " + std::to_string(control) +
                  " to " + std::to_string(window));
    if (onPost) onPost(window, controlId);
  }
  void SendText(WindowHandle window, const std::string& text) override {
    log.push_back("text " + std::to_string(window) + " " + text);
  }
  void ShowMessage(WindowHandle owner, const std::string& text,
                   const std::string& caption) override {
    log.push_back("message to " + std::to_string(owner) + ", " + caption + ": " + text);
  }
  void Beep() override { log.push_back("beep"); }
  void Sleep(unsigned milliseconds) override {
    log.push_back("sleep " + std::to_string(milliseconds));
  }
  bool PumpMessages() override {
    log.push_back("pump");
    return !onPump || onPump();
  }

 private:
  // As on Windows, a search with no parent looks among the top-level windows.
  WindowHandle Find(WindowHandle parent, const char* className, const char* title) const {
    for (const auto& [handle, window] : windows) {
      if (window.parent == parent && window.className == className &&
          (!title || window.title == title))
        return handle;
    }
    return kNoWindow;
  }

  WindowHandle next_ = 1;
};

}  // namespace quillmere::testing
