#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"

namespace quillmere::win32 {

// A child control of a system class, made from named fields rather than a long
// parameter list.
struct ControlArgs {
  const char* className = nullptr;
  const char* text = "";
  DWORD style = 0;  // WS_CHILD | WS_VISIBLE are always added
  DWORD exStyle = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  HWND parent = nullptr;
  int id = 0;
  HFONT font = nullptr;
};

// Creates the control; throws when the system refuses.
HWND CreateControl(const ControlArgs& args);

// A font by face name and cell height in pixels (negative: character height).
UniqueFont MakeFont(const char* face, int height, bool bold = false);

std::string WindowText(HWND hwnd);

}  // namespace quillmere::win32
