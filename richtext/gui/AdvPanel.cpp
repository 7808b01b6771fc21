#include "richtext/gui/AdvPanel.h"

#include <windowsx.h>

#include "richtext/gui/GdiSurface.h"

namespace quillmere {
namespace {

// The hint stands this far right of and above the pointer.
constexpr int kHintOffset = 10;
constexpr UINT_PTR kHintTool = 1;

// A picture the size of the client area that a paint is drawn into and then
// copied to the screen in one go, so the text never flickers over the background.
class BackBuffer {
 public:
  BackBuffer(HDC screen, SIZE size)
      : size_(size),
        dc_(CreateCompatibleDC(screen)),
        bitmap_(CreateCompatibleBitmap(screen, size.cx, size.cy)) {
    if (dc_ && bitmap_) previous_ = SelectObject(dc_.get(), bitmap_.get());
  }
  ~BackBuffer() {
    if (previous_) SelectObject(dc_.get(), previous_);
  }
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;
  bool ok() const { return previous_ != nullptr; }
  HDC dc() const { return dc_.get(); }
  void CopyTo(HDC screen) const {
    BitBlt(screen, 0, 0, size_.cx, size_.cy, dc_.get(), 0, 0, SRCCOPY);
  }

 private:
  SIZE size_;
  win32::UniqueDC dc_;
  win32::UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

SIZE ClientSize(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

TAdvPanel::TAdvPanel(const Args& args, LinkOpener& opener)
    : opener_(opener), font_(args.font), cursor_(SystemCursor(IDC_ARROW)) {
  background_.OnChange = [this] { Repaint(); };
  caption_.Font = args.font;
  caption_.Font.color = richtext::SystemColor(14);  // highlight text, on the highlight
  Create({.className = kClassName,
          .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
          .x = args.x,
          .y = args.y,
          .width = args.width,
          .height = args.height,
          .parent = args.parent,
          .id = args.id});
}

TAdvPanel::~TAdvPanel() {
  if (hwnd()) DestroyWindow(hwnd());
}

void TAdvPanel::Repaint() {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

richtext::PanelView TAdvPanel::View() {
  const SIZE client = ClientSize(hwnd());
  return {.client = {client.cx, client.cy},
          .bevels = bevels_,
          .color = color_,
          .background = &background_,
          .backgroundPosition = backgroundPosition_,
          .textVAlign = textVAlign_,
          .font = font_,
          .text = text_,
          .images = richtext::ImageListOf(images_),
          .urlColor = urlColor_,
          .hoverColor = hoverColor_,
          .hoverFontColor = hoverFontColor_,
          .shadowColor = shadowColor_,
          .shadowOffset = shadowOffset_,
          .hover = hover_,
          .hoverLink = hoverLinkNo_,
          .pictureCache = &pictureCache_,
          .pictureContainer = pictureContainer_,
          .caption = caption_,
          .collapsed = collapse_.Collapsed(),
          .gripSize = GripSize()};
}

void TAdvPanel::Paint(HDC dc) {
  richtext::GdiSurface surface(dc, fonts_, font_, color_);
  richtext::PaintPanel(surface, View());
}

std::string TAdvPanel::HitTest(int x, int y) {
  const win32::ClientDC client(hwnd());
  richtext::GdiSurface surface(client.dc(), fonts_, font_, color_);
  richtext::PanelHit hit = richtext::HitTestPanel(surface, View(), x, y);
  hoverLinkNo_ = hit.mouseLink;
  hitRect_ = hit.hoverRect;
  return std::move(hit.anchor);
}

void TAdvPanel::OnPress(POINT point) {
  const std::string link = HitTest(point.x, point.y);
  if (link.empty()) return;
  if (OpensInSystem(link)) {
    opener_.Open(link);
  } else if (OnAnchorClick) {
    OnAnchorClick(*this, link);
  }
}

void TAdvPanel::OnPointerMove(POINT point) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  const std::string link = HitTest(point.x, point.y);
  if (link.empty()) {
    if (handShown_) LeaveLink();
    return;
  }
  if (!handShown_ || link != hoverAnchor_) {
    HideHint();
    handShown_ = true;
    ::SetCursor(SystemCursor(IDC_HAND));
    if (OnAnchorEnter) OnAnchorEnter(*this, link);
    if (hover_ && link != hoverAnchor_) {
      RepaintLink(hoverRect_);
      RepaintLink(hitRect_);
    }
    if (anchorHint_) ShowHint(link, point);
  }
  hoverAnchor_ = link;
  hoverRect_ = hitRect_;
}

// The pointer has left the link it was over: the panel's own cursor is back.
void TAdvPanel::LeaveLink() {
  handShown_ = false;
  ::SetCursor(cursor_);
  HideHint();
  if (OnAnchorExit) OnAnchorExit(*this, hoverAnchor_);
  hoverLinkNo_ = -1;
  if (hover_) RepaintLink(hoverRect_);
  hoverAnchor_.clear();
}

void TAdvPanel::OnPointerLeave() {
  trackingLeave_ = false;
  if (handShown_) return LeaveLink();
  hoverLinkNo_ = -1;
}

void TAdvPanel::RepaintLink(const richtext::Rect& rect) {
  const RECT widened{rect.left - 1, rect.top, rect.right + 1, rect.bottom};
  InvalidateRect(hwnd(), &widened, FALSE);
}

void TAdvPanel::ShowHint(std::string anchor, POINT point) {
  if (OnAnchorHint) OnAnchorHint(*this, anchor);
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = hwnd();
  tool.uId = kHintTool;
  tool.lpszText = anchor.data();
  if (!hint_) {
    hint_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, hwnd(),
                                nullptr, GetModuleHandleA(nullptr), nullptr));
    if (!hint_) return;  // the link works without its hint
    SendMessageA(hint_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SendMessageA(hint_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  POINT screen = point;
  ClientToScreen(hwnd(), &screen);
  SendMessageA(hint_.get(), TTM_TRACKPOSITION, 0,
               MAKELPARAM(screen.x + kHintOffset, screen.y - kHintOffset));
  SendMessageA(hint_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void TAdvPanel::HideHint() {
  if (!hint_) return;
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = hwnd();
  tool.uId = kHintTool;
  SendMessageA(hint_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

LRESULT TAdvPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_PAINT: {
      const win32::PaintScope paint(hwnd());
      const BackBuffer buffer(paint.dc(), ClientSize(hwnd()));
      if (!buffer.ok()) {
        Paint(paint.dc());
        return 0;
      }
      Paint(buffer.dc());
      buffer.CopyTo(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SIZE:
      Repaint();  // the text wraps anew
      return 0;
    case WM_LBUTTONDOWN:
      if (OnCaptionPress(PointOf(lParam))) return 0;
      OnPress(PointOf(lParam));
      break;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      OnPress(PointOf(lParam));
      break;
    case WM_MOUSEMOVE:
      if (drag_ != Drag::kNone) {
        OnDrag(PointOf(lParam));
        return 0;
      }
      OnPointerMove(PointOf(lParam));
      break;
    case WM_LBUTTONUP:
      if (drag_ != Drag::kNone) ReleaseCapture();  // which ends the drag
      break;
    case WM_CAPTURECHANGED:
      if (drag_ != Drag::kNone) EndDrag();
      break;
    case WM_MOUSELEAVE:
      OnPointerLeave();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) break;
      ::SetCursor(PointerCursor());
      return TRUE;
    case WM_DESTROY:
      SavePosition();
      // The tip belongs to the top-level window, which may have taken it down first.
      if (hint_ && !IsWindow(hint_.get())) static_cast<void>(hint_.release());
      hint_.reset();
      break;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace quillmere
