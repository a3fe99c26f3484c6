#include <gtest/gtest.h>

#include "IPattern.h"

using namespace iplug::igraphics;

namespace {

void ExpectMaps(const IMatrix& m, double x, double y, double ex, double ey)
{
  m.TransformPoint(x, y);
  EXPECT_NEAR(x, ex, 1e-6);
  EXPECT_NEAR(y, ey, 1e-6);
}

IPattern TakesPattern(const IPattern& p) { return p; }

} // namespace

TEST(IPatternSolid, AColourBecomesOneStopAtOffsetZero)
{
  const IPattern p = TakesPattern(COLOR_ORANGE);
  EXPECT_EQ(p.mType, kPatternSolid);
  EXPECT_EQ(p.mEdge, kPatternEdgePad);
  ASSERT_EQ(p.NStops(), 1);
  EXPECT_EQ(p.GetStop(0).mColor, COLOR_ORANGE);
  EXPECT_EQ(p.GetStop(0).mOffset, 0.f);
  EXPECT_EQ(p.mTransform, IMatrix());
}

TEST(IPatternStops, UnusedEntriesHoldOpaqueBlackAtZero)
{
  IPattern p(kPatternLinear);
  p.AddStop(COLOR_RED, 0.25f);
  for (int i = 1; i < IPattern::kMaxStops; ++i)
  {
    EXPECT_EQ(p.mStops[i].mColor, COLOR_BLACK);
    EXPECT_EQ(p.mStops[i].mOffset, 0.f);
  }
  EXPECT_EQ(p.GetStop(5).mColor, COLOR_BLACK);
  EXPECT_EQ(p.GetStop(-1).mColor, COLOR_BLACK);
}

TEST(IPatternStops, SeventeenthStopIsDropped)
{
  IPattern p(kPatternLinear);
  for (int i = 0; i < 16; ++i)
    EXPECT_TRUE(p.AddStop(IColor(255, i, 0, 0), i / 16.f));
  EXPECT_FALSE(p.AddStop(COLOR_WHITE, 1.f));
  EXPECT_EQ(p.NStops(), 16);
  EXPECT_EQ(p.GetStop(15).mColor, IColor(255, 15, 0, 0));

  const IPattern viaList = IPattern::CreateLinearGradient(
    0.f, 0.f, 0.f, 1.f,
    {{COLOR_RED, 0.f}, {COLOR_RED, 0.f}, {COLOR_RED, 0.f}, {COLOR_RED, 0.f}, {COLOR_RED, 0.f}, {COLOR_RED, 0.f},
     {COLOR_RED, 0.f}, {COLOR_RED, 0.f}, {COLOR_RED, 0.f}, {COLOR_RED, 0.f}, {COLOR_RED, 0.f}, {COLOR_RED, 0.f},
     {COLOR_RED, 0.f}, {COLOR_RED, 0.f}, {COLOR_RED, 0.f}, {COLOR_RED, 0.f}, {COLOR_BLUE, 1.f}});
  EXPECT_EQ(viaList.NStops(), 16);
  EXPECT_EQ(viaList.GetStop(15).mColor, COLOR_RED);
}

// The back end places a linear gradient from the inverse transform's images of (0, 0) and (0, 1).
TEST(IPatternLinearGradient, TransformMapsTheEndPointsOntoTheUnitAxis)
{
  const IPattern p = IPattern::CreateLinearGradient(10.f, 20.f, 40.f, 60.f, {{COLOR_RED, 0.f}, {COLOR_BLUE, 1.f}});
  EXPECT_EQ(p.mType, kPatternLinear);
  EXPECT_EQ(p.NStops(), 2);
  ExpectMaps(p.mTransform, 10.0, 20.0, 0.0, 0.0);
  ExpectMaps(p.mTransform, 40.0, 60.0, 0.0, 1.0);

  IMatrix inverse = p.mTransform;
  ASSERT_TRUE(inverse.Invert());
  ExpectMaps(inverse, 0.0, 1.0, 40.0, 60.0);
}

TEST(IPatternLinearGradient, CoincidingEndPointsStillGiveAnInvertibleTransform)
{
  const IPattern p = IPattern::CreateLinearGradient(5.f, 5.f, 5.f, 5.f);
  ExpectMaps(p.mTransform, 5.0, 5.0, 0.0, 0.0);
  IMatrix inverse = p.mTransform;
  EXPECT_TRUE(inverse.Invert());
}

TEST(IPatternRadialGradient, TransformMapsTheRadiusToOne)
{
  const IPattern p = IPattern::CreateRadialGradient(100.f, 50.f, 25.f);
  EXPECT_EQ(p.mType, kPatternRadial);
  ExpectMaps(p.mTransform, 100.0, 50.0, 0.0, 0.0);
  ExpectMaps(p.mTransform, 125.0, 50.0, 1.0, 0.0);

  IMatrix zeroRadius = IPattern::CreateRadialGradient(1.f, 1.f, 0.f).mTransform;
  EXPECT_TRUE(zeroRadius.Invert());
}
