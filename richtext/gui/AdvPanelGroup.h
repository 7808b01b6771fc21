#pragma once

#include "richtext/PanelPlacement.h"
#include "richtext/gui/AdvPanel.h"

namespace quillmere {

// A panel that stacks the panels it holds: top to bottom or left to right, in the
// order of their places, with the padding around and between them, anew whenever
// one of them is moved, sized, collapsed, expanded or closed, and when the group is
// sized. Hidden panels take no place.
class TAdvPanelGroup final : public TAdvPanel {
 public:
  using TAdvPanel::TAdvPanel;

  richtext::TGroupStyle GroupStyle() const { return groupStyle_; }
  void SetGroupStyle(richtext::TGroupStyle style);
  int HorzPadding() const { return horzPadding_; }
  void SetHorzPadding(int padding);
  int VertPadding() const { return vertPadding_; }
  void SetVertPadding(int padding);

  // Stacks the panels as they stand now, as after a panel was added.
  void Restack();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  richtext::TGroupStyle groupStyle_ = richtext::gsVertical;
  int horzPadding_ = 0;
  int vertPadding_ = 0;
  bool restacking_ = false;
};

}  // namespace quillmere
