#include <GL/gl.h>
#include <GL/glext.h>

#include "graphics_pixels/PixelTestSupport.h"
#include "nanovg.h"
#include "nanovg_gl_utils.h"

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

namespace
{
constexpr int kW = 80;
constexpr int kH = 60;
const IColor kRed(255, 220, 30, 30);
const IColor kBlue(255, 20, 60, 200);

class LayerPixelTest : public ::testing::Test
{
protected:
  void SetUp() override { ASSERT_TRUE(mCanvas.Open()) << "no EGL surfaceless OpenGL context on this machine"; }
  OffscreenCanvas mCanvas{kW, kH};
};

// Draws a blue square into the control's layer once, applies shadow to it when given, and draws the layer.
DrawingControl::DrawFunc SquareInLayer(int* contentDraws, const IShadow* shadow = nullptr)
{
  return [contentDraws, shadow](IGraphics& g, DrawingControl& self) {
    if (!g.CheckLayer(self.mLayer))
    {
      g.StartLayer(&self, self.GetRECT());
      ++*contentDraws;
      g.FillRect(kBlue, IRECT(20, 15, 40, 35));
      self.mLayer = g.EndLayer();
      if (shadow)
        g.ApplyLayerDropShadow(self.mLayer, *shadow);
    }
    g.DrawLayer(self.mLayer);
  };
}
} // namespace

TEST_F(LayerPixelTest, LayerIsDrawnOnceAndReusedOnLaterFrames)
{
  int contentDraws = 0;
  mCanvas.Attach(SquareInLayer(&contentDraws));
  mCanvas.G().DrawAll();
  const RGBAImage first = mCanvas.G().Snapshot();
  mCanvas.G().DrawAll();
  const RGBAImage second = mCanvas.G().Snapshot();

  EXPECT_EQ(contentDraws, 1);
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 20, 15, 40, 35, kBlue);
  EXPECT_TRUE(ImagesMatch(first, expected, 2, 0.0));
  EXPECT_TRUE(ImagesMatch(second, expected, 2, 0.0));
}

TEST_F(LayerPixelTest, LayerOfAMovedControlIsRedrawn)
{
  int contentDraws = 0;
  DrawingControl* control = mCanvas.Attach(SquareInLayer(&contentDraws));
  mCanvas.G().DrawAll();
  control->SetTargetAndDrawRECTs(IRECT(0, 0, kW, kH - 1));
  mCanvas.G().DrawAll();
  EXPECT_EQ(contentDraws, 2);
  EXPECT_EQ(control->mLayer->ControlBounds(), IRECT(0, 0, kW, kH - 1));
}

TEST_F(LayerPixelTest, LayerDrawnFittedIsStretched)
{
  const RGBAImage actual = mCanvas.Render([](IGraphics& g) {
    g.StartLayer(nullptr, IRECT(0, 0, 20, 10));
    g.FillRect(kRed, IRECT(0, 0, 10, 10));
    g.FillRect(kBlue, IRECT(10, 0, 20, 10));
    ILayerPtr layer = g.EndLayer();
    g.DrawFittedLayer(layer, IRECT(10, 10, 50, 30));
  });
  RGBAImage expected = WhiteImage(kW, kH);
  PaintRect(expected, 10, 10, 30, 30, kRed);
  PaintRect(expected, 30, 10, 50, 30, kBlue);
  // The texture filter blends the two halves across the seam: one column either side may differ.
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 40.0 / (kW * kH)));
}

TEST_F(LayerPixelTest, DropShadowLiesUnderTheContentOffsetAndBlurred)
{
  // A black shadow at opacity 0.5 offset by (10, 10): half grey where only the shadow is, the content
  // untouched, white far away; its edge is blurred to a level between the two.
  const IShadow shadow(COLOR_BLACK, 2.f, 10.f, 10.f, 0.5f, true);
  int contentDraws = 0;
  mCanvas.Attach(SquareInLayer(&contentDraws, &shadow));
  mCanvas.G().DrawAll();
  const RGBAImage actual = mCanvas.G().Snapshot();

  EXPECT_LE(ChannelDistance(actual.GetPixel(30, 25), kBlue), 2) << "content over its shadow";
  EXPECT_LE(ChannelDistance(actual.GetPixel(45, 40), IColor(255, 128, 128, 128)), 3) << "shadow alone";
  EXPECT_LE(ChannelDistance(actual.GetPixel(70, 10), COLOR_WHITE), 2) << "outside both";
  EXPECT_LE(ChannelDistance(actual.GetPixel(10, 50), COLOR_WHITE), 2) << "outside both";
  const IColor edge = actual.GetPixel(50, 40);
  EXPECT_GT(edge.R, 135) << "the shadow's edge is blurred";
  EXPECT_LT(edge.R, 250) << "the shadow's edge is blurred";
}

TEST_F(LayerPixelTest, ShadowWithoutContentKeepsOnlyTheShadow)
{
  const IShadow shadow(COLOR_BLACK, 1.f, 10.f, 10.f, 1.f, false);
  int contentDraws = 0;
  mCanvas.Attach(SquareInLayer(&contentDraws, &shadow));
  mCanvas.G().DrawAll();
  const RGBAImage actual = mCanvas.G().Snapshot();
  EXPECT_LE(ChannelDistance(actual.GetPixel(25, 20), COLOR_WHITE), 2) << "content gone";
  EXPECT_LE(ChannelDistance(actual.GetPixel(40, 35), COLOR_BLACK), 2) << "opaque shadow";
}

TEST_F(LayerPixelTest, TransformIsIdentityAfterPushAndPopAndRestoredAfterDrawLayer)
{
  IMatrix afterPush(0, 0, 0, 0, 0, 0);
  IMatrix afterPop(0, 0, 0, 0, 0, 0);
  IMatrix afterDrawLayer;
  mCanvas.Render([&](IGraphics& g) {
    g.PathTransformTranslate(5.f, 7.f);
    g.StartLayer(nullptr, IRECT(0, 0, 20, 20));
    afterPush = g.GetTransform();
    ILayerPtr layer = g.EndLayer();
    afterPop = g.GetTransform();
    g.PathTransformTranslate(3.f, 4.f);
    g.DrawLayer(layer);
    afterDrawLayer = g.GetTransform();
  });
  EXPECT_EQ(afterPush, IMatrix());
  EXPECT_EQ(afterPop, IMatrix());
  EXPECT_EQ(afterDrawLayer, IMatrix(1, 0, 0, 1, 3, 4));
}

TEST_F(LayerPixelTest, PoppingWithNoLayerReturnsNull)
{
  ILayer* popped = reinterpret_cast<ILayer*>(1);
  mCanvas.Render([&](IGraphics& g) { popped = g.PopLayer(); });
  EXPECT_EQ(popped, nullptr);
}

TEST_F(LayerPixelTest, LayerDeletedDuringAFrameKeepsItsFramebufferUntilTheFrameEnds)
{
  GLuint fbo = 0;
  GLboolean aliveInFrame = GL_FALSE;
  mCanvas.Render([&](IGraphics& g) {
    g.StartLayer(nullptr, IRECT(0, 0, 20, 20));
    ILayerPtr layer = g.EndLayer();
    fbo = static_cast<IGraphicsNanoVG::Bitmap*>(layer->GetAPIBitmap())->GetFBO()->fbo;
    layer.reset();
    aliveInFrame = glIsFramebuffer(fbo);
  });
  EXPECT_EQ(aliveInFrame, GL_TRUE);
  EXPECT_EQ(glIsFramebuffer(fbo), GL_FALSE);
}
