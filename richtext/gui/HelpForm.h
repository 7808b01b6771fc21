#pragma once

#include "toolkit/Window.h"

namespace quillmere {

// The help window: one page of help, shown modally over its owner.
class Thelpform final : public win32::Window {
 public:
  explicit Thelpform(HWND owner);
};

// Shows a new help window modally over the top-level window that holds `from`, and
// returns when it has been closed.
void ShowHelpForm(HWND from);

}  // namespace quillmere
