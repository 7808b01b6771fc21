#include "tests/fakes/FakeDesktop.h"

namespace quillmere::testing {

WindowHandle FakeDesktop::Add(std::string className, std::string title, WindowHandle parent,
                              int controlId) {
  windows[next_] = Window{parent, std::move(className), std::move(title), controlId, ""};
  return next_++;
}

void FakeDesktop::StartCommand(const std::string& commandLine, int showMode) {
  log.push_back("start " + commandLine + " (" + std::to_string(showMode) + ")");
}

WindowHandle FakeDesktop::FindTopLevel(const char* className, const char* title) const {
  log.push_back("find " + std::string(title));
  return Find(kNoWindow, className, title);
}

WindowHandle FakeDesktop::FindChild(WindowHandle parent, const char* className,
                                    const char* title) const {
  log.push_back("child " + std::string(className) + " " + (title ? title : "(any)"));
  return Find(parent, className, title);
}

// As on Windows, a search with no parent looks among the top-level windows.
WindowHandle FakeDesktop::Find(WindowHandle parent, const char* className,
                               const char* title) const {
  for (const auto& [handle, window] : windows) {
    if (window.parent == parent && window.className == className &&
        (!title || window.title == title))
      return handle;
  }
  return kNoWindow;
}

int FakeDesktop::ControlId(WindowHandle control) const {
  const auto it = windows.find(control);
  return it == windows.end() ? 0 : it->second.controlId;
}

void FakeDesktop::PostCommand(WindowHandle window, int controlId, WindowHandle control) {
  log.push_back("post " + std::to_string(controlId) + " from " + std::to_string(control) + " to " +
                std::to_string(window));
  if (onPost) onPost(window, controlId);
}

void FakeDesktop::SendText(WindowHandle window, const std::string& text) {
  log.push_back("text " + std::to_string(window) + " " + text);
  if (const auto it = windows.find(window); it != windows.end()) it->second.text = text;
}

void FakeDesktop::ShowMessage(WindowHandle owner, const std::string& text,
                              const std::string& caption) {
  log.push_back("message");
  messages.push_back({owner, text, caption});
}

void FakeDesktop::Sleep(unsigned milliseconds) {
  log.push_back("sleep " + std::to_string(milliseconds));
}

bool FakeDesktop::PumpMessages() {
  log.push_back("pump");
  return !onPump || onPump();
}

}  // namespace quillmere::testing
