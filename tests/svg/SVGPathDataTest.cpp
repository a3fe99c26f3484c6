// Path data: every command, absolute and relative, implicit repeats, smooth reflections, arcs, and the
// rule that an error keeps what came before it.
#include "SVGPathBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using iplug::igraphics::ParseSVGPathData;
using iplug::igraphics::SVGPathBuilder;
using iplug::igraphics::SVGSubpath;

namespace {

std::vector<SVGSubpath> Parse(const char* d, bool* ok = nullptr)
{
  SVGPathBuilder builder;
  const bool result = ParseSVGPathData(d, builder);
  if (ok)
    *ok = result;
  return builder.Take();
}

// The end points of a subpath's segments, after its start point.
std::vector<float> Ends(const SVGSubpath& subpath)
{
  std::vector<float> ends;
  for (size_t i = 0; i < subpath.pts.size(); i += 6)
  {
    ends.push_back(subpath.pts[i]);
    ends.push_back(subpath.pts[i + 1]);
  }
  return ends;
}

TEST(SVGPathData, AbsoluteLinesBecomeCubicsWithThirdPointControls)
{
  const auto paths = Parse("M 0 0 L 30 0");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0].pts, (std::vector<float>{0, 0, 10, 0, 20, 0, 30, 0}));
  EXPECT_FALSE(paths[0].closed);
}

TEST(SVGPathData, RelativeCommandsAddTheCurrentPoint)
{
  const auto paths = Parse("m10 10 l5 0 h5 v5 l-10 0");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(Ends(paths[0]), (std::vector<float>{10, 10, 15, 10, 20, 10, 20, 15, 10, 15}));
}

TEST(SVGPathData, HorizontalAndVerticalAbsolute)
{
  const auto paths = Parse("M1 2H7V9");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(Ends(paths[0]), (std::vector<float>{1, 2, 7, 2, 7, 9}));
}

TEST(SVGPathData, PairsAfterAMoveAreLines)
{
  const auto absolute = Parse("M0 0 10 0 10 10");
  ASSERT_EQ(absolute.size(), 1u);
  EXPECT_EQ(Ends(absolute[0]), (std::vector<float>{0, 0, 10, 0, 10, 10}));
  const auto relative = Parse("m1 1 2 0 0 2");
  ASSERT_EQ(relative.size(), 1u);
  EXPECT_EQ(Ends(relative[0]), (std::vector<float>{1, 1, 3, 1, 3, 3}));
}

TEST(SVGPathData, CompactNumbersSplitAtSignsAndSecondDots)
{
  const auto paths = Parse("M.5.5L-1-2l1e1-1.5e0");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(Ends(paths[0]), (std::vector<float>{0.5f, 0.5f, -1, -2, 9, -3.5f}));
}

TEST(SVGPathData, CubicKeepsItsControlPoints)
{
  const auto paths = Parse("M0 0C1 2 3 4 5 6c1 1 2 2 3 3");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0].pts, (std::vector<float>{0, 0, 1, 2, 3, 4, 5, 6, 6, 7, 7, 8, 8, 9}));
}

TEST(SVGPathData, SmoothCubicReflectsThePreviousSecondControl)
{
  const auto paths = Parse("M0 0 C0 10 10 10 10 0 S20 -10 20 0");
  ASSERT_EQ(paths.size(), 1u);
  const std::vector<float> second(paths[0].pts.begin() + 8, paths[0].pts.end());
  EXPECT_EQ(second, (std::vector<float>{10, -10, 20, -10, 20, 0}));
}

TEST(SVGPathData, SmoothCubicAfterALineStartsAtTheCurrentPoint)
{
  const auto paths = Parse("M0 0 L10 0 S20 10 30 0");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_FLOAT_EQ(paths[0].pts[8], 10.0f);
  EXPECT_FLOAT_EQ(paths[0].pts[9], 0.0f);
}

TEST(SVGPathData, QuadraticIsRaisedToACubic)
{
  const auto paths = Parse("M0 0 Q15 30 30 0");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0].pts, (std::vector<float>{0, 0, 10, 20, 20, 20, 30, 0}));
}

TEST(SVGPathData, SmoothQuadraticReflectsTheControlPoint)
{
  // The reflected control of the T segment is (45, -30); raised to a cubic its controls lie at two
  // thirds of the way from each end towards it.
  const auto paths = Parse("M0 0 Q15 30 30 0 T60 0");
  ASSERT_EQ(paths.size(), 1u);
  const std::vector<float> second(paths[0].pts.begin() + 8, paths[0].pts.end());
  EXPECT_EQ(second, (std::vector<float>{40, -20, 50, -20, 60, 0}));
}

TEST(SVGPathData, CloseReturnsToTheStartAndTheNextSegmentStartsThere)
{
  const auto paths = Parse("M10 10 L20 10 L20 20 Z l5 5");
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_TRUE(paths[0].closed);
  EXPECT_EQ(Ends(paths[0]), (std::vector<float>{10, 10, 20, 10, 20, 20, 10, 10}));
  EXPECT_FALSE(paths[1].closed);
  EXPECT_EQ(Ends(paths[1]), (std::vector<float>{10, 10, 15, 15}));
}

