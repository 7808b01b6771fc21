#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/Color.h"

namespace quillmere {

// The mini-HTML engine as the list view sees it: a cell whose text holds a closing
// tag is drawn, and a point over it hit-tested, through this interface, so that the
// list knows nothing of how the engine lays markup out.
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

  virtual ~TMiniHtmlCells() = default;

  virtual void Draw(const Cell& cell) = 0;
  // The value of the link under `point` (client coordinates of the cell's dc);
  // empty when the point lies on no link.
  virtual std::string LinkAt(const Cell& cell, POINT point) = 0;
};

}  // namespace quillmere
