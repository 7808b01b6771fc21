#pragma once

#include "platform/win32/Window.h"

namespace quillmere {

// The help window: one page of help, shown modally over its owner.
class Thelpform final : public win32::Window {
 public:
  explicit Thelpform(HWND owner);
};

}  // namespace quillmere
