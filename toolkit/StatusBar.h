#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "toolkit/KeptBackground.h"
#include "toolkit/WindowHook.h"

namespace quillmere::win32 {

// The platform's status bar with one simple pane, whose text is on the screen the
// moment it is set; outside tools read it as from any status bar (SB_GETTEXT).
//
// A themed bar draws its background and its pane from the theme's pictures on every
// repaint, and under Wine that costs twenty times what the text does: a run that
// reports thousands of lines spent most of its time there. So the bar keeps its
// themed background (KeptBackground), drawn once, and on a repaint puts only the text
// over it. It is taken anew after every change of the bar's look (size, font,
// colours, theme); where it does not match the control's own painting or no theme is
// on, the control paints itself as before.
//
// While the bar paints from its kept background, a new plain text is drawn straight
// onto the bar, without a paint cycle, and reaches the control only when something
// else comes to the bar: under Wine a paint cycle costs ten times the drawing, and
// handing the control its text costs one. Whoever reads the bar's text (a screen
// reader) is told of each such text at once, as the control would tell it.
//
// The deferral, while the bar paints from a kept background:
//   state          | SetText (plain) | SetText (other)  | WM_PAINT        | other message
//   control's text | bar draws it:   | to the control   | kept background | to the control
//                  |   -> bar ahead  |                  |   or control    |
//   bar ahead      | bar draws it    | to the control:  | bar draws its   | its text to the
//                  |                 | -> control's     | text            | control first:
//                  |                 |    text          |                 | -> control's text
// Without a kept background every text goes to the control.
class StatusBar {
 public:
  struct Args {
    HWND parent = nullptr;
    int y = 0;
    int width = 0;
    int height = 0;
    HFONT font = nullptr;
  };
  explicit StatusBar(const Args& args);
  ~StatusBar();
  StatusBar(const StatusBar&) = delete;
  StatusBar& operator=(const StatusBar&) = delete;

  HWND hwnd() const { return hwnd_; }

  // The pane's text, painted before this returns.
  void SetText(const std::string& text);

  // True when repaints come from the kept background (a test looks at this).
  bool PaintsFromKeptBackground() const { return mode_ == Mode::kKeptBackground; }

 private:
  enum class Mode { kUndecided, kKeptBackground, kControl };

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Decide();
  bool PlainSimplePane(const std::wstring& text) const;
  std::wstring PaneText() const;
  static std::optional<std::wstring> PlainText(const std::string& text);
  void TellControl();

  HWND hwnd_ = nullptr;
  std::unique_ptr<WindowHook> hook_;
  Mode mode_ = Mode::kUndecided;
  std::unique_ptr<KeptBackground> kept_;  // while mode_ is kKeptBackground
  // The text on the bar, and whether the bar is ahead of the control with it.
  std::wstring shownText_;
  bool controlBehind_ = false;
};

}  // namespace quillmere::win32
