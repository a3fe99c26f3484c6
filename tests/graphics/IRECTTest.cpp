#include <gtest/gtest.h>

#include <limits>

#include "IRECT.h"

using iplug::igraphics::IRECT;

TEST(IRECTEmpty, OnlyTheAllZeroRectangleIsEmpty)
{
  EXPECT_TRUE(IRECT().Empty());
  EXPECT_FALSE(IRECT(5.f, 5.f, 5.f, 10.f).Empty()); // zero width away from the origin
  EXPECT_FALSE(IRECT(0.f, 0.f, 0.f, 1.f).Empty());
}

TEST(IRECTContainsPoint, LeftAndTopEdgesAreInsideRightAndBottomAreNot)
{
  const IRECT r(10.f, 20.f, 30.f, 40.f);
  EXPECT_TRUE(r.Contains(10.f, 20.f));
  EXPECT_TRUE(r.Contains(29.99f, 39.99f));
  EXPECT_FALSE(r.Contains(30.f, 25.f));
  EXPECT_FALSE(r.Contains(15.f, 40.f));
  EXPECT_FALSE(r.Contains(9.99f, 25.f));
}

TEST(IRECTContainsPoint, EmptyRectangleContainsNothing)
{
  EXPECT_FALSE(IRECT().Contains(0.f, 0.f));
}

TEST(IRECTContainsRect, CoincidingEdgesCountButEmptyOperandsNever)
{
  const IRECT r(0.f, 0.f, 10.f, 10.f);
  EXPECT_TRUE(r.Contains(r));
  EXPECT_TRUE(r.Contains(IRECT(2.f, 2.f, 10.f, 10.f)));
  EXPECT_FALSE(r.Contains(IRECT(2.f, 2.f, 10.5f, 10.f)));
  EXPECT_FALSE(r.Contains(IRECT()));
  EXPECT_FALSE(IRECT().Contains(IRECT()));
}

TEST(IRECTIntersects, TouchingThisRectanglesRightOrBottomEdgeCounts)
{
  const IRECT a(0.f, 0.f, 10.f, 10.f);
  EXPECT_TRUE(a.Intersects(IRECT(10.f, 0.f, 20.f, 10.f)));
  EXPECT_TRUE(a.Intersects(IRECT(0.f, 10.f, 10.f, 20.f)));
  // The same contact seen from the other rectangle is no intersection.
  EXPECT_FALSE(IRECT(10.f, 0.f, 20.f, 10.f).Intersects(a));
  EXPECT_FALSE(a.Intersects(IRECT(10.5f, 0.f, 20.f, 10.f)));
  EXPECT_FALSE(a.Intersects(IRECT()));
}

TEST(IRECTIntersect, OverlapOrEmpty)
{
  const IRECT a(0.f, 0.f, 10.f, 10.f);
  EXPECT_EQ(a.Intersect(IRECT(5.f, -5.f, 15.f, 5.f)), IRECT(5.f, 0.f, 10.f, 5.f));
  EXPECT_TRUE(a.Intersect(IRECT(20.f, 20.f, 30.f, 30.f)).Empty());
}

TEST(IRECTUnion, EmptyOperandContributesNothing)
{
  const IRECT a(5.f, 5.f, 10.f, 10.f);
  EXPECT_EQ(a.Union(IRECT()), a);
  EXPECT_EQ(IRECT().Union(a), a);
  EXPECT_EQ(a.Union(IRECT(20.f, 0.f, 25.f, 6.f)), IRECT(5.f, 0.f, 25.f, 10.f));
}

TEST(IRECTMergeable, SameColumnTouchingOrOverlapping)
{
  const IRECT a(0.f, 0.f, 10.f, 10.f);
  EXPECT_TRUE(a.Mergeable(IRECT(0.f, 10.f, 10.f, 20.f)));
  EXPECT_TRUE(IRECT(0.f, 10.f, 10.f, 20.f).Mergeable(a));
  EXPECT_TRUE(a.Mergeable(IRECT(0.f, 5.f, 10.f, 20.f)));
  EXPECT_FALSE(a.Mergeable(IRECT(0.f, 10.001f, 10.f, 20.f)));
  EXPECT_FALSE(a.Mergeable(IRECT(0.f, 10.f, 10.5f, 20.f)));
}

TEST(IRECTMergeable, SameRowTouchingOrOverlapping)
{
  const IRECT a(0.f, 0.f, 10.f, 10.f);
  EXPECT_TRUE(a.Mergeable(IRECT(10.f, 0.f, 20.f, 10.f)));
  EXPECT_TRUE(IRECT(10.f, 0.f, 20.f, 10.f).Mergeable(a));
  EXPECT_FALSE(a.Mergeable(IRECT(11.f, 0.f, 20.f, 10.f)));
}

TEST(IRECTMergeable, EmptyIsMergeableWithAnything)
{
  EXPECT_TRUE(IRECT().Mergeable(IRECT(3.f, 4.f, 50.f, 60.f)));
  EXPECT_TRUE(IRECT(3.f, 4.f, 50.f, 60.f).Mergeable(IRECT()));
}

TEST(IRECTGetPadded, NegativePaddingShrinks)
{
  EXPECT_EQ(IRECT(10.f, 10.f, 20.f, 20.f).GetPadded(0.75f), IRECT(9.25f, 9.25f, 20.75f, 20.75f));
  EXPECT_EQ(IRECT(10.f, 10.f, 20.f, 20.f).GetPadded(-2.f), IRECT(12.f, 12.f, 18.f, 18.f));
}

TEST(IRECTPixelAlign, WholeUnitsGrowOutwards)
{
  EXPECT_EQ(IRECT(0.3f, -0.3f, 10.2f, 10.f).GetPixelAligned(), IRECT(0.f, -1.f, 11.f, 10.f));
}

TEST(IRECTPixelAlign, AtScaleTwoSnapsToHalfUnits)
{
  IRECT r(0.3f, 0.3f, 10.2f, 10.2f);
  r.PixelAlign(2.f);
  EXPECT_EQ(r, IRECT(0.f, 0.f, 10.5f, 10.5f));
}

TEST(IRECTPixelAlign, InvalidScaleAlignsToWholeUnits)
{
  const IRECT r(0.3f, 0.3f, 10.2f, 10.2f);
  const IRECT whole(0.f, 0.f, 11.f, 11.f);
  EXPECT_EQ(r.GetPixelAligned(0.f), whole);
  EXPECT_EQ(r.GetPixelAligned(-2.f), whole);
  EXPECT_EQ(r.GetPixelAligned(std::numeric_limits<float>::quiet_NaN()), whole);
  EXPECT_EQ(r.GetPixelAligned(std::numeric_limits<float>::infinity()), whole);
}

TEST(IRECTMeasures, WidthHeightAndCentres)
{
  const IRECT r(10.f, 20.f, 40.f, 30.f);
  EXPECT_FLOAT_EQ(r.W(), 30.f);
  EXPECT_FLOAT_EQ(r.H(), 10.f);
  EXPECT_FLOAT_EQ(r.MW(), 25.f);
  EXPECT_FLOAT_EQ(r.MH(), 25.f);
}
