#include <gtest/gtest.h>

#include "IGraphicsNanoVG.h"
#include "nanovg.h"

using namespace iplug::igraphics;

// The conversions from the graphics core's colours and patterns to NanoVG's (no GL context needed).

TEST(NanoVGColor, ChannelsAreFractionsAndAlphaIsWeighted)
{
  const IBlend half(kBlendSrcOver, 0.5f);
  const NVGcolor c = NanoVGColor(IColor(255, 51, 102, 255), &half);
  EXPECT_FLOAT_EQ(c.r, 0.2f);
  EXPECT_FLOAT_EQ(c.g, 0.4f);
  EXPECT_FLOAT_EQ(c.b, 1.f);
  EXPECT_FLOAT_EQ(c.a, 0.5f);
  EXPECT_FLOAT_EQ(NanoVGColor(IColor(51, 0, 0, 0)).a, 0.2f) << "no blend is weight 1";
}

TEST(NanoVGPaint, IdentityLinearGradientRunsFromOriginOneUnitDown)
{
  IPattern pattern(kPatternLinear);
  pattern.AddStop(COLOR_RED, 0.f);
  pattern.AddStop(COLOR_BLUE, 1.f);
  const NVGpaint paint = NanoVGPaint(nullptr, pattern);
  EXPECT_FLOAT_EQ(paint.xform[2], 0.f) << "direction x";
  EXPECT_FLOAT_EQ(paint.xform[3], 1.f) << "direction y";
  EXPECT_FLOAT_EQ(paint.feather, 1.f) << "length of the ramp";
  EXPECT_FLOAT_EQ(paint.innerColor.r, 1.f);
  EXPECT_FLOAT_EQ(paint.outerColor.b, 1.f);
}

TEST(NanoVGPaint, IdentityRadialGradientHasOuterRadiusOne)
{
  IPattern pattern(kPatternRadial);
  pattern.AddStop(COLOR_RED, 0.f);
  pattern.AddStop(COLOR_BLUE, 1.f);
  const NVGpaint paint = NanoVGPaint(nullptr, pattern);
  // NanoVG ramps between the inner and outer radius: its middle (0.5) with a feather of their distance (1).
  EXPECT_FLOAT_EQ(paint.radius, 0.5f);
  EXPECT_FLOAT_EQ(paint.feather, 1.f);
  EXPECT_FLOAT_EQ(paint.xform[4], 0.f);
  EXPECT_FLOAT_EQ(paint.xform[5], 0.f);
}

TEST(NanoVGPaint, GradientIsPlacedByTheInverseOfItsTransform)
{
  const IPattern pattern = IPattern::CreateLinearGradient(10, 20, 10, 60, {IColorStop(COLOR_RED, 0.f), IColorStop(COLOR_BLUE, 1.f)});
  const NVGpaint paint = NanoVGPaint(nullptr, pattern);
  EXPECT_FLOAT_EQ(paint.feather, 40.f);
  EXPECT_FLOAT_EQ(paint.xform[3], 1.f);
}

TEST(NanoVGPaint, WeightScalesBothEndColours)
{
  IPattern pattern(kPatternLinear);
  pattern.AddStop(COLOR_RED, 0.f);
  pattern.AddStop(COLOR_BLUE, 1.f);
  const NVGpaint paint = NanoVGPaint(nullptr, pattern, &BLEND_25);
  EXPECT_FLOAT_EQ(paint.innerColor.a, 0.25f);
  EXPECT_FLOAT_EQ(paint.outerColor.a, 0.25f);
}
