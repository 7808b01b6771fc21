#include "toolkit/Controls.h"

#include <stdexcept>
#include <string>

#include "platform/win32/SystemError.h"

namespace quillmere::win32 {

HWND CreateControl(const ControlArgs& args) {
  SetLastError(0);
  HWND hwnd = CreateWindowExA(
      args.exStyle, args.className, args.text, WS_CHILD | WS_VISIBLE | args.style, args.x, args.y,
      args.width, args.height, args.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
      GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) {
    throw std::runtime_error(std::string("Cannot create a control of class ") + args.className +
                             " (" + SystemErrorText(GetLastError()) + ").");
  }
  if (args.font) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
  return hwnd;
}

UniqueFont MakeFont(const char* face, int height, bool bold) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
  UniqueFont font(CreateFontIndirectA(&lf));
  if (!font) throw std::runtime_error(std::string("Cannot create the font ") + face);
  return font;
}

std::string WindowText(HWND hwnd) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace quillmere::win32
