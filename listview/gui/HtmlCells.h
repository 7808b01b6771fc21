#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/Color.h"
#include "richtext/gui/GdiFonts.h"
#include "richtext/gui/GdiSurface.h"

namespace quillmere {

// The list's cells whose text is mini-HTML, laid out by the mini-HTML engine on the
// cell's own device context: one line a cell, cut with an ellipsis where it is too
// long, with links but no pictures. The fonts the markup asks for are made once for
// the list.
class TMiniHtmlCells {
 public:
  // One cell: the device context carries the cell's font, its text colour and an
  // opaque background of the cell's colour; `bounds` is the cell's text rectangle.
  struct Cell {
    HDC dc = nullptr;
    std::string_view text;
    RECT bounds{};
    HFONT font = nullptr;
    TColor fontColor = clWindowText;
    TColor background = clWindow;
    TColor urlColor = clBlue;
  };

  void Draw(const Cell& cell);
  // The value of the link under `point` (client coordinates of the cell's dc);
  // empty when the point lies on no link.
  std::string LinkAt(const Cell& cell, POINT point);

 private:
  richtext::GdiSurface SurfaceOn(const Cell& cell);

  richtext::GdiFonts fonts_;
};

}  // namespace quillmere
