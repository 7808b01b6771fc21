#pragma once

#include <windows.h>

#include <memory>
#include <span>

#include "toolkit/Panel.h"

namespace quillmere::win32 {

// One button of a tool bar; a separator when `separatorWidth` is set.
struct ToolButtonArgs {
  int id = 0;
  const char* caption = "";
  int image = 0;
  int separatorWidth = 0;
};

// A flat, white tool bar with an etched edge on all four sides and captions under
// its images. Its host panel passes the buttons' WM_COMMAND and the tool-tip
// requests (TTN_GETDISPINFOA, when `showHints` is set) on to the parent.
class ToolBar {
 public:
  struct Args {
    HWND parent = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    SIZE button{};
    HIMAGELIST images = nullptr;
    HFONT font = nullptr;
    bool showHints = false;
    std::span<const ToolButtonArgs> buttons;
  };
  explicit ToolBar(const Args& args);

  HWND hwnd() const { return toolbar_; }
  HWND host() const { return host_->hwnd(); }
  void Enable(int id, bool enabled);
  bool IsEnabled(int id) const;

 private:
  std::unique_ptr<Panel> host_;
  HWND toolbar_ = nullptr;
};

}  // namespace quillmere::win32
