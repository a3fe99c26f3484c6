// The document as a whole: size, viewBox and aspect ratio, units and dpi, group transforms, use,
// and malformed documents.
#include "SVGTestSupport.h"

#include "SVGTransform.h"

namespace iplug::igraphics::test {
namespace {

std::vector<float> Bounds(const NSVGshape* shape)
{
  return std::vector<float>(shape->bounds, shape->bounds + 4);
}

TEST(SVGDocument, SizeComesFromWidthAndHeight)
{
  const auto image = ParseSVG("<svg width='120' height='80'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 120.0f);
  EXPECT_EQ(image->height, 80.0f);
  EXPECT_EQ(image->shapes, nullptr);
}

TEST(SVGDocument, ViewBoxScalesContentIntoTheSize)
{
  const auto image = ParseSVG("<svg width='200' height='100' viewBox='10 10 100 50'><rect x='10' y='10' width='50' height='25'/></svg>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 200.0f);
  EXPECT_EQ(Bounds(image->shapes), (std::vector<float>{0, 0, 100, 50}));
}

TEST(SVGDocument, ViewBoxAloneGivesTheSize)
{
  const auto image = ParseSVG("<svg viewBox='0 0 24 16'><rect width='24' height='16'/></svg>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 24.0f);
  EXPECT_EQ(image->height, 16.0f);
}

TEST(SVGDocument, PreserveAspectRatioMeetCentresByDefault)
{
  // A square viewBox in a 200 x 100 viewport scales by 1 and is centred horizontally.
  const auto image = ParseSVG("<svg width='200' height='100' viewBox='0 0 100 100'><rect width='100' height='100'/></svg>");
  ASSERT_TRUE(image);
  EXPECT_EQ(Bounds(image->shapes), (std::vector<float>{50, 0, 150, 100}));
}

TEST(SVGDocument, PreserveAspectRatioAlignmentsSliceAndNone)
{
  struct Case
  {
    const char* value;
    std::vector<float> bounds;
  };
  for (const Case& c : {Case{"xMinYMin meet", {0, 0, 100, 100}}, Case{"xMaxYMid", {100, 0, 200, 100}},
                        Case{"xMidYMin slice", {0, 0, 200, 200}}, Case{"xMidYMax slice", {0, -100, 200, 100}},
                        Case{"none", {0, 0, 200, 100}}})
  {
    const auto image = ParseSVG(std::string("<svg width='200' height='100' viewBox='0 0 100 100' preserveAspectRatio='") + c.value +
                                "'><rect width='100' height='100'/></svg>");
    ASSERT_TRUE(image) << c.value;
    EXPECT_EQ(Bounds(image->shapes), c.bounds) << c.value;
  }
}

TEST(SVGDocument, WithoutAnySizeTheContentExtentIsTheDocument)
{
  const auto image = ParseSVG("<svg><rect x='10' y='20' width='30' height='5'/></svg>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 30.0f);
  EXPECT_EQ(image->height, 5.0f);
  EXPECT_EQ(Bounds(image->shapes), (std::vector<float>{0, 0, 30, 5}));
}

TEST(SVGDocument, PhysicalUnitsConvertAtTheDpi)
{
  // One inch at 96 dpi is 96 px; asked for in points, the same inch is 72 units.
  const auto pixels = ParseSVG("<svg width='1in' height='2.54cm'/>", "px", 96.0f);
  ASSERT_TRUE(pixels);
  EXPECT_FLOAT_EQ(pixels->width, 96.0f);
  EXPECT_FLOAT_EQ(pixels->height, 96.0f);
  const auto points = ParseSVG("<svg width='1in' height='25.4mm' viewBox='0 0 10 10'><rect width='10' height='10'/></svg>", "pt", 96.0f);
  ASSERT_TRUE(points);
  EXPECT_FLOAT_EQ(points->width, 72.0f);
  EXPECT_FLOAT_EQ(points->height, 72.0f);
  EXPECT_FLOAT_EQ(points->shapes->bounds[2], 72.0f);
  const auto picas = ParseSVG("<svg width='6pc' height='72pt'/>", "in", 72.0f);
  ASSERT_TRUE(picas);
  EXPECT_FLOAT_EQ(picas->width, 1.0f);
  EXPECT_FLOAT_EQ(picas->height, 1.0f);
}

TEST(SVGDocument, EmAndExAreApproximatedFromASixteenPixelFont)
{
  const auto image = ParseSVG("<svg width='2em' height='3ex'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 32.0f);
  EXPECT_EQ(image->height, 24.0f);
}

TEST(SVGDocument, PercentageSizeFallsBackToTheViewBox)
{
  const auto image = ParseSVG("<svg width='100%' height='100%' viewBox='0 0 40 30'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 40.0f);
  EXPECT_EQ(image->height, 30.0f);
}

TEST(SVGDocument, GroupTransformsCompose)
{
  const auto image = ParseBody("<g transform='translate(10,20)'><g transform='scale(2 3)'><rect width='1' height='1'/></g></g>");
  ASSERT_TRUE(image);
  EXPECT_EQ(Bounds(image->shapes), (std::vector<float>{10, 20, 12, 23}));
}

TEST(SVGDocument, RotationAboutACentre)
{
  const auto image = ParseBody("<rect x='10' y='10' width='10' height='2' transform='rotate(90 10 10)'/>");
  ASSERT_TRUE(image);
  const auto bounds = Bounds(image->shapes);
  EXPECT_NEAR(bounds[0], 8.0f, 1e-4);
  EXPECT_NEAR(bounds[1], 10.0f, 1e-4);
  EXPECT_NEAR(bounds[2], 10.0f, 1e-4);
  EXPECT_NEAR(bounds[3], 20.0f, 1e-4);
}

TEST(SVGDocument, TransformListItems)
{
  IMatrix m;
  ASSERT_TRUE(ParseSVGTransform("matrix(1 2 3 4 5 6)", m));
  EXPECT_EQ(m, IMatrix(1, 2, 3, 4, 5, 6));
  ASSERT_TRUE(ParseSVGTransform("translate(5)", m));
  EXPECT_EQ(m, IMatrix(1, 0, 0, 1, 5, 0));
  ASSERT_TRUE(ParseSVGTransform("scale(3)", m));
  EXPECT_EQ(m, IMatrix(3, 0, 0, 3, 0, 0));
  ASSERT_TRUE(ParseSVGTransform("skewX(45)", m));
  EXPECT_NEAR(m.mC, 1.0, 1e-9);
  ASSERT_TRUE(ParseSVGTransform("skewY(45)", m));
  EXPECT_NEAR(m.mB, 1.0, 1e-9);
  // The first item is outermost: a point is scaled, then translated.
  ASSERT_TRUE(ParseSVGTransform("translate(10 0), scale(2)", m));
  double x = 1, y = 1;
  m.TransformPoint(x, y);
  EXPECT_EQ(x, 12.0);
  EXPECT_EQ(y, 2.0);
}

TEST(SVGDocument, MalformedTransformsCountAsNone)
{
  IMatrix m(2, 0, 0, 2, 0, 0);
  EXPECT_FALSE(ParseSVGTransform("rotate(1 2)", m));
  EXPECT_FALSE(ParseSVGTransform("scale(1", m));
  EXPECT_FALSE(ParseSVGTransform("shear(1)", m));
  EXPECT_EQ(m, IMatrix(2, 0, 0, 2, 0, 0));
  const auto image = ParseBody("<rect width='1' height='1' transform='translate(5,5) bogus(1)'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(Bounds(image->shapes), (std::vector<float>{0, 0, 1, 1}));
}

TEST(SVGDocument, UseDrawsItsTargetMovedByXAndY)
{
  const auto image = ParseBody("<defs><rect id='r' width='2' height='2' fill='red'/>"
                               "<symbol id='s'><circle cx='1' cy='1' r='1'/></symbol></defs>"
                               "<use href='#r' x='10' y='5'/><use xlink:href='#s' transform='translate(20 0)' fill='blue'/>");
  ASSERT_TRUE(image);
  ASSERT_EQ(CountShapes(image.get()), 2);
  EXPECT_EQ(Bounds(image->shapes), (std::vector<float>{10, 5, 12, 7}));
  EXPECT_EQ(image->shapes->fill.color, RGBA(255, 0, 0));
  EXPECT_EQ(Bounds(image->shapes->next), (std::vector<float>{20, 0, 22, 2}));
  EXPECT_EQ(image->shapes->next->fill.color, RGBA(0, 0, 255));
}

TEST(SVGDocument, UseCyclesAndMissingTargetsDrawNothing)
{
  const auto image = ParseBody("<g id='a'><use href='#b'/></g><g id='b'><use href='#a'/></g>"
                               "<g id='self'><use href='#self'/></g><use href='#nowhere'/><rect width='1' height='1'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(CountShapes(image.get()), 1);
}

TEST(SVGDocument, NestedUsesAreBounded)
{
  // Every level doubles the copies: without a bound this would be 2^30 rectangles.
  std::string body = "<defs><rect id='l0' width='1' height='1'/>";
  for (int level = 1; level <= 30; ++level)
    body += "<g id='l" + std::to_string(level) + "'><use href='#l" + std::to_string(level - 1) + "'/><use href='#l" +
            std::to_string(level - 1) + "'/></g>";
  body += "</defs><use href='#l30'/>";
  const auto image = ParseBody(body);
  ASSERT_TRUE(image);
  EXPECT_LE(CountShapes(image.get()), 1 << 18);
}

TEST(SVGDocument, NamespacePrefixedElementsAreRead)
{
  const auto image = ParseSVG("<svg:svg xmlns:svg='http://www.w3.org/2000/svg' width='10' height='10'><svg:rect width='2' height='2'/></svg:svg>");
  ASSERT_TRUE(image);
  EXPECT_EQ(CountShapes(image.get()), 1);
}

TEST(SVGDocument, MalformedDocumentsGiveNull)
{
  for (const char* text : {"", "   ", "not xml at all", "<svg width='10' height='10'>", "<svg><rect></svg>",
                           "<html width='10' height='10'/>", "<svg/>", "<svg width='0' height='0'/>",
                           "<?xml version='1.0'?><!-- only a comment -->"})
  {
    EXPECT_FALSE(ParseSVG(text)) << text;
  }
  EXPECT_EQ(nsvgParse(nullptr, "px", 96.0f), nullptr);
}

TEST(SVGDocument, InputIsNotModified)
{
  std::string text = "<svg width='10' height='10'><rect width='1' height='1'/></svg>";
  const std::string copy = text;
  NSVGimage* image = nsvgParse(text.data(), "px", 96.0f);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(text, copy);
  nsvgDelete(image);
}

TEST(SVGDocument, UnknownUnitsAndBadDpiFallBack)
{
  const auto image = ParseSVG("<svg width='1in' height='1in'/>", "furlong", -5.0f);
  ASSERT_TRUE(image);
  // A dpi below 1 is raised to 1, and unknown units are pixels.
  EXPECT_FLOAT_EQ(image->width, 1.0f);
}

} // namespace
} // namespace iplug::igraphics::test
