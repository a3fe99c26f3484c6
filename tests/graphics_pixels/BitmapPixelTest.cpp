#include "IBitmapControls.h"
#include "graphics_pixels/PixelTestSupport.h"
#include "graphics_resources/TemporaryResources.h"

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

// Bitmaps made of solid blocks, written as PNG files into a temporary bundle, loaded by name and drawn on
// whole pixels: every expected pixel is the block's colour (tolerance 2 for the texture filter's rounding).

namespace
{
const IColor kPlainLeft(255, 200, 0, 0);
const IColor kPlainRight(255, 0, 0, 200);
const IColor kDenseLeft(255, 0, 160, 0);
const IColor kDenseRight(255, 230, 200, 0);
const IColor kFrames[3] = {IColor(255, 250, 0, 0), IColor(255, 0, 200, 0), IColor(255, 0, 0, 250)};

// A width x height picture whose left half is left and right half is right.
RGBAImage Halves(int width, int height, const IColor& left, const IColor& right)
{
  RGBAImage image(width, height);
  PaintRect(image, 0, 0, width / 2, height, left);
  PaintRect(image, width / 2, 0, width, height, right);
  return image;
}

// Three frames of w x h each, side by side or stacked, in the colours of kFrames.
RGBAImage Strip(int w, int h, bool horizontal)
{
  RGBAImage image(horizontal ? 3 * w : w, horizontal ? h : 3 * h);
  for (int f = 0; f < 3; ++f)
  {
    if (horizontal)
      PaintRect(image, f * w, 0, (f + 1) * w, h, kFrames[f]);
    else
      PaintRect(image, 0, f * h, w, (f + 1) * h, kFrames[f]);
  }
  return image;
}

class BitmapPixelTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(mFolders.BundleOpen());
    Halves(20, 10, kPlainLeft, kPlainRight).WritePNG((mFolders.ResourceDir() / "knob.png").c_str());
    Halves(40, 20, kDenseLeft, kDenseRight).WritePNG((mFolders.ResourceDir() / "knob@2x.png").c_str());
    Strip(10, 10, true).WritePNG((mFolders.ResourceDir() / "hstrip.png").c_str());
    Strip(10, 10, false).WritePNG((mFolders.ResourceDir() / "vstrip.png").c_str());
  }

  // An open canvas of 60 x 40 user units at screenScale whose resources come from the temporary bundle.
  std::unique_ptr<OffscreenCanvas> Canvas(float screenScale)
  {
    auto canvas = std::make_unique<OffscreenCanvas>(60, 40, 1.f, screenScale);
    canvas->G().SetBundleID(TemporaryResources::kBundleID);
    EXPECT_TRUE(canvas->Open()) << "no EGL surfaceless OpenGL context on this machine";
    return canvas;
  }

  TemporaryResources mFolders;
};
} // namespace

