#pragma once

#include <cstdint>

#include "common/Color.h"

namespace quillmere {

// Every byte of the value halved, the high byte too.
inline constexpr TColor HalfColor(TColor color) { return (color >> 1) & 0x7F7F7F7F; }

inline constexpr int ClampPiePosition(int position) {
  return position < 0 ? 0 : position > 100 ? 100 : position;
}

struct PiePoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PiePoint&, const PiePoint&) = default;
};

// Where the pie's lines go and which of its parts are filled, for a picture of
// `width` x `height` at `position` per cent. The top face is the ellipse (1, 1,
// width, height - 11), the rim the same ellipse 11 pixels lower.
struct PieLayout {
  int cx = 0;     // half the face's width, its centre at (cx + 1, cy + 1)
  int cy = 0;     // half the face's height
  int right = 0;  // x of the right side edge
  PiePoint centre;
  PiePoint end;             // where the used sector's radius meets the face's edge
  bool fillSector = false;  // the used sector of the face
  bool usedRim = false;     // the edge under `end` and the used part of the rim
  bool freeRim = false;     // the free part of the rim
  PiePoint sectorSeed;
  PiePoint usedRimSeed;
  PiePoint freeRimSeed;
};

// The nearest integer, halves going to the even one.
int RoundHalfEven(double value);

PieLayout LayOutPie(int width, int height, int position);

}  // namespace quillmere
