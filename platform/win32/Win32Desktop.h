#pragma once

#include "platform/Desktop.h"

namespace quillmere::win32 {

// Not final: the Windows tests put a recorder in front of it.
class Win32Desktop : public Desktop {
 public:
  void StartCommand(const std::string& commandLine, int showMode) override;
  WindowHandle FindTopLevel(const char* className, const char* title) const override;
  WindowHandle FindChild(WindowHandle parent, const char* className,
                         const char* title) const override;
  int ControlId(WindowHandle control) const override;
  void PostCommand(WindowHandle window, int controlId, WindowHandle control) override;
  void SendText(WindowHandle window, const std::string& text) override;
  void ShowMessage(WindowHandle owner, const std::string& text,
                   const std::string& caption) override;
  void Beep() override;
  void Sleep(unsigned milliseconds) override;
  bool PumpMessages() override;
};

}  // namespace quillmere::win32
