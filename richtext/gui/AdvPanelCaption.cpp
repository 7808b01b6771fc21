#include <stdexcept>

#include "richtext/gui/AdvPanel.h"

namespace quillmere {
namespace {

// Neither a drag nor a sizing makes a panel smaller than this.
constexpr int kSmallestSide = 8;

POINT ScreenPoint(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

}  // namespace

UINT TAdvPanel::ChangedMessage() {
  static const UINT message = RegisterWindowMessageA("QuillmerePanelChanged");
  return message;
}

int TAdvPanel::GripSize() const { return canSize_ ? GetSystemMetrics(SM_CXVSCROLL) : 0; }

richtext::PanelBounds TAdvPanel::Bounds() const {
  RECT rc{};
  GetWindowRect(hwnd(), &rc);
  MapWindowPoints(nullptr, GetParent(hwnd()), reinterpret_cast<POINT*>(&rc), 2);
  const int height = rc.bottom - rc.top;
  return {rc.left, rc.top, rc.right - rc.left, collapse_.FullHeight(height)};
}

void TAdvPanel::PlaceAt(const richtext::PanelBounds& bounds) {
  const int height = collapse_.Collapsed() ? caption_.Height : bounds.height;
  SetWindowPos(hwnd(), nullptr, bounds.left, bounds.top, bounds.width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TAdvPanel::TellParent() {
  if (const HWND parent = GetParent(hwnd()))
    SendMessageA(parent, ChangedMessage(), reinterpret_cast<WPARAM>(hwnd()), 0);
}

void TAdvPanel::SetCollaps(bool collaps) {
  if (collaps == collapse_.Collapsed()) return;
  const richtext::PanelBounds bounds = Bounds();
  const int height = collaps ? collapse_.Collapse(bounds.height, caption_.Height)
                             : collapse_.Expand(bounds.height);
  SetWindowPos(hwnd(), nullptr, 0, 0, bounds.width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Repaint();
  TellParent();
}

// The close and collapse buttons and the sizing corner take the press; a press
// elsewhere on the bar raises OnCaptionClick, may start a move, and goes on to the
// links of the caption's text.
bool TAdvPanel::OnCaptionPress(POINT point) {
  const richtext::PanelView view = View();
  const int grip = view.gripSize;
  if (grip > 0 && !collapse_.Collapsed() &&
      richtext::Contains(richtext::SizeGripRect(view.client, grip), point.x, point.y)) {
    drag_ = Drag::kSize;
  } else {
    switch (richtext::CaptionPartAt(richtext::CaptionOf(view), point.x, point.y)) {
      case richtext::CaptionPart::kClose:
        ShowWindow(hwnd(), SW_HIDE);
        if (OnClose) OnClose(*this);
        TellParent();
        return true;
      case richtext::CaptionPart::kMinMax: {
        const bool collapsing = !collapse_.Collapsed();
        SetCollaps(collapsing);
        const auto& event = collapsing ? OnMinimize : OnMaximize;
        if (event) event(*this);
        return true;
      }
      case richtext::CaptionPart::kBar:
        if (OnCaptionClick) OnCaptionClick(*this);
        if (!canMove_) return false;
        drag_ = Drag::kMove;
        break;
      case richtext::CaptionPart::kNone:
        return false;
    }
  }
  dragFrom_ = ScreenPoint(hwnd(), point);
  dragStart_ = Bounds();
  SetCapture(hwnd());
  ::SetCursor(PointerCursor());
  return drag_ == Drag::kSize;
}

void TAdvPanel::OnDrag(POINT point) {
  const POINT now = ScreenPoint(hwnd(), point);
  const int dx = now.x - dragFrom_.x;
  const int dy = now.y - dragFrom_.y;
  PlaceAt(drag_ == Drag::kMove ? richtext::Moved(dragStart_, dx, dy, fixed_)
                               : richtext::Sized(dragStart_, dx, dy, fixed_, kSmallestSide));
}

void TAdvPanel::EndDrag() {
  drag_ = Drag::kNone;
  if (OnEndMoveSize) OnEndMoveSize(*this);
  TellParent();
}

HCURSOR TAdvPanel::PointerCursor() const {
  if (drag_ == Drag::kMove && showMoveCursor_) return SystemCursor(IDC_SIZEALL);
  if (drag_ == Drag::kSize) return SystemCursor(IDC_SIZENWSE);
  if (handShown_) return SystemCursor(IDC_HAND);
  return cursor_;
}

void TAdvPanel::SetPosition(richtext::TPanelPosition position, richtext::PositionPorts ports) {
  position_ = std::move(position);
  positionPorts_.emplace(ports);
}

void TAdvPanel::Loaded() {
  if (!position_.Save || !positionPorts_) return;
  const auto saved = richtext::LoadPanelPosition(position_, *positionPorts_);
  if (!saved) return;
  PlaceAt(saved->bounds);
  SetCollaps(saved->collaps);
}

void TAdvPanel::SavePosition() {
  if (!position_.Save || !positionPorts_) return;
  if (!richtext::SavePanelPosition(position_, {Bounds(), collapse_.Collapsed()}, *positionPorts_))
    throw std::runtime_error("Cannot save the panel's place under " + position_.Key + ".");
}

}  // namespace quillmere
