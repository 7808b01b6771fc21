#include "gauges/PieGeometry.h"

#include <cmath>

namespace quillmere {

namespace {

// 2 pi / 100: one per cent of a turn, in radians.
constexpr double kRadiansPerPercent = 0.06283185307179586477;

}  // namespace

int RoundHalfEven(double value) {
  // The default rounding mode is to nearest, ties to even.
  return static_cast<int>(std::nearbyint(value));
}

PieLayout LayOutPie(int width, int height, int position) {
  PieLayout pie;
  const int h = height - 12;
  const int w = width - 1;
  pie.cy = h / 2;
  pie.cx = w / 2;
  pie.right = w;
  pie.centre = {pie.cx + 1, pie.cy + 1};
  const double angle = position * kRadiansPerPercent;
  pie.end = {RoundHalfEven(pie.centre.x - std::cos(angle) * pie.cx),
             RoundHalfEven(pie.centre.y - std::sin(angle) * pie.cy)};
  pie.fillSector = position > 0;
  pie.usedRim = position > 51;
  pie.freeRim = position < 98;
  pie.sectorSeed = {2, pie.cy};
  pie.usedRimSeed = {w - 1, pie.cy + 12};
  pie.freeRimSeed = {2, pie.cy + 12};
  return pie;
}

}  // namespace quillmere
