#pragma once

#include <string>

#include "listview/gui/MiniHtmlCells.h"
#include "richtext/gui/GdiFonts.h"
#include "richtext/gui/GdiSurface.h"

namespace quillmere {

// The list's mini-HTML cells laid out by the mini-HTML engine on the cell's own
// device context: one line a cell, cut with an ellipsis where it is too long, with
// links but no pictures. The fonts the markup asks for are made once for the list.
class TEngineHtmlCells final : public TMiniHtmlCells {
 public:
  void Draw(const Cell& cell) override;
  std::string LinkAt(const Cell& cell, POINT point) override;

 private:
  richtext::GdiSurface SurfaceOn(const Cell& cell);

  richtext::GdiFonts fonts_;
};

}  // namespace quillmere
