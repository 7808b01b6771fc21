#pragma once

#include <windows.h>
#include <commctrl.h>

namespace quillmere::win32 {

// Where a tab page is made and what it draws with: its sheet, the sheet's size, the
// font of its controls and the images of its tool bar.
struct PageFrame {
  HWND sheet = nullptr;
  int width = 0;
  int height = 0;
  HFONT font = nullptr;
  HIMAGELIST images = nullptr;
};

}  // namespace quillmere::win32
