#include "graphics_pixels/PixelTestSupport.h"

#include <cstring>

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

// SVG documents drawn through the path operations, compared with arithmetic for axis-aligned shapes and
// with cairo for curves and gradients (same tolerances as the shape tests).

namespace
{
constexpr int kW = 100;
constexpr int kH = 80;

class SVGPixelTest : public ::testing::Test
{
protected:
  void SetUp() override { ASSERT_TRUE(mCanvas.Open()) << "no EGL surfaceless OpenGL context on this machine"; }

  // The document text parsed and drawn into bounds.
  RGBAImage Draw(const char* name, const char* text, const IRECT& bounds)
  {
    const ISVG svg = mCanvas.G().LoadSVG(name, text, static_cast<int>(std::strlen(text)), "px", 72.f);
    EXPECT_TRUE(svg.IsValid());
    return mCanvas.Render([&](IGraphics& g) { g.DrawSVG(svg, bounds); });
  }

  OffscreenCanvas mCanvas{kW, kH};
};
} // namespace

TEST_F(SVGPixelTest, FilledRectIsScaledIntoTheBoundsKeepingItsAspect)
{
  // A 50 x 40 document drawn into 100 x 40 scales by 1 (the smaller ratio), anchored top-left.
  const RGBAImage actual = Draw("rect.svg",
                                "<svg xmlns='http://www.w3.org/2000/svg' width='50' height='40'>"
                                "<rect x='10' y='10' width='20' height='10' fill='#00ff00'/></svg>",
                                IRECT(0, 0, 100, 40));
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 10, 10, 30, 20, IColor(255, 0, 255, 0));
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(SVGPixelTest, StrokedCircleWithOpacityMatchesCairo)
{
  const RGBAImage actual = Draw("circle.svg",
                                "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='80'>"
                                "<circle cx='50' cy='40' r='25' fill='none' stroke='#0000ff' stroke-width='6' "
                                "opacity='0.5'/></svg>",
                                IRECT(0, 0, 100, 80));
  CairoCanvas reference(kW, kH);
  cairo_set_source_rgba(reference.Get(), 0, 0, 1, 128 / 255.0);
  cairo_set_line_width(reference.Get(), 6);
  cairo_arc(reference.Get(), 50, 40, 25, 0, 2 * M_PI);
  cairo_stroke(reference.Get());
  EXPECT_TRUE(ImagesMatch(actual, reference.ToImage(), 48, 0.02, 160));
}

TEST_F(SVGPixelTest, InnerSubpathOfAShapeIsAHole)
{
  const RGBAImage actual = Draw("ring.svg",
                                "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='80'>"
                                "<path d='M10 10 H90 V70 H10 Z M30 25 H70 V55 H30 Z' fill='#ff0000'/></svg>",
                                IRECT(0, 0, 100, 80));
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 10, 10, 90, 70, IColor(255, 255, 0, 0));
  PaintRect(expected, 30, 25, 70, 55, COLOR_WHITE);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(SVGPixelTest, LinearGradientFillMatchesCairo)
{
  const RGBAImage actual =
    Draw("gradient.svg",
         "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='80'><defs>"
         "<linearGradient id='g' gradientUnits='userSpaceOnUse' x1='10' y1='0' x2='90' y2='0'>"
         "<stop offset='0' stop-color='#ff0000'/><stop offset='1' stop-color='#0000ff'/></linearGradient></defs>"
         "<rect x='10' y='10' width='80' height='60' fill='url(#g)'/></svg>",
         IRECT(0, 0, 100, 80));
  CairoCanvas reference(kW, kH);
  cairo_pattern_t* pattern = cairo_pattern_create_linear(10, 0, 90, 0);
  cairo_pattern_add_color_stop_rgb(pattern, 0, 1, 0, 0);
  cairo_pattern_add_color_stop_rgb(pattern, 1, 0, 0, 1);
  cairo_set_source(reference.Get(), pattern);
  cairo_rectangle(reference.Get(), 10, 10, 80, 60);
  cairo_fill(reference.Get());
  cairo_pattern_destroy(pattern);
  EXPECT_TRUE(ImagesMatch(actual, reference.ToImage(), 6, 0.01));
}

TEST_F(SVGPixelTest, InvalidDocumentDrawsNothing)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) { g.DrawSVG(ISVG(), IRECT(0, 0, 100, 80)); });
  EXPECT_TRUE(ImagesMatch(actual, WhiteImage(kW, kH), 0, 0.0));
}

TEST_F(SVGPixelTest, TransformIsRestoredAfterDrawingAnSVG)
{
  const char* text = "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'><rect width='5' height='5'/></svg>";
  const ISVG svg = mCanvas.G().LoadSVG("small.svg", text, static_cast<int>(std::strlen(text)), "px", 72.f);
  IMatrix after(0, 0, 0, 0, 0, 0);
  mCanvas.Render([&](IGraphics& g) {
    g.PathTransformTranslate(2.f, 3.f);
    g.DrawSVG(svg, IRECT(0, 0, 50, 50));
    g.DrawRotatedSVG(svg, 20.f, 20.f, 10.f, 10.f, 30.0);
    after = g.GetTransform();
  });
  EXPECT_EQ(after, IMatrix(1, 0, 0, 1, 2, 3));
}
