#include "graphics_pixels/PixelTestSupport.h"

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

// Clipping and compositing, checked against arithmetic: every edge lies on whole pixels, so only rounding
// of the blend (1 level) may differ; tolerance 2, no pixel beyond it.

namespace
{
constexpr int kW = 80;
constexpr int kH = 60;
const IColor kRed(255, 220, 30, 30);
const IColor kBlue(255, 20, 60, 200);

class ClipAndBlendPixelTest : public ::testing::Test
{
protected:
  void SetUp() override { ASSERT_TRUE(mCanvas.Open()) << "no EGL surfaceless OpenGL context on this machine"; }
  OffscreenCanvas mCanvas{kW, kH};
};
} // namespace

TEST_F(ClipAndBlendPixelTest, ClipRegionLimitsTheFill)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) {
    g.PathClipRegion(IRECT(20, 15, 60, 50));
    g.FillRect(kRed, g.GetBounds());
  });
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 20, 15, 60, 50, kRed);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(ClipAndBlendPixelTest, ControlDrawsOnlyInsideItsPaddedPixelAlignedRectangle)
{
  mCanvas.G().AttachControl(new DrawingControl(mCanvas.G().GetBounds(), [](IGraphics& g, DrawingControl&) {
    g.FillRect(COLOR_WHITE, g.GetBounds());
  }));
  mCanvas.G().AttachControl(new DrawingControl(IRECT(30, 20, 50, 40), [](IGraphics& g, DrawingControl&) {
    g.FillRect(kBlue, g.GetBounds());
  }));
  mCanvas.G().DrawAll();
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 29, 19, 51, 41, kBlue); // 0.75 of margin, widened to whole pixels
  EXPECT_TRUE(ImagesMatch(mCanvas.G().Snapshot(), expected, 2, 0.0));
}

TEST_F(ClipAndBlendPixelTest, SourceOverAtHalfWeightMixesEvenly)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) {
    g.FillRect(kRed, IRECT(10, 10, 70, 50));
    g.FillRect(kBlue, IRECT(10, 10, 70, 50), &BLEND_50);
  });
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 10, 10, 70, 50, IColor(255, 120, 45, 115));
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(ClipAndBlendPixelTest, DestinationOverLeavesOpaquePixelsAlone)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) {
    g.FillRect(kRed, IRECT(10, 10, 70, 50));
    g.FillRect(kBlue, IRECT(0, 0, 80, 60), &BLEND_DST_OVER);
  });
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 10, 10, 70, 50, kRed);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(ClipAndBlendPixelTest, DestinationOutErasesWhereTheSourceIsOpaque)
{
  const IBlend dstOut(kBlendDstOut, 1.f);
  const RGBAImage actual = mCanvas.Render([&](IGraphics& g) { g.FillRect(kBlue, IRECT(10, 10, 70, 50), &dstOut); });
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 10, 10, 70, 50, COLOR_TRANSPARENT);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(ClipAndBlendPixelTest, XorOfTwoOpaqueAreasIsTransparent)
{
  const IBlend exclusive(kBlendXOR, 1.f);
  const RGBAImage actual = mCanvas.Render([&](IGraphics& g) { g.FillRect(kRed, IRECT(20, 20, 40, 40), &exclusive); });
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 20, 20, 40, 40, COLOR_TRANSPARENT);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(ClipAndBlendPixelTest, RedrawingOneRegionChangesOnlyThatRegion)
{
  IColor fill = kRed;
  mCanvas.G().AttachControl(new DrawingControl(mCanvas.G().GetBounds(), [&fill](IGraphics& g, DrawingControl&) {
    g.FillRect(fill, g.GetBounds());
  }));
  mCanvas.G().DrawAll();
  fill = kBlue;
  IRECTList region;
  region.Add(IRECT(20, 10, 45, 30));
  mCanvas.G().Draw(region);
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 0, 0, kW, kH, kRed);
  PaintRect(expected, 20, 10, 45, 30, kBlue);
  EXPECT_TRUE(ImagesMatch(mCanvas.G().Snapshot(), expected, 2, 0.0));
}