TEST_F(BitmapPixelTest, PlainDisplayDrawsThePlainFile)
{
  auto canvas = Canvas(1.f);
  const IBitmap knob = canvas->G().LoadBitmap("knob.png");
  ASSERT_TRUE(knob.IsValid());
  EXPECT_EQ(knob.W(), 20);
  EXPECT_EQ(knob.H(), 10);
  const RGBAImage actual = canvas->Render([&](IGraphics& g) { g.DrawBitmap(knob, IRECT(10, 10, 30, 20)); });
  RGBAImage expected = WhiteImage(60, 40);
  PaintRect(expected, 10, 10, 20, 20, kPlainLeft);
  PaintRect(expected, 20, 10, 30, 20, kPlainRight);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(BitmapPixelTest, DoubleDensityDisplayDrawsTheAt2xFileAtTheSameUserSize)
{
  auto canvas = Canvas(2.f);
  const IBitmap knob = canvas->G().LoadBitmap("knob.png");
  ASSERT_TRUE(knob.IsValid());
  EXPECT_EQ(knob.GetScale(), 2.f);
  EXPECT_EQ(knob.W(), 20) << "40 stored pixels at density 2 are 20 user units";
  const RGBAImage actual = canvas->Render([&](IGraphics& g) { g.DrawBitmap(knob, IRECT(10, 10, 30, 20)); });
  RGBAImage expected = WhiteImage(120, 80);
  PaintRect(expected, 20, 20, 40, 40, kDenseLeft);
  PaintRect(expected, 40, 20, 60, 40, kDenseRight);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(BitmapPixelTest, SecondFrameOfAHorizontalStrip)
{
  auto canvas = Canvas(1.f);
  const IBitmap strip = canvas->G().LoadBitmap("hstrip.png", 3, true);
  ASSERT_TRUE(strip.IsValid());
  const RGBAImage actual = canvas->Render([&](IGraphics& g) { g.DrawBitmap(strip, IRECT(20, 10, 30, 20), 2); });
  RGBAImage expected = WhiteImage(60, 40);
  PaintRect(expected, 20, 10, 30, 20, kFrames[1]);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(BitmapPixelTest, FramesOfAVerticalStripClampToTheStrip)
{
  auto canvas = Canvas(1.f);
  const IBitmap strip = canvas->G().LoadBitmap("vstrip.png", 3, false);
  ASSERT_TRUE(strip.IsValid());
  const RGBAImage actual = canvas->Render([&](IGraphics& g) {
    g.DrawBitmap(strip, IRECT(5, 5, 15, 15), 0);   // below 1: the first frame
    g.DrawBitmap(strip, IRECT(25, 5, 35, 15), 3);  // the last frame
    g.DrawBitmap(strip, IRECT(45, 5, 55, 15), 9);  // beyond: the last frame
  });
  RGBAImage expected = WhiteImage(60, 40);
  PaintRect(expected, 5, 5, 15, 15, kFrames[0]);
  PaintRect(expected, 25, 5, 35, 15, kFrames[2]);
  PaintRect(expected, 45, 5, 55, 15, kFrames[2]);
  EXPECT_TRUE(ImagesMatch(actual, expected, 2, 0.0));
}

TEST_F(BitmapPixelTest, MissingOrUndecodableBitmapIsInvalidAndDrawsNothing)
{
  auto canvas = Canvas(1.f);
  TemporaryResources::Write(mFolders.ResourceDir(), "broken.png", "not a png");
  TemporaryResources::Write(mFolders.ResourceDir(), "anim.gif", "GIF89a");
  EXPECT_FALSE(canvas->G().LoadBitmap("absent.png").IsValid());
  EXPECT_FALSE(canvas->G().LoadBitmap("broken.png").IsValid());
  EXPECT_FALSE(canvas->G().LoadBitmap("anim.gif").IsValid());
  const IBitmap invalid = canvas->G().LoadBitmap("absent.png");
  const RGBAImage actual = canvas->Render([&](IGraphics& g) { g.DrawBitmap(invalid, IRECT(10, 10, 30, 20)); });
  EXPECT_TRUE(ImagesMatch(actual, WhiteImage(60, 40), 0, 0.0));
}

TEST_F(BitmapPixelTest, AFrameRedrawingOnlyAnOpaqueKnobLeavesThePictureAFullRedrawGives)
{
  // The knob's strip is opaque, so its new frame is drawn without the background beneath; the picture must
  // not differ from drawing everything, at either density, at whole and half-unit positions.
  for (const float scale : {1.f, 2.f})
  {
    for (const float x : {20.f, 20.5f})
    {
      auto canvas = Canvas(scale);
      const IBitmap strip = canvas->G().LoadBitmap("vstrip.png", 3, false);
      ASSERT_TRUE(strip.IsValid());
      canvas->Attach([](IGraphics&, DrawingControl&) {});
      auto* knob = new IBKnobControl(x, 15.f, strip, -1);
      canvas->G().AttachControl(knob);
      ASSERT_TRUE(knob->IsOpaque());
      canvas->G().DrawAll();
      const IColor before = canvas->G().Snapshot().GetPixel(static_cast<int>((x + 5) * scale), static_cast<int>(20 * scale));

      knob->SetValueFromDelegate(1.0);
      ASSERT_TRUE(canvas->G().DrawFrame());
      const RGBAImage partial = canvas->G().Snapshot();
      canvas->G().DrawAll();
      const RGBAImage full = canvas->G().Snapshot();
      EXPECT_TRUE(ImagesMatch(partial, full, 0, 0.0)) << "scale " << scale << ", x " << x;
      EXPECT_EQ(ChannelDistance(before, kFrames[0]), 0);
      EXPECT_LE(ChannelDistance(partial.GetPixel(static_cast<int>((x + 5) * scale), static_cast<int>(20 * scale)),
                                kFrames[2]), 2)
        << "the last frame was drawn";
    }
  }
}
