// Each drawing element turns into the cubic outline its geometry defines.
#include "SVGTestSupport.h"

#include <cmath>

namespace iplug::igraphics::test {
namespace {

TEST(SVGShapeElements, RectIsAClosedFourSidedPath)
{
  const auto image = ParseBody("<rect x='10' y='20' width='30' height='40'/>");
  ASSERT_TRUE(image);
  ASSERT_EQ(CountShapes(image.get()), 1);
  const NSVGpath* path = image->shapes->paths;
  ASSERT_EQ(CountPaths(image->shapes), 1);
  EXPECT_TRUE(path->closed);
  EXPECT_EQ(OnCurvePoints(path), (std::vector<float>{10, 20, 40, 20, 40, 60, 10, 60, 10, 20}));
  EXPECT_EQ((std::vector<float>(path->bounds, path->bounds + 4)), (std::vector<float>{10, 20, 40, 60}));
  EXPECT_EQ((std::vector<float>(image->shapes->bounds, image->shapes->bounds + 4)), (std::vector<float>{10, 20, 40, 60}));
}

TEST(SVGShapeElements, RoundedRectCornersAreQuarterEllipses)
{
  const auto image = ParseBody("<rect x='0' y='0' width='40' height='20' rx='5' ry='4'/>");
  ASSERT_TRUE(image);
  const NSVGpath* path = image->shapes->paths;
  EXPECT_EQ(OnCurvePoints(path), (std::vector<float>{5, 0, 35, 0, 40, 4, 40, 16, 35, 20, 5, 20, 0, 16, 0, 4, 5, 0}));
  // The middle of the top-right corner lies on the ellipse of radii 5, 4 around (35, 4).
  float x = 0, y = 0;
  PointOnSegment(path, 1, 0.5f, x, y);
  EXPECT_NEAR((x - 35) * (x - 35) / 25 + (y - 4) * (y - 4) / 16, 1.0f, 1e-3);
}

TEST(SVGShapeElements, RectWithOnlyRxUsesItForBothRadiiAndClampsToHalfTheSide)
{
  const auto image = ParseBody("<rect width='10' height='40' rx='8'/>");
  ASSERT_TRUE(image);
  // rx clamps to 5 (half the width); ry takes rx's value 8, which fits into half the height.
  const auto points = OnCurvePoints(image->shapes->paths);
  EXPECT_EQ(points, (std::vector<float>{5, 0, 10, 8, 10, 32, 5, 40, 0, 32, 0, 8, 5, 0}));
}

TEST(SVGShapeElements, RectWithoutAreaDrawsNothing)
{
  const auto image = ParseBody("<rect width='0' height='10'/><rect width='10' height='-1'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(CountShapes(image.get()), 0);
}

TEST(SVGShapeElements, CircleStaysOnItsRadius)
{
  const auto image = ParseBody("<circle cx='50' cy='40' r='10'/>");
  ASSERT_TRUE(image);
  const NSVGpath* path = image->shapes->paths;
  ASSERT_EQ(path->npts, 13);
  EXPECT_TRUE(path->closed);
  for (int segment = 0; segment < 4; ++segment)
  {
    for (float t : {0.0f, 0.25f, 0.5f, 0.75f})
    {
      float x = 0, y = 0;
      PointOnSegment(path, segment, t, x, y);
      EXPECT_NEAR(std::hypot(x - 50, y - 40), 10.0f, 0.003f);
    }
  }
  EXPECT_EQ((std::vector<float>(path->bounds, path->bounds + 4)), (std::vector<float>{40, 30, 60, 50}));
}

TEST(SVGShapeElements, EllipseHasItsTwoRadii)
{
  const auto image = ParseBody("<ellipse cx='20' cy='30' rx='15' ry='5'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(OnCurvePoints(image->shapes->paths), (std::vector<float>{35, 30, 20, 35, 5, 30, 20, 25, 35, 30}));
}

TEST(SVGShapeElements, CircleOrEllipseWithoutRadiusDrawsNothing)
{
  const auto image = ParseBody("<circle r='0'/><ellipse rx='4'/><circle r='-3'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(CountShapes(image.get()), 0);
}

TEST(SVGShapeElements, LineIsOneOpenSegment)
{
  const auto image = ParseBody("<line x1='1' y1='2' x2='7' y2='11' stroke='black'/>");
  ASSERT_TRUE(image);
  const NSVGpath* path = image->shapes->paths;
  EXPECT_FALSE(path->closed);
  EXPECT_EQ(std::vector<float>(path->pts, path->pts + 8), (std::vector<float>{1, 2, 3, 5, 5, 8, 7, 11}));
}

TEST(SVGShapeElements, PolylineStaysOpenAndPolygonCloses)
{
  const auto image = ParseBody("<polyline points='0,0 10,0 10,10'/><polygon points='0 0,10 0 10 10'/>");
  ASSERT_TRUE(image);
  ASSERT_EQ(CountShapes(image.get()), 2);
  const NSVGshape* polyline = image->shapes;
  const NSVGshape* polygon = polyline->next;
  EXPECT_FALSE(polyline->paths->closed);
  EXPECT_EQ(OnCurvePoints(polyline->paths), (std::vector<float>{0, 0, 10, 0, 10, 10}));
  EXPECT_TRUE(polygon->paths->closed);
  EXPECT_EQ(OnCurvePoints(polygon->paths), (std::vector<float>{0, 0, 10, 0, 10, 10, 0, 0}));
}

TEST(SVGShapeElements, PolygonWithAnOddNumberKeepsTheWholePairs)
{
  const auto image = ParseBody("<polyline points='0 0 5 5 9'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(OnCurvePoints(image->shapes->paths), (std::vector<float>{0, 0, 5, 5}));
}

TEST(SVGShapeElements, PathWithSeveralSubpathsKeepsThemInOrder)
{
  const auto image = ParseBody("<path id='ring' fill-rule='evenodd' d='M0 0H20V20H0Z M5 5H15V15H5Z'/>");
  ASSERT_TRUE(image);
  ASSERT_EQ(CountPaths(image->shapes), 2);
  EXPECT_STREQ(image->shapes->id, "ring");
  EXPECT_EQ(image->shapes->fillRule, NSVG_FILLRULE_EVENODD);
  EXPECT_EQ(image->shapes->paths->next->pts[0], 5.0f);
}

TEST(SVGShapeElements, PercentagesReferToTheViewport)
{
  const auto image = ParseBody("<rect x='10%' y='50%' width='50%' height='25%'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ((std::vector<float>(image->shapes->bounds, image->shapes->bounds + 4)), (std::vector<float>{10, 50, 60, 75}));
}

TEST(SVGShapeElements, LongIdsAreCut)
{
  const std::string id(100, 'x');
  const auto image = ParseBody("<rect id='" + id + "' width='1' height='1'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(std::string(image->shapes->id), id.substr(0, 63));
}

TEST(SVGShapeElements, ElementsThatDrawNothingHereAreSkipped)
{
  const auto image = ParseBody("<text x='1' y='1'>Hi</text><image width='5' height='5' href='a.png'/>"
                               "<defs><rect width='5' height='5'/></defs><rect width='2' height='2'/>");
  ASSERT_TRUE(image);
  ASSERT_EQ(CountShapes(image.get()), 1);
  EXPECT_EQ(image->shapes->bounds[2], 2.0f);
}

} // namespace
} // namespace iplug::igraphics::test
