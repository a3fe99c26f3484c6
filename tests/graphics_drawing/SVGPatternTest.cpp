#include <gtest/gtest.h>

#include "IGraphics.h"
#include "NSVGImage.h"

using namespace iplug::igraphics;

// How SVG paints become patterns.

TEST(SVGPattern, ColourPaintTakesRedFromTheLowByteAndAlphaFromTheOpacity)
{
  NSVGpaint paint;
  paint.type = NSVG_PAINT_COLOR;
  paint.color = 0xFF302010u; // alpha ff, blue 30, green 20, red 10
  const IPattern pattern = IGraphics::GetSVGPattern(paint, 0.5f);
  EXPECT_EQ(pattern.mType, kPatternSolid);
  EXPECT_EQ(pattern.GetStop(0).mColor, IColor(128, 0x10, 0x20, 0x30));
}

TEST(SVGPattern, OpacityBeyondOneIsClamped)
{
  NSVGpaint paint;
  paint.type = NSVG_PAINT_COLOR;
  paint.color = 0u;
  EXPECT_EQ(IGraphics::GetSVGPattern(paint, 3.f).GetStop(0).mColor.A, 255);
  EXPECT_EQ(IGraphics::GetSVGPattern(paint, -1.f).GetStop(0).mColor.A, 0);
}

TEST(SVGPattern, RadialGradientKeepsStopsSpreadAndTransform)
{
  NSVGgradientStop stops[2];
  stops[0].color = 0x000000FFu;
  stops[0].offset = 0.25f;
  stops[1].color = 0x00FF0000u;
  stops[1].offset = 1.f;
  NSVGgradient gradient;
  gradient.spread = NSVG_SPREAD_REFLECT;
  gradient.nstops = 2;
  gradient.stops = stops;
  gradient.xform[4] = 7.f;
  NSVGpaint paint;
  paint.type = NSVG_PAINT_RADIAL_GRADIENT;
  paint.gradient = &gradient;
  const IPattern pattern = IGraphics::GetSVGPattern(paint, 0.2f);
  EXPECT_EQ(pattern.mType, kPatternRadial);
  EXPECT_EQ(pattern.mEdge, kPatternEdgeReflect);
  ASSERT_EQ(pattern.NStops(), 2);
  EXPECT_EQ(pattern.GetStop(0).mColor, IColor(255, 255, 0, 0)) << "stops are opaque whatever the opacity";
  EXPECT_FLOAT_EQ(pattern.GetStop(0).mOffset, 0.25f);
  EXPECT_EQ(pattern.GetStop(1).mColor, IColor(255, 0, 0, 255));
  EXPECT_EQ(pattern.mTransform, IMatrix(1, 0, 0, 1, 7, 0));
  gradient.stops = nullptr;
}

TEST(SVGPattern, NoPaintGivesTheDefaultColour)
{
  NSVGpaint paint;
  EXPECT_EQ(IGraphics::GetSVGPattern(paint, 1.f).GetStop(0).mColor, IColor());
}
