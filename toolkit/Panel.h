#pragma once

#include <functional>

#include "platform/win32/Handles.h"
#include "toolkit/Window.h"

namespace quillmere::win32 {

// A plain container: a background colour, an optional edge, labels that take the
// panel's colour, and the notifications of its children passed on to its parent,
// so the top-level window handles the events of every control it holds.
class Panel : public Window {
 public:
  struct Args {
    HWND parent = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    COLORREF color = GetSysColor(COLOR_BTNFACE);
    UINT edge = 0;  // DrawEdge edge kind (EDGE_RAISED, EDGE_ETCHED...), 0 for none
    int id = 0;
    bool visible = true;
  };
  explicit Panel(const Args& args);

  // Painted over the background, for controls without a window of their own.
  std::function<void(HDC)> OnPaint;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);

  UniqueBrush brush_;
  COLORREF color_;
  UINT edge_;
};

}  // namespace quillmere::win32
