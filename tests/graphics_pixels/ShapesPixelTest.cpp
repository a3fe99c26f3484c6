#include "graphics_pixels/PixelTestSupport.h"

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

// Shapes drawn by the NanoVG back end compared with arithmetic (axis-aligned edges on whole pixels) or with
// the same figure rasterised by cairo. Anti-aliased edges of the two rasterisers differ by up to a few
// dozen levels, so curved figures allow 2% of the pixels beyond a tolerance of 48 and none beyond 160.

namespace
{
constexpr int kW = 120;
constexpr int kH = 90;
const IColor kRed(255, 220, 30, 30);
const IColor kBlue(255, 20, 60, 200);

class ShapesPixelTest : public ::testing::Test
{
protected:
  void SetUp() override { ASSERT_TRUE(mCanvas.Open()) << "no EGL surfaceless OpenGL context on this machine"; }
  OffscreenCanvas mCanvas{kW, kH};
};
} // namespace

TEST_F(ShapesPixelTest, FilledRectangleOnWholePixelsIsExact)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) { g.FillRect(kRed, IRECT(10, 20, 70, 60)); });
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 10, 20, 70, 60, kRed);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(ShapesPixelTest, StrokedRectangleCoversOneUnitEachSideOfTheEdge)
{
  // A 2-unit stroke centred on whole-unit edges fills whole pixels: 9-11 around x = 10, and so on.
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) { g.DrawRect(kBlue, IRECT(10, 20, 70, 60), nullptr, 2.f); });
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 9, 19, 71, 61, kBlue);
  PaintRect(expected, 11, 21, 69, 59, COLOR_WHITE);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(ShapesPixelTest, FilledCircleMatchesCairo)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) { g.FillCircle(kRed, 60.f, 45.f, 30.f); });
  CairoCanvas reference(kW, kH);
  reference.SetColor(kRed);
  cairo_arc(reference.Get(), 60, 45, 30, 0, 2 * M_PI);
  cairo_fill(reference.Get());
  EXPECT_TRUE(ImagesMatch(actual, reference.ToImage(), 48, 0.02, 160));
}

TEST_F(ShapesPixelTest, StrokedCircleMatchesCairo)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) { g.DrawCircle(kBlue, 60.f, 45.f, 30.f, nullptr, 4.f); });
  CairoCanvas reference(kW, kH);
  reference.SetColor(kBlue);
  cairo_set_line_width(reference.Get(), 4);
  cairo_arc(reference.Get(), 60, 45, 30, 0, 2 * M_PI);
  cairo_stroke(reference.Get());
  EXPECT_TRUE(ImagesMatch(actual, reference.ToImage(), 48, 0.02, 160));
}

TEST_F(ShapesPixelTest, ClockwiseArcMatchesCairo)
{
  // 0 degrees is 12 o'clock: from 3 o'clock (90) clockwise to 9 o'clock (270) is the lower half.
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) { g.DrawArc(kRed, 60.f, 45.f, 30.f, 90.f, 270.f, nullptr, 5.f); });
  CairoCanvas reference(kW, kH);
  reference.SetColor(kRed);
  cairo_set_line_width(reference.Get(), 5);
  cairo_arc(reference.Get(), 60, 45, 30, CairoCanvas::Radians(90), CairoCanvas::Radians(270));
  cairo_stroke(reference.Get());
  const RGBAImage expected = reference.ToImage();
  EXPECT_TRUE(ImagesMatch(actual, expected, 48, 0.02, 160));
  EXPECT_EQ(actual.GetPixel(60, 75), kRed) << "the bottom of the circle is on the arc";
  EXPECT_EQ(actual.GetPixel(60, 15), COLOR_WHITE) << "the top is not";
}

TEST_F(ShapesPixelTest, CounterClockwiseArcMatchesCairo)
{
  // The same end angles counter-clockwise give the upper half.
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) {
    g.PathClear();
    g.PathArc(60.f, 45.f, 30.f, 90.f, 270.f, kWindingCCW);
    g.PathStroke(kRed, 5.f);
  });
  CairoCanvas reference(kW, kH);
  reference.SetColor(kRed);
  cairo_set_line_width(reference.Get(), 5);
  cairo_arc_negative(reference.Get(), 60, 45, 30, CairoCanvas::Radians(90), CairoCanvas::Radians(270));
  cairo_stroke(reference.Get());
  EXPECT_TRUE(ImagesMatch(actual, reference.ToImage(), 48, 0.02, 160));
  EXPECT_EQ(actual.GetPixel(60, 15), kRed);
  EXPECT_EQ(actual.GetPixel(60, 75), COLOR_WHITE);
}

TEST_F(ShapesPixelTest, PieSliceMatchesCairo)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) { g.FillArc(kBlue, 60.f, 45.f, 35.f, 0.f, 120.f); });
  CairoCanvas reference(kW, kH);
  reference.SetColor(kBlue);
  cairo_move_to(reference.Get(), 60, 45);
  cairo_arc(reference.Get(), 60, 45, 35, CairoCanvas::Radians(0), CairoCanvas::Radians(120));
  cairo_close_path(reference.Get());
  cairo_fill(reference.Get());
  EXPECT_TRUE(ImagesMatch(actual, reference.ToImage(), 48, 0.02, 160));
}

TEST_F(ShapesPixelTest, RoundedRectangleMatchesCairo)
{
  const IRECT r(15, 10, 105, 80);
  const float radius = 12.f;
  const RGBAImage actual = mCanvas.Render([&](IGraphics& g) { g.FillRoundRect(kRed, r, radius); });
  CairoCanvas reference(kW, kH);
  cairo_t* cr = reference.Get();
  reference.SetColor(kRed);
  cairo_new_sub_path(cr);
  cairo_arc(cr, r.R - radius, r.T + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr, r.R - radius, r.B - radius, radius, 0, M_PI / 2);
  cairo_arc(cr, r.L + radius, r.B - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr, r.L + radius, r.T + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
  cairo_fill(cr);
  EXPECT_TRUE(ImagesMatch(actual, reference.ToImage(), 48, 0.02, 160));
}

TEST_F(ShapesPixelTest, RoundedRectangleWithZeroRadiiIsThePlainRectangle)
{
  const RGBAImage actual =
    mCanvas.Render([](IGraphics& g) { g.FillRoundRect(kRed, IRECT(10, 20, 70, 60), 0.f, 0.f, 0.f, 0.f); });
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 10, 20, 70, 60, kRed);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(ShapesPixelTest, ShapesFollowTheDrawScale)
{
  OffscreenCanvas zoomed(60, 45, 2.f);
  ASSERT_TRUE(zoomed.Open());
  const RGBAImage actual = zoomed.Render([](IGraphics& g) { g.FillRect(kRed, IRECT(5, 10, 35, 30)); });
  RGBAImage expected = WhiteImage(120, 90);
  PaintRect(expected, 10, 20, 70, 60, kRed);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(ShapesPixelTest, PreservedPathCanBeFilledThenStroked)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) {
    g.PathClear();
    g.PathRect(IRECT(20, 20, 60, 60));
    g.PathFill(kRed, IFillOptions(kFillNonZero, true));
    g.PathStroke(kBlue, 2.f);
  });
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 19, 19, 61, 61, kBlue);
  PaintRect(expected, 21, 21, 59, 59, kRed);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(ShapesPixelTest, FillWithoutPreserveLeavesNothingToStroke)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) {
    g.PathClear();
    g.PathRect(IRECT(20, 20, 60, 60));
    g.PathFill(kRed);
    g.PathStroke(kBlue, 2.f);
  });
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 20, 20, 60, 60, kRed);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}
