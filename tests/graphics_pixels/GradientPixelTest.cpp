#include "graphics_pixels/PixelTestSupport.h"

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

// Gradients are compared with cairo's: both interpolate linearly between the two end colours, so away from
// the figure's edges they agree to within a few levels (tolerance 6, at most 1% beyond it).

namespace
{
constexpr int kW = 100;
constexpr int kH = 80;
const IColor kStart(255, 250, 40, 0);
const IColor kEnd(255, 0, 60, 240);

class GradientPixelTest : public ::testing::Test
{
protected:
  void SetUp() override { ASSERT_TRUE(mCanvas.Open()) << "no EGL surfaceless OpenGL context on this machine"; }
  OffscreenCanvas mCanvas{kW, kH};
};

void AddStops(cairo_pattern_t* pattern)
{
  cairo_pattern_add_color_stop_rgb(pattern, 0, kStart.R / 255.0, kStart.G / 255.0, kStart.B / 255.0);
  cairo_pattern_add_color_stop_rgb(pattern, 1, kEnd.R / 255.0, kEnd.G / 255.0, kEnd.B / 255.0);
}
} // namespace

TEST_F(GradientPixelTest, LinearGradientMatchesCairo)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) {
    g.PathClear();
    g.PathRect(IRECT(10, 10, 90, 70));
    g.PathFill(IPattern::CreateLinearGradient(10, 10, 90, 70, {IColorStop(kStart, 0.f), IColorStop(kEnd, 1.f)}));
  });
  CairoCanvas reference(kW, kH);
  cairo_pattern_t* pattern = cairo_pattern_create_linear(10, 10, 90, 70);
  AddStops(pattern);
  cairo_set_source(reference.Get(), pattern);
  cairo_rectangle(reference.Get(), 10, 10, 80, 60);
  cairo_fill(reference.Get());
  cairo_pattern_destroy(pattern);
  EXPECT_TRUE(ImagesMatch(actual, reference.ToImage(), 6, 0.01));
}

TEST_F(GradientPixelTest, RadialGradientMatchesCairo)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) {
    g.PathClear();
    g.PathRect(IRECT(10, 10, 90, 70));
    g.PathFill(IPattern::CreateRadialGradient(50, 40, 30, {IColorStop(kStart, 0.f), IColorStop(kEnd, 1.f)}));
  });
  CairoCanvas reference(kW, kH);
  cairo_pattern_t* pattern = cairo_pattern_create_radial(50, 40, 0, 50, 40, 30);
  AddStops(pattern);
  cairo_set_source(reference.Get(), pattern);
  cairo_rectangle(reference.Get(), 10, 10, 80, 60);
  cairo_fill(reference.Get());
  cairo_pattern_destroy(pattern);
  EXPECT_TRUE(ImagesMatch(actual, reference.ToImage(), 6, 0.01));
}

TEST_F(GradientPixelTest, GradientWithOneStopIsThatColour)
{
  const IColor only(255, 30, 160, 90);
  const RGBAImage actual = mCanvas.Render([&](IGraphics& g) {
    g.PathClear();
    g.PathRect(IRECT(10, 10, 90, 70));
    g.PathFill(IPattern::CreateLinearGradient(10, 10, 90, 70, {IColorStop(only, 0.f)}));
  });
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 10, 10, 90, 70, only);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}
