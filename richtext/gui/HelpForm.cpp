#include "richtext/gui/HelpForm.h"

namespace quillmere {
namespace {

constexpr int kWidth = 455;
constexpr int kHeight = 251;

}  // namespace

Thelpform::Thelpform(HWND owner) {
  const RECT frame = win32::CentredOuterRect(kWidth, kHeight);
  Create({.className = "Thelpform",
          .title = "Quillmere Help",
          .style = WS_OVERLAPPEDWINDOW,
          .x = frame.left,
          .y = frame.top,
          .width = kWidth,
          .height = kHeight,
          .parent = owner,
          .background = GetSysColorBrush(COLOR_BTNFACE)});
}

void ShowHelpForm(HWND from) {
  const HWND owner = GetAncestor(from, GA_ROOT);
  Thelpform help(owner);
  help.ShowModal(owner);
}

}  // namespace quillmere
