// Gradients: the transform from document space into gradient space (where a linear gradient runs from
// (0, 0) to (0, 1) and a radial one has radius 1 around the origin), units, spread, stops and href
// inheritance. Expected positions follow from the gradient's geometry by hand.
#include "SVGTestSupport.h"

namespace iplug::igraphics::test {
namespace {

constexpr float kTolerance = 1e-4f;

void ExpectMaps(const NSVGgradient* gradient, float x, float y, float gx, float gy)
{
  float mx = 0, my = 0;
  ToGradientSpace(gradient, x, y, mx, my);
  EXPECT_NEAR(mx, gx, kTolerance) << "(" << x << ", " << y << ")";
  EXPECT_NEAR(my, gy, kTolerance) << "(" << x << ", " << y << ")";
}

const char* const kStops = "<stop offset='0' stop-color='red'/><stop offset='1' stop-color='blue'/>";

TEST(SVGGradient, LinearInUserSpaceRunsFromStartToEndPoint)
{
  const auto image = ParseBody(std::string("<linearGradient id='g' gradientUnits='userSpaceOnUse' x1='10' y1='20' x2='50' y2='20'>") +
                               kStops + "</linearGradient><rect width='100' height='100' fill='url(#g)'/>");
  ASSERT_TRUE(image);
  const NSVGpaint& fill = image->shapes->fill;
  ASSERT_EQ(fill.type, NSVG_PAINT_LINEAR_GRADIENT);
  ExpectMaps(fill.gradient, 10, 20, 0, 0);
  ExpectMaps(fill.gradient, 50, 20, 0, 1);
  ExpectMaps(fill.gradient, 30, 70, -1.25f, 0.5f);
  EXPECT_EQ(fill.gradient->spread, NSVG_SPREAD_PAD);
}

TEST(SVGGradient, LinearDefaultsToTheBoundingBoxFromLeftToRight)
{
  const auto image = ParseBody(std::string("<linearGradient id='g'>") + kStops +
                               "</linearGradient><rect x='20' y='10' width='40' height='10' fill='url(#g)'/>");
  ASSERT_TRUE(image);
  const NSVGgradient* gradient = image->shapes->fill.gradient;
  ASSERT_EQ(image->shapes->fill.type, NSVG_PAINT_LINEAR_GRADIENT);
  ExpectMaps(gradient, 20, 10, 0, 0);
  ExpectMaps(gradient, 60, 10, 0, 1);
  ExpectMaps(gradient, 40, 15, -0.5f, 0.5f);
}

TEST(SVGGradient, BoundingBoxUnitsStretchWithTheBox)
{
  // A diagonal gradient in a 40 x 10 box runs from the top-left to the bottom-right corner.
  const auto image = ParseBody(std::string("<linearGradient id='g' x1='0' y1='0' x2='100%' y2='100%'>") + kStops +
                               "</linearGradient><rect x='20' y='10' width='40' height='10' fill='url(#g)'/>");
  ASSERT_TRUE(image);
  const NSVGgradient* gradient = image->shapes->fill.gradient;
  ExpectMaps(gradient, 20, 10, 0, 0);
  ExpectMaps(gradient, 60, 20, 0, 1);
}

TEST(SVGGradient, RadialHasItsCentreAtTheOriginAndRadiusOne)
{
  const auto image = ParseBody(std::string("<radialGradient id='g' gradientUnits='userSpaceOnUse' cx='30' cy='40' r='10' fx='35' fy='40'>") +
                               kStops + "</radialGradient><circle cx='30' cy='40' r='10' fill='url(#g)'/>");
  ASSERT_TRUE(image);
  const NSVGpaint& fill = image->shapes->fill;
  ASSERT_EQ(fill.type, NSVG_PAINT_RADIAL_GRADIENT);
  ExpectMaps(fill.gradient, 30, 40, 0, 0);
  ExpectMaps(fill.gradient, 40, 40, 1, 0);
  ExpectMaps(fill.gradient, 30, 30, 0, -1);
  EXPECT_NEAR(fill.gradient->fx, 0.5f, kTolerance);
  EXPECT_NEAR(fill.gradient->fy, 0.0f, kTolerance);
}

TEST(SVGGradient, RadialFocalPointOutsideTheCircleMovesOntoItsEdge)
{
  const auto image = ParseBody(std::string("<radialGradient id='g' gradientUnits='userSpaceOnUse' cx='0' cy='0' r='10' fx='0' fy='30'>") +
                               kStops + "</radialGradient><rect width='5' height='5' fill='url(#g)'/>");
  ASSERT_TRUE(image);
  EXPECT_NEAR(image->shapes->fill.gradient->fx, 0.0f, kTolerance);
  EXPECT_NEAR(image->shapes->fill.gradient->fy, 1.0f, kTolerance);
}

TEST(SVGGradient, GradientTransformAndShapeTransformBothApply)
{
  const auto image = ParseBody(std::string("<linearGradient id='g' gradientUnits='userSpaceOnUse' x1='0' y1='0' x2='10' y2='0' "
                                           "gradientTransform='translate(5 0)'>") +
                               kStops + "</linearGradient><g transform='scale(2)'><rect width='20' height='20' fill='url(#g)'/></g>");
  ASSERT_TRUE(image);
  const NSVGgradient* gradient = image->shapes->fill.gradient;
  // The gradient starts at user x = 5 and ends at x = 15, which the group scales to 10 and 30.
  ExpectMaps(gradient, 10, 0, 0, 0);
  ExpectMaps(gradient, 30, 0, 0, 1);
}

TEST(SVGGradient, SpreadMethodsAreKept)
{
  const auto image = ParseBody(std::string("<linearGradient id='r' spreadMethod='reflect'>") + kStops +
                               "</linearGradient><linearGradient id='p' spreadMethod='repeat'>" + kStops +
                               "</linearGradient><rect width='5' height='5' fill='url(#r)'/><rect width='5' height='5' fill='url(#p)'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->shapes->fill.gradient->spread, NSVG_SPREAD_REFLECT);
  EXPECT_EQ(image->shapes->next->fill.gradient->spread, NSVG_SPREAD_REPEAT);
}

TEST(SVGGradient, StopsCarryColourOpacityAndOrderedOffsets)
{
  const auto image = ParseBody("<linearGradient id='g'><stop offset='20%' stop-color='#ff0000' stop-opacity='0.5'/>"
                               "<stop offset='0.1' style='stop-color:lime'/><stop offset='2' stop-color='blue'/></linearGradient>"
                               "<rect width='5' height='5' fill='url(#g)' fill-opacity='0.5'/>");
  ASSERT_TRUE(image);
  const NSVGgradient* gradient = image->shapes->fill.gradient;
  ASSERT_EQ(gradient->nstops, 3);
  EXPECT_FLOAT_EQ(gradient->stops[0].offset, 0.2f);
  EXPECT_EQ(gradient->stops[0].color, RGBA(255, 0, 0, 64));
  // An offset below the previous one is raised to it; above 1 is clamped.
  EXPECT_FLOAT_EQ(gradient->stops[1].offset, 0.2f);
  EXPECT_EQ(gradient->stops[1].color, RGBA(0, 255, 0, 128));
  EXPECT_FLOAT_EQ(gradient->stops[2].offset, 1.0f);
}

TEST(SVGGradient, HrefInheritsStopsAndAttributes)
{
  const auto image = ParseBody(std::string("<linearGradient id='base' gradientUnits='userSpaceOnUse' x2='10' spreadMethod='repeat'>") +
                               kStops + "</linearGradient><linearGradient id='derived' xlink:href='#base' x1='5'/>"
                                        "<rect width='5' height='5' fill='url(#derived)'/>");
  ASSERT_TRUE(image);
  const NSVGpaint& fill = image->shapes->fill;
  ASSERT_EQ(fill.type, NSVG_PAINT_LINEAR_GRADIENT);
  EXPECT_EQ(fill.gradient->nstops, 2);
  EXPECT_EQ(fill.gradient->spread, NSVG_SPREAD_REPEAT);
  ExpectMaps(fill.gradient, 5, 0, 0, 0);
  ExpectMaps(fill.gradient, 10, 0, 0, 1);
}

TEST(SVGGradient, HrefCyclesEndTheChain)
{
  const auto image = ParseBody("<linearGradient id='a' href='#b'/><linearGradient id='b' href='#a'/>"
                               "<rect width='5' height='5' fill='url(#a)'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->shapes->fill.type, NSVG_PAINT_NONE);
}

TEST(SVGGradient, OneStopPaintsItsColour)
{
  const auto image = ParseBody("<radialGradient id='g'><stop offset='0.3' stop-color='#123456'/></radialGradient>"
                               "<rect width='5' height='5' stroke='url(#g)'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->shapes->stroke.type, NSVG_PAINT_COLOR);
  EXPECT_EQ(image->shapes->stroke.color, RGBA(0x12, 0x34, 0x56));
}

TEST(SVGGradient, WithoutStopsNothingIsPainted)
{
  const auto image = ParseBody("<linearGradient id='g'/><rect width='5' height='5' fill='url(#g) red'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->shapes->fill.type, NSVG_PAINT_NONE);
}

TEST(SVGGradient, ZeroLengthLinearPaintsTheLastStop)
{
  const auto image = ParseBody(std::string("<linearGradient id='g' x1='0.5' x2='0.5'>") + kStops +
                               "</linearGradient><rect width='5' height='5' fill='url(#g)'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->shapes->fill.type, NSVG_PAINT_COLOR);
  EXPECT_EQ(image->shapes->fill.color, RGBA(0, 0, 255));
}

TEST(SVGGradient, BoundingBoxUnitsOnAFlatShapePaintNothing)
{
  const auto image = ParseBody(std::string("<linearGradient id='g'>") + kStops +
                               "</linearGradient><line x1='0' y1='5' x2='10' y2='5' stroke='url(#g)'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->shapes->stroke.type, NSVG_PAINT_NONE);
}

TEST(SVGGradient, GradientsFollowTheViewBoxScaling)
{
  const auto image = ParseSVG(std::string("<svg width='200' height='200' viewBox='0 0 100 100'><linearGradient id='g' "
                                          "gradientUnits='userSpaceOnUse' x1='10' y1='0' x2='20' y2='0'>") +
                              kStops + "</linearGradient><rect width='50' height='50' fill='url(#g)'/></svg>");
  ASSERT_TRUE(image);
  ExpectMaps(image->shapes->fill.gradient, 20, 0, 0, 0);
  ExpectMaps(image->shapes->fill.gradient, 40, 0, 0, 1);
}

} // namespace
} // namespace iplug::igraphics::test
