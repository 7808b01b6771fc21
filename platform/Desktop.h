#pragma once

#include <cstdint>
#include <string>

namespace quillmere {

// A window's handle as a number; none is 0.
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

// The desktop the program shares with other programs: starting one by its command
// line, finding its windows by class and title and sending them window messages, and
// the program's own message boxes, beep, pauses and message queue.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // Starts the command line with the given show mode (2: shown minimised). Whether
  // the program started is not reported: the caller looks for its windows instead.
  virtual void StartCommand(const std::string& commandLine, int showMode) = 0;

  // The first top-level window of this class and title; kNoWindow when there is none.
  virtual WindowHandle FindTopLevel(const char* className, const char* title) const = 0;
  // The first child of `parent` of this class and title (title nullptr: any title).
  virtual WindowHandle FindChild(WindowHandle parent, const char* className,
                                 const char* title) const = 0;
  // The control identifier of a child window.
  virtual int ControlId(WindowHandle control) const = 0;

  // Queues to `window` the command a click on the button `control` with identifier
  // `controlId` sends its parent.
  virtual void PostCommand(WindowHandle window, int controlId, WindowHandle control) = 0;
  // Sets the text of `window` and returns when the window has taken it.
  virtual void SendText(WindowHandle window, const std::string& text) = 0;

  // A message box owned by `owner` with an information icon and one OK button;
  // returns when it is closed.
  virtual void ShowMessage(WindowHandle owner, const std::string& text,
                           const std::string& caption) = 0;
  // The default beep.
  virtual void Beep() = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
  // Handles every message waiting in the program's own queue, then returns. False
  // when the program has been asked to quit; the request stays for the main loop.
  virtual bool PumpMessages() = 0;
};

}  // namespace quillmere
