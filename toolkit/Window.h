#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace quillmere::win32 {

// What the application does with an error that escapes a message handler.
using ErrorHandler = std::function<void(const std::string& message)>;
void SetTopLevelErrorHandler(ErrorHandler handler);
void ReportTopLevelError(const std::string& message);

// Answers a message through `handle`. Nothing may unwind through the platform's code
// that called a window procedure: whatever `handle` throws is reported as above, and
// the message answered with 0.
template <typename Handle>
LRESULT Guarded(Handle&& handle) {
  try {
    return handle();
  } catch (const std::exception& error) {
    ReportTopLevelError(error.what());
  } catch (...) {
    ReportTopLevelError("An unknown error occurred.");
  }
  return 0;
}

// The program's own message box: the text, caption "Quillmere", an information icon
// and one OK button, owned by the active window.
void ShowErrorBox(const std::string& message);

// Asks the top-level window that holds `child` to close. Posted, so that the control
// that asked is not destroyed inside its own message handling.
void CloseTopLevelWindow(HWND child);

// The base of every window class: `this` travels through WM_NCCREATE into
// GWLP_USERDATA, and every message goes to HandleMessage. An exception that leaves
// a handler ends that handler only: it is passed to the top-level error handler and
// the message loop goes on.
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }

  // Shows the window modally over `owner`: the owner takes no input until the
  // window is gone. Returns when it has been destroyed or the program is quitting.
  void ShowModal(HWND owner);

 protected:
  struct CreateArgs {
    const char* className = nullptr;
    const char* title = "";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
    int id = 0;
    HBRUSH background = nullptr;  // the class brush; nullptr for none
    UINT classStyle = 0;          // CS_DBLCLKS for a window that takes double-clicks
    // Messages in UTF-16, for a window whose characters and text must reach it
    // whole: the ANSI forms carry a typed character in the keyboard's code page.
    bool unicode = false;
  };

  // Registers the class on first use and creates the window.
  void Create(const CreateArgs& args);
  // A top-level window whose client area has the given size, centred on the
  // primary monitor's work area; the position and size in `args` are not used.
  void CreateCentred(CreateArgs args, int clientWidth, int clientHeight);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return unicode_ ? DefWindowProcW(hwnd_, message, wParam, lParam)
                    : DefWindowProcA(hwnd_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK WideWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  HWND modalOwner_ = nullptr;  // disabled while this window is shown modally
  bool unicode_ = false;
};

// The rectangle of the given outer size centred on the primary monitor's work area.
RECT CentredOuterRect(int width, int height);

}  // namespace quillmere::win32
