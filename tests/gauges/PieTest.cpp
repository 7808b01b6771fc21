#include <gtest/gtest.h>

#include <initializer_list>

#include "gauges/gui/Scope.h"

namespace quillmere {
namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kYellowShade = 0x007F7F;
constexpr COLORREF kBlueShade = 0x7F0000;
constexpr COLORREF kWhite = 0xFFFFFF;

// A pie drawn off-screen, with no parent to paint on.
class PieTest : public ::testing::Test {
 protected:
  TSimplePie& Draw(int position, int width = 67, int height = 47) {
    pie.SetBounds(0, 0, width, height);
    pie.SetBasecolor(clYellow);
    pie.SetUsedcolor(clBlue);
    pie.SetPosition(position);
    return pie;
  }
  COLORREF At(int x, int y) const { return GetPixel(pie.PictureDC(), x, y); }
  int Count(COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < pie.Height(); ++y) {
      for (int x = 0; x < pie.Width(); ++x) n += At(x, y) == colour;
    }
    return n;
  }

  TSimplePie pie{nullptr};
};

TEST_F(PieTest, StartsAt128By64InFuchsiaAndBlueAt64PerCent) {
  EXPECT_EQ(pie.Width(), 128);
  EXPECT_EQ(pie.Height(), 64);
  EXPECT_EQ(pie.Position(), 64);
  EXPECT_EQ(pie.Basecolor(), 0x00FF00FFu);
  EXPECT_EQ(pie.Usedcolor(), 0x00FF0000u);
  EXPECT_EQ(pie.BaseShade(), 0x007F007Fu);
  EXPECT_EQ(pie.UsedShade(), 0x007F0000u);
  EXPECT_EQ(At(64, 8), kBlue);  // drawn at once, before any property is set
  pie.SetBasecolor(clBtnFace);
  EXPECT_EQ(pie.BaseShade(), 0x40000007u);
}

TEST_F(PieTest, PositionsOutsideZeroToHundredAreClamped) {
  EXPECT_EQ(Draw(150).Position(), 100);
  EXPECT_EQ(Draw(-5).Position(), 0);
}

TEST_F(PieTest, FramesTheFaceAndRimInBlackOnWhite) {
  Draw(0);
  EXPECT_EQ(At(0, 0), GetSysColor(COLOR_BTNFACE));  // the frame of the background
  EXPECT_EQ(At(2, 1), kWhite);
  EXPECT_EQ(At(34, 1), kBlack);   // top of the face
  EXPECT_EQ(At(34, 35), kBlack);  // bottom of the face
  EXPECT_EQ(At(34, 46), kBlack);  // bottom of the rim
  for (int y = 18; y <= 29; ++y) {
    EXPECT_EQ(At(1, y), kBlack) << y;   // left side edge
    EXPECT_EQ(At(66, y), kBlack) << y;  // right side edge
  }
  for (int x = 1; x < 34; ++x) EXPECT_EQ(At(x, 18), kBlack) << x;  // the zero radius
}

TEST_F(PieTest, TheRadiusEndsWhereThePositionPointsOnThe67By47Pie) {
  Draw(64);
  for (int y = 31; y <= 41; ++y) EXPECT_EQ(At(55, y), kBlack) << y;  // rim edge under (55, 31)
  Draw(25);
  for (int y = 1; y <= 18; ++y) EXPECT_EQ(At(34, y), kBlack) << y;  // straight up to (34, 1)
  EXPECT_EQ(At(33, 8), kBlue);
  EXPECT_EQ(At(35, 8), kYellow);
  Draw(50);
  for (int x = 34; x <= 66; ++x) EXPECT_EQ(At(x, 18), kBlack) << x;  // right to (67, 18)
  EXPECT_EQ(At(50, 17), kBlue);
  EXPECT_EQ(At(50, 19), kYellow);
}

TEST_F(PieTest, TheUsedSectorAndTheUsedRimTakeTheUsedColours) {
  Draw(64);
  EXPECT_EQ(At(10, 12), kBlue);         // upper left: inside the first 64 per cent
  EXPECT_EQ(At(60, 20), kBlue);         // right of the centre, above the end
  EXPECT_EQ(At(20, 26), kYellow);       // lower left: free
  EXPECT_EQ(At(63, 32), kBlueShade);    // rim between the right end and the edge
  EXPECT_EQ(At(50, 40), kYellowShade);  // rim left of the edge
  EXPECT_EQ(At(10, 35), kYellowShade);
}

TEST_F(PieTest, ZeroLeavesTheFaceFreeAndTheRimInTheFreeShade) {
  Draw(0);
  EXPECT_EQ(Count(kBlue), 0);
  EXPECT_EQ(Count(kBlueShade), 0);
  EXPECT_EQ(At(10, 12), kYellow);
  EXPECT_EQ(At(10, 35), kYellowShade);
  EXPECT_EQ(At(63, 32), kYellowShade);
  Draw(5);  // at 1 per cent the radius runs over the fill's seed and nothing is filled
  EXPECT_GT(Count(kBlue), 0);
  EXPECT_EQ(At(3, 16), kBlue);
}

TEST_F(PieTest, RimFillsFollowTheThresholds) {
  // On the small pie the rim edge of 52 lies outside the picture and that of 97 on
  // the left side edge, so both rim fills meet the same region; a wide pie leaves
  // room on both sides of the edge and shows each threshold.
  Draw(51);
  EXPECT_EQ(Count(kBlueShade), 0);
  Draw(52);
  EXPECT_EQ(At(63, 32), kYellowShade);  // filled twice, the free shade last

  const int wide = 1001, high = 101, rimY = 56;
  Draw(51, wide, high);
  EXPECT_EQ(At(999, rimY), kYellowShade);
  EXPECT_EQ(Count(kBlueShade), 0);
  Draw(52, wide, high);
  EXPECT_EQ(At(999, rimY), kBlueShade);  // right of the rim edge at x = 997
  EXPECT_EQ(At(500, 95), kYellowShade);

  Draw(97, wide, high);
  EXPECT_EQ(At(2, rimY), kYellowShade);  // left of the rim edge at x = 10
  EXPECT_EQ(At(500, 95), kBlueShade);
  Draw(98, wide, high);
  EXPECT_EQ(At(2, rimY), kWhite);  // no free fill: left as the background
  EXPECT_EQ(Count(kYellowShade), 0);
}

}  // namespace
}  // namespace quillmere
