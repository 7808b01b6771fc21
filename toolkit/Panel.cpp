#include "toolkit/Panel.h"

namespace quillmere::win32 {

Panel::Panel(const Args& args)
    : brush_(CreateSolidBrush(args.color)), color_(args.color), edge_(args.edge) {
  Create({.className = "QuillmerePanel",
          .style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (args.visible ? WS_VISIBLE : 0u),
          .x = args.x,
          .y = args.y,
          .width = args.width,
          .height = args.height,
          .parent = args.parent,
          .id = args.id});
}

void Panel::Paint(HDC dc) {
  RECT rc;
  GetClientRect(hwnd(), &rc);
  FillRect(dc, &rc, brush_.get());
  if (edge_) DrawEdge(dc, &rc, edge_, BF_RECT);
  if (OnPaint) OnPaint(dc);
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      // Transparent children (the tool bars) have their background erased here.
      RECT rc;
      GetClientRect(hwnd(), &rc);
      FillRect(reinterpret_cast<HDC>(wParam), &rc, brush_.get());
      return 1;
    }
    case WM_PAINT: {
      PaintScope paint(hwnd());
      Paint(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkColor(dc, color_);
      return reinterpret_cast<LRESULT>(brush_.get());
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return SendMessageA(GetParent(hwnd()), message, wParam, lParam);
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace quillmere::win32
