#pragma once

#include <windows.h>
#include <uxtheme.h>

#include <memory>
#include <string>

#include "platform/win32/Handles.h"

namespace quillmere::win32 {

// A themed status bar's background and simple pane, drawn once by the theme as the
// control draws them behind its text, with the text put over them as the control
// draws it. Taken only where that painting matches the control's own pixel for
// pixel.
class KeptBackground {
 public:
  // The bar's background, kept when the bar has a theme and painting `text` over it
  // matches the control's own painting of that text, which the bar shows now;
  // nothing otherwise.
  static std::unique_ptr<KeptBackground> Take(HWND bar, const std::wstring& text);

  // The whole bar with `text` in its pane, into `dc`. The text is drawn on the kept
  // picture and the picture copied whole: the font stays in the picture, and under
  // Wine choosing a font for a window's DC reads the X resources anew each time.
  void Paint(HDC dc, const std::wstring& text) const;

 private:
  KeptBackground() = default;
  bool Draw(HWND bar, HTHEME theme, const RECT& client);

  SIZE size_{};
  RECT paneRect_{};
  // The bar's client area as the theme draws it behind the text; the DC goes before
  // the bitmap it holds.
  UniqueBitmap background_;
  UniqueDC backgroundDc_;
  // The bar as it was last shown; its DC holds the text's font.
  UniqueBitmap picture_;
  UniqueDC pictureDc_;
};

}  // namespace quillmere::win32
