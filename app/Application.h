#pragma once

#include <memory>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"

namespace quillmere {

class TEraserForm;
class TActiveForm;

// The application object: it owns the component object model apartment of the GUI
// thread, the operating system's ports and both windows, and runs the message loop.
class Application {
 public:
  Application();
  ~Application();

  // Start-up steps 2 to 4; returns the program's exit code.
  int Run();

 private:
  win32::ComApartment com_;
  win32::Win32Platform platform_;
  std::unique_ptr<TEraserForm> EraserForm;
  std::unique_ptr<TActiveForm> ActiveForm;
};

}  // namespace quillmere