TEST(SVGPathData, CloseAtTheStartAddsNoSegment)
{
  const auto paths = Parse("M0 0 L10 0 L0 0 Z");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0].pts.size(), 2u + 2 * 6);
}

TEST(SVGPathData, AMoveAloneMakesNoSubpath)
{
  EXPECT_TRUE(Parse("M5 5").empty());
  EXPECT_TRUE(Parse("M5 5 M6 6 Z").empty());
}

TEST(SVGPathData, ArcEndsExactlyAtItsEndPointAndStaysOnTheCircle)
{
  // A half circle of radius 10 around (10, 0) with sweep flag 0: counter-clockwise on screen, through (10, 10).
  const auto paths = Parse("M0 0 A10 10 0 0 0 20 0");
  ASSERT_EQ(paths.size(), 1u);
  const auto& pts = paths[0].pts;
  ASSERT_EQ((pts.size() - 2) / 6, 2u);
  EXPECT_FLOAT_EQ(pts[pts.size() - 2], 20.0f);
  EXPECT_FLOAT_EQ(pts[pts.size() - 1], 0.0f);
  // The joint between the two quarter arcs lies on the circle below the centre (y grows downwards).
  EXPECT_NEAR(pts[6], 10.0f, 1e-4);
  EXPECT_NEAR(pts[7], 10.0f, 1e-4);
}

TEST(SVGPathData, ArcFlagsPickTheLargeAndTheOtherSweep)
{
  // From (0, 0) to (10, 0) with radius 10: the small arc bulges by 10 - sqrt(75), the large one by
  // 10 + sqrt(75); the sweep flag picks the side.
  const float small = 10.0f - std::sqrt(75.0f);
  const float large = 10.0f + std::sqrt(75.0f);
  struct Case
  {
    const char* d;
    float extremeY;
  };
  for (const Case& c : {Case{"M0 0 A10 10 0 0 1 10 0", -small}, Case{"M0 0 A10 10 0 0 0 10 0", small},
                        Case{"M0 0 A10 10 0 1 1 10 0", -large}, Case{"M0 0 A10 10 0 1 0 10 0", large}})
  {
    const auto paths = Parse(c.d);
    ASSERT_EQ(paths.size(), 1u) << c.d;
    float extreme = 0.0f;
    const auto& p = paths[0].pts;
    for (size_t i = 0; i + 7 < p.size(); i += 6)
    {
      for (float t = 0.0f; t <= 1.0f; t += 0.01f)
      {
        const float u = 1.0f - t;
        const float y = u * u * u * p[i + 1] + 3 * u * u * t * p[i + 3] + 3 * u * t * t * p[i + 5] + t * t * t * p[i + 7];
        if (std::fabs(y) > std::fabs(extreme))
          extreme = y;
      }
    }
    EXPECT_NEAR(extreme, c.extremeY, 0.05f) << c.d;
  }
}

TEST(SVGPathData, ArcFlagsNeedNoSeparators)
{
  const auto paths = Parse("M0 0a10 10 0 0020 0");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_FLOAT_EQ(paths[0].pts[paths[0].pts.size() - 2], 20.0f);
}

TEST(SVGPathData, ArcWithZeroRadiusIsALine)
{
  const auto paths = Parse("M0 0 A0 5 0 0 1 30 0");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0].pts, (std::vector<float>{0, 0, 10, 0, 20, 0, 30, 0}));
}

TEST(SVGPathData, ArcRadiiTooSmallAreScaledUpToReachTheEnd)
{
  // Radius 1 cannot span 20 units: it grows to 10, giving the same half circle as radius 10.
  const auto paths = Parse("M0 0 A1 1 0 0 0 20 0");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_NEAR(paths[0].pts[7], 10.0f, 1e-3);
}

TEST(SVGPathData, AnErrorKeepsWhatCameBefore)
{
  bool ok = true;
  const auto paths = Parse("M0 0 L10 0 L20 # L30 0", &ok);
  EXPECT_FALSE(ok);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(Ends(paths[0]), (std::vector<float>{0, 0, 10, 0}));
}

TEST(SVGPathData, DataMustStartWithAMove)
{
  bool ok = true;
  EXPECT_TRUE(Parse("L10 10 20 20", &ok).empty());
  EXPECT_FALSE(ok);
}

TEST(SVGPathData, NumbersAfterCloseAreAnError)
{
  bool ok = true;
  const auto paths = Parse("M0 0 L5 5 Z 7 7", &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(paths.size(), 1u);
}

TEST(SVGPathData, OutOfRangeNumbersStopTheData)
{
  bool ok = true;
  const auto paths = Parse("M0 0 L1 1 L1e39 0", &ok);
  EXPECT_FALSE(ok);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(Ends(paths[0]), (std::vector<float>{0, 0, 1, 1}));
}

TEST(SVGPathData, NullAndEmptyDataDrawNothing)
{
  bool ok = false;
  EXPECT_TRUE(Parse(nullptr, &ok).empty());
  EXPECT_TRUE(ok);
  EXPECT_TRUE(Parse("   ", &ok).empty());
  EXPECT_TRUE(ok);
}

} // namespace
