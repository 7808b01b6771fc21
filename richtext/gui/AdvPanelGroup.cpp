#include "richtext/gui/AdvPanelGroup.h"

#include <string_view>
#include <vector>

namespace quillmere {
namespace {

// The visible panels among the group's own child windows, in z order. A panel's
// window is of the panels' class and carries its object, as every window of the
// toolkit does.
std::vector<TAdvPanel*> VisiblePanels(HWND group) {
  std::vector<TAdvPanel*> panels;
  for (HWND child = GetWindow(group, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[16] = {};
    if (!IsWindowVisible(child) || !GetClassNameA(child, name, sizeof name) ||
        std::string_view(name) != TAdvPanel::kClassName)
      continue;
    auto* window = reinterpret_cast<win32::Window*>(GetWindowLongPtrA(child, GWLP_USERDATA));
    if (auto* panel = dynamic_cast<TAdvPanel*>(window)) panels.push_back(panel);
  }
  return panels;
}

}  // namespace

void TAdvPanelGroup::SetGroupStyle(richtext::TGroupStyle style) {
  groupStyle_ = style;
  Restack();
}

void TAdvPanelGroup::SetHorzPadding(int padding) {
  horzPadding_ = padding;
  Restack();
}

void TAdvPanelGroup::SetVertPadding(int padding) {
  vertPadding_ = padding;
  Restack();
}

// Placing a panel reports it as changed once more; that report is not followed.
void TAdvPanelGroup::Restack() {
  if (restacking_) return;
  restacking_ = true;
  const std::vector<TAdvPanel*> panels = VisiblePanels(hwnd());
  std::vector<richtext::PanelBounds> bounds;
  for (const TAdvPanel* panel : panels) {
    richtext::PanelBounds shown = panel->Bounds();
    if (panel->Collaps()) shown.height = panel->Caption().Height;
    bounds.push_back(shown);
  }
  RECT client{};
  GetClientRect(hwnd(), &client);
  const auto stacked = richtext::Stacked(bounds, {client.right, client.bottom}, groupStyle_,
                                         horzPadding_, vertPadding_);
  for (std::size_t i = 0; i < panels.size(); ++i) {
    const richtext::PanelBounds& place = stacked[i];
    SetWindowPos(panels[i]->hwnd(), nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  restacking_ = false;
}

LRESULT TAdvPanelGroup::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ChangedMessage()) {
    Restack();
    return 0;
  }
  const LRESULT result = TAdvPanel::HandleMessage(message, wParam, lParam);
  if (message == WM_SIZE) Restack();
  return result;
}

}  // namespace quillmere
