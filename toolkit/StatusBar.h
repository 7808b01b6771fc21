#pragma once

#include <windows.h>
#include <uxtheme.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/win32/Handles.h"
#include "toolkit/WindowHook.h"

namespace quillmere::win32 {

// The platform's status bar with one simple pane, whose text is on the screen the
// moment it is set; outside tools read it as from any status bar (SB_GETTEXT).
//
// A themed bar draws its background and its pane from the theme's pictures on every
// repaint, and under Wine that costs twenty times what the text does: a run that
// reports thousands of lines spent most of its time there. So the bar keeps its
// themed background, drawn once, and on a repaint puts only the text over it, as
// the control itself draws it. Each time the background is drawn anew (new size,
// font, colours or theme), both ways of painting the present text are compared
// pixel for pixel; where they differ (another system, another theme) or no theme is
// on, the control paints itself as before.
//
// While the bar paints from its kept background, a new plain text is drawn straight
// onto the bar, without a paint cycle, and reaches the control only when something
// else comes to the bar (a question for the text, a repaint, a new font): under
// Wine a paint cycle costs ten times the drawing, and handing the control its text
// costs one.
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
  bool KeepBackground(HTHEME theme, const RECT& client);
  bool PlainSimplePane(const std::wstring& text) const;
  std::wstring PaneText() const;
  void PaintFromKeptBackground(HDC dc, const std::wstring& text) const;
  static std::optional<std::wstring> PlainText(const std::string& text);
  void TellControl();

  HWND hwnd_ = nullptr;
  std::unique_ptr<WindowHook> hook_;
  Mode mode_ = Mode::kUndecided;
  // The text on the bar, and whether the control still holds an older one.
  std::wstring shownText_;
  bool controlBehind_ = false;
  // The bar's client area as the theme draws it behind the text; the DC goes before
  // the bitmap it holds.
  UniqueBitmap background_;
  UniqueDC backgroundDc_;
  // The bar as it was last shown; its DC holds the text's font.
  UniqueBitmap picture_;
  UniqueDC pictureDc_;
  SIZE size_{};
  RECT paneRect_{};
};

}  // namespace quillmere::win32
