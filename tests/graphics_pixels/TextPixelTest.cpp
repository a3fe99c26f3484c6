#include "graphics_pixels/PixelTestSupport.h"

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

// Text placement and measuring with the default text font, found by family through fontconfig. Glyph
// shapes are the font's own business; what is checked is geometry: the ink lies inside the measured
// rectangle (1 pixel of anti-aliasing allowed), the rectangle sits where the alignment puts it (within 1
// unit), and widths add up.

namespace
{
constexpr int kW = 200;
constexpr int kH = 80;
constexpr const char* kFontID = "TestSans";
constexpr const char* kFamily = "DejaVu Sans";

// The bounding box of every pixel noticeably darker than white; empty when there is none.
IRECT InkBounds(const RGBAImage& image)
{
  int l = image.Width(), t = image.Height(), r = -1, b = -1;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (image.GetPixel(x, y).R < 200)
      {
        l = std::min(l, x);
        t = std::min(t, y);
        r = std::max(r, x + 1);
        b = std::max(b, y + 1);
      }
  return r < 0 ? IRECT() : IRECT(static_cast<float>(l), static_cast<float>(t), static_cast<float>(r), static_cast<float>(b));
}

class TextPixelTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(mCanvas.Open()) << "no EGL surfaceless OpenGL context on this machine";
    ASSERT_TRUE(mCanvas.G().LoadFont(kFontID, kFamily, kTextStyleNormal)) << kFamily << " is not installed";
  }

  IText Style(ETextAlign align, ETextVAlign valign) const { return IText(24.f, COLOR_BLACK, kFontID, align, valign); }

  OffscreenCanvas mCanvas{kW, kH};
  const IRECT mBox{20, 10, 180, 70};
};
} // namespace

TEST_F(TextPixelTest, TopLeftTextStartsAtTheBoxCornerAndStaysInsideItsMeasure)
{
  const IText style = Style(kAlignNear, kVAlignTop);
  IRECT measured = mBox;
  const float width = mCanvas.G().MeasureText(style, "Tidewell", measured);
  EXPECT_GT(width, 40.f);
  EXPECT_FLOAT_EQ(width, measured.W());
  // The measure is the glyph quads' extent, which may stand a few units off the pen position.
  EXPECT_NEAR(measured.L, mBox.L, 3.f);
  EXPECT_NEAR(measured.T, mBox.T, 3.f);

  const RGBAImage actual = mCanvas.Render([&](IGraphics& g) { g.DrawText(style, "Tidewell", mBox); });
  const IRECT ink = InkBounds(actual);
  ASSERT_FALSE(ink.Empty());
  EXPECT_TRUE(measured.GetPadded(1.f).Contains(ink)) << "ink outside the measured rectangle";
  EXPECT_GT(ink.W(), 0.8f * measured.W());
}

TEST_F(TextPixelTest, CentredTextIsCentredInTheBox)
{
  const IText style = Style(kAlignCenter, kVAlignMiddle);
  IRECT measured = mBox;
  mCanvas.G().MeasureText(style, "Duck", measured);
  EXPECT_NEAR(measured.MW(), mBox.MW(), 1.f);
  EXPECT_NEAR(measured.MH(), mBox.MH(), 1.f);
  const RGBAImage actual = mCanvas.Render([&](IGraphics& g) { g.DrawText(style, "Duck", mBox); });
  EXPECT_TRUE(measured.GetPadded(1.f).Contains(InkBounds(actual)));
}

TEST_F(TextPixelTest, FarAlignedTextEndsAtTheRightEdge)
{
  const IText style = Style(kAlignFar, kVAlignBottom);
  IRECT measured = mBox;
  mCanvas.G().MeasureText(style, "Depth", measured);
  EXPECT_NEAR(measured.R, mBox.R, 1.f);
  EXPECT_NEAR(measured.B, mBox.B, 1.f);
  const RGBAImage actual = mCanvas.Render([&](IGraphics& g) { g.DrawText(style, "Depth", mBox); });
  EXPECT_TRUE(measured.GetPadded(1.f).Contains(InkBounds(actual)));
}

TEST_F(TextPixelTest, EachRepeatedLetterAddsTheSameWidth)
{
  const IText style = Style(kAlignNear, kVAlignTop);
  IRECT r1 = mBox;
  IRECT r2 = mBox;
  IRECT r3 = mBox;
  const float w1 = mCanvas.G().MeasureText(style, "W", r1);
  const float w2 = mCanvas.G().MeasureText(style, "WW", r2);
  const float w3 = mCanvas.G().MeasureText(style, "WWW", r3);
  EXPECT_GT(w2 - w1, 10.f);
  EXPECT_NEAR(w3 - w2, w2 - w1, 0.5f);
}

TEST_F(TextPixelTest, EmptyTextMeasuresZeroAndDrawsNothing)
{
  const IText style = Style(kAlignNear, kVAlignTop);
  IRECT measured = mBox;
  EXPECT_EQ(mCanvas.G().MeasureText(style, "", measured), 0.f);
  EXPECT_EQ(mCanvas.G().MeasureText(style, nullptr, measured), 0.f);
  const RGBAImage actual = mCanvas.Render([&](IGraphics& g) {
    g.DrawText(style, "", mBox);
    g.DrawText(style, nullptr, mBox);
  });
  EXPECT_TRUE(InkBounds(actual).Empty());
}

TEST_F(TextPixelTest, UnknownFontCannotBeLoaded)
{
  EXPECT_FALSE(mCanvas.G().LoadFont("Nothing", "no-such-font-file.ttf"));
  EXPECT_FALSE(mCanvas.G().LoadFont("Nothing", nullptr, 0));
}
