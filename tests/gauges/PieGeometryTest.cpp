#include "gauges/PieGeometry.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

TEST(PieGeometry, TheEndPointRunsClockwiseFromTheLeftOfThe67By47Pie) {
  const PieLayout pie = LayOutPie(67, 47, 64);
  EXPECT_EQ(pie.cx, 33);
  EXPECT_EQ(pie.cy, 17);
  EXPECT_EQ(pie.right, 66);
  EXPECT_EQ(pie.centre, (PiePoint{34, 18}));
  EXPECT_EQ(pie.end, (PiePoint{55, 31}));
  EXPECT_EQ(LayOutPie(67, 47, 0).end, (PiePoint{1, 18}));
  EXPECT_EQ(LayOutPie(67, 47, 25).end, (PiePoint{34, 1}));
  EXPECT_EQ(LayOutPie(67, 47, 50).end, (PiePoint{67, 18}));
  EXPECT_EQ(LayOutPie(67, 47, 75).end, (PiePoint{34, 35}));
  EXPECT_EQ(LayOutPie(67, 47, 100).end, (PiePoint{1, 18}));
}

TEST(PieGeometry, HalvesRoundToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
}

TEST(PieGeometry, ThePartsFilledFollowThePosition) {
  struct Case {
    int position;
    bool sector, usedRim, freeRim;
  };
  for (const Case c :
       {Case{0, false, false, true}, Case{1, true, false, true}, Case{51, true, false, true},
        Case{52, true, true, true}, Case{97, true, true, true}, Case{98, true, true, false},
        Case{100, true, true, false}}) {
    const PieLayout pie = LayOutPie(67, 47, c.position);
    EXPECT_EQ(pie.fillSector, c.sector) << c.position;
    EXPECT_EQ(pie.usedRim, c.usedRim) << c.position;
    EXPECT_EQ(pie.freeRim, c.freeRim) << c.position;
  }
  const PieLayout pie = LayOutPie(67, 47, 64);
  EXPECT_EQ(pie.sectorSeed, (PiePoint{2, 17}));
  EXPECT_EQ(pie.usedRimSeed, (PiePoint{65, 29}));
  EXPECT_EQ(pie.freeRimSeed, (PiePoint{2, 29}));
}

TEST(PieGeometry, PositionsClampAndColoursHalveEveryByte) {
  EXPECT_EQ(ClampPiePosition(150), 100);
  EXPECT_EQ(ClampPiePosition(-5), 0);
  EXPECT_EQ(ClampPiePosition(42), 42);
  EXPECT_EQ(HalfColor(clYellow), 0x00007F7Fu);
  EXPECT_EQ(HalfColor(clBlue), 0x007F0000u);
  EXPECT_EQ(HalfColor(clBtnFace), 0x40000007u);
  EXPECT_EQ(HalfColor(0xFFFFFFFF), 0x7F7F7F7Fu);
}

}  // namespace
}  // namespace quillmere
