#include <gtest/gtest.h>

#include "IBlend.h"
#include "IText.h"

using namespace iplug::igraphics;

// SVG gradients map their spread method (pad 0, reflect 1, repeat 2) to an edge mode by adding one.
TEST(IGraphicsEnumerations, PatternEdgeIsTheSvgSpreadMethodPlusOne)
{
  EXPECT_EQ(kPatternEdgeNone, 0);
  EXPECT_EQ(kPatternEdgePad, 0 + 1);
  EXPECT_EQ(kPatternEdgeReflect, 1 + 1);
  EXPECT_EQ(kPatternEdgeRepeat, 2 + 1);
}

// The back end and the platform layer translate these by value, so their order is part of the contract.
TEST(IGraphicsEnumerations, ValuesFollowTheirListedOrder)
{
  EXPECT_EQ(kBlendXOR, 9);
  EXPECT_EQ(kBlendDstOver, 4);
  EXPECT_EQ(kCursorHelp, 13);
  EXPECT_EQ(kCursorAppStarting, 12);
  EXPECT_EQ(kDirectionHorizontal, 1);
  EXPECT_EQ(kResizerSize, 1);
  EXPECT_EQ(kAlignFar, 2);
  EXPECT_EQ(kVAlignBottom, 2);
  EXPECT_EQ(kTextStyleItalic, 2);
  EXPECT_EQ(kPatternRadial, 2);
  EXPECT_EQ(kCapSquare, 2);
  EXPECT_EQ(kJoinBevel, 2);
  EXPECT_EQ(kFillPathWinding, 2);
  EXPECT_EQ(kWindingCCW, 1);
  EXPECT_EQ(kAppearanceDark, 1);
}

TEST(IGraphicsNamedColours, DefaultsAliasTheNamedColours)
{
  EXPECT_EQ(DEFAULT_BGCOLOR, IColor(0, 0, 0, 0));
  EXPECT_EQ(DEFAULT_FGCOLOR, IColor(255, 200, 200, 200));
  EXPECT_EQ(DEFAULT_PRCOLOR, IColor(255, 240, 240, 240));
  EXPECT_EQ(DEFAULT_FRCOLOR, IColor(255, 70, 70, 70));
  EXPECT_EQ(DEFAULT_HLCOLOR, IColor(10, 0, 0, 0));
  EXPECT_EQ(DEFAULT_SHCOLOR, IColor(60, 0, 0, 0));
  EXPECT_EQ(DEFAULT_X2COLOR, IColor(255, 0, 255, 0));
  EXPECT_EQ(DEFAULT_X3COLOR, IColor(255, 0, 0, 255));
  EXPECT_EQ(COLOR_BLACK_DROP_SHADOW, IColor(128, 0, 0, 0));
  EXPECT_EQ(COLOR_ORANGE, IColor(255, 255, 127, 0));
  EXPECT_EQ(COLOR_INDIGO, IColor(255, 75, 0, 130));
  EXPECT_EQ(COLOR_VIOLET, IColor(255, 148, 0, 211));
}

TEST(IGraphicsNamedBlends, WeightsAndMethods)
{
  EXPECT_EQ(BLEND_75.mWeight, 0.75f);
  EXPECT_EQ(BLEND_01.mWeight, 0.01f);
  EXPECT_EQ(BLEND_05.mMethod, kBlendSrcOver);
  EXPECT_EQ(BLEND_DST_IN.mMethod, kBlendDstIn);
  EXPECT_EQ(BLEND_DST_OVER.mMethod, kBlendDstOver);
  EXPECT_EQ(BLEND_DST_OVER.mWeight, 1.f);
}

TEST(IBlendNull, NullStandsForSourceOverAtFullWeight)
{
  EXPECT_EQ(BlendWeight(nullptr), 1.f);
  EXPECT_EQ(BlendMethod(nullptr), kBlendSrcOver);
  EXPECT_EQ(BlendWeight(&BLEND_25), 0.25f);
  EXPECT_EQ(BlendMethod(&BLEND_DST_IN), kBlendDstIn);
}

TEST(IColorDefaults, DefaultColourIsOpaqueBlack)
{
  EXPECT_EQ(IColor(), COLOR_BLACK);
}

TEST(IColorClamp, ChannelsOutsideTheByteRangeAreLimited)
{
  IColor c(300, -5, 128, 256);
  c.Clamp();
  EXPECT_EQ(c, IColor(255, 0, 128, 255));
  EXPECT_EQ(COLOR_RED.WithOpacity(0.5f), IColor(127, 255, 0, 0));
  EXPECT_EQ(COLOR_RED.WithOpacity(2.f).A, 255);
}
