#include "toolkit/ToolBar.h"

#include <vector>

#include "toolkit/Controls.h"

namespace quillmere::win32 {

ToolBar::ToolBar(const Args& args)
    : host_(std::make_unique<Panel>(Panel::Args{.parent = args.parent,
                                                .x = args.x,
                                                .y = args.y,
                                                .width = args.width,
                                                .height = args.height,
                                                .color = RGB(255, 255, 255),
                                                .edge = EDGE_ETCHED})) {
  constexpr int kEdge = 2;
  toolbar_ =
      CreateControl({.className = TOOLBARCLASSNAMEA,
                     .style = TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | CCS_NODIVIDER | CCS_NORESIZE |
                              CCS_NOPARENTALIGN | (args.showHints ? TBSTYLE_TOOLTIPS : 0u),
                     .x = kEdge,
                     .y = kEdge,
                     .width = args.width - 2 * kEdge,
                     .height = args.height - 2 * kEdge,
                     .parent = host_->hwnd(),
                     .font = args.font});
  SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(args.images));
  SendMessageA(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(32, 32));

  std::vector<TBBUTTON> buttons;
  for (const ToolButtonArgs& b : args.buttons) {
    TBBUTTON tb{};
    if (b.separatorWidth) {
      tb.iBitmap = b.separatorWidth;
      tb.fsStyle = BTNS_SEP;
    } else {
      tb.iBitmap = b.image;
      tb.idCommand = b.id;
      tb.fsState = TBSTATE_ENABLED;
      tb.fsStyle = BTNS_BUTTON;
      tb.iString = reinterpret_cast<INT_PTR>(b.caption);
    }
    buttons.push_back(tb);
  }
  SendMessageA(toolbar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(toolbar_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(args.button.cx, args.button.cx));
  SendMessageA(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(args.button.cx, args.button.cy));
}

void ToolBar::Enable(int id, bool enabled) {
  SendMessageA(toolbar_, TB_ENABLEBUTTON, id, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

bool ToolBar::IsEnabled(int id) const {
  return SendMessageA(toolbar_, TB_ISBUTTONENABLED, id, 0) != 0;
}

}  // namespace quillmere::win32
