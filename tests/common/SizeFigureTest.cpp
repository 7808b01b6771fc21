#include "common/SizeFigure.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

TEST(SizeFigure, SwitchesToWholeMegabytesAbove1024Kilobytes) {
  EXPECT_EQ(SizeFigure(0), "0 KB");
  EXPECT_EQ(SizeFigure(1'049'599), "1024 KB");
  EXPECT_EQ(SizeFigure(1'049'600), "1 MB");
  EXPECT_EQ(SizeFigure(5'000'000), "4 MB");
  EXPECT_EQ(SizeFigure(2'000'000), "1 MB");
  EXPECT_EQ(SizeFigure(1'048'576), "1024 KB");
}

}  // namespace
}  // namespace quillmere
