#pragma once

#include <memory>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32LinkOpener.h"
#include "richtext/gui/AdvPanel.h"
#include "toolkit/Window.h"

namespace quillmere {

// The help window: one page of help text with the program's picture, shown modally
// over its owner. Its panel fills the client area, so resizing the window wraps the
// text anew.
class Thelpform final : public win32::Window {
 public:
  explicit Thelpform(HWND owner);

  TAdvPanel& AdvPanel1() { return *AdvPanel1_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  win32::Win32LinkOpener opener_;
  win32::UniqueImageList ImageList1_;  // 32 x 32: the program's picture at index 0
  std::unique_ptr<TAdvPanel> AdvPanel1_;
};

// Shows a new help window modally over the top-level window that holds `from`, and
// returns when it has been closed.
void ShowHelpForm(HWND from);

}  // namespace quillmere
