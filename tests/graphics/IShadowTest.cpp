#include <gtest/gtest.h>

#include "IShadow.h"

using namespace iplug::igraphics;

TEST(IShadowOpacity, ClampedToTheUnitRange)
{
  EXPECT_EQ(IShadow(COLOR_BLACK, 4.f, 2.f, 2.f, 1.5f).mOpacity, 1.f);
  EXPECT_EQ(IShadow(COLOR_BLACK, 4.f, 2.f, 2.f, -0.5f).mOpacity, 0.f);
  EXPECT_EQ(IShadow(COLOR_BLACK, 4.f, 2.f, 2.f, 0.25f).mOpacity, 0.25f);
}
