#include <gtest/gtest.h>

#include "IBitmap.h"

using iplug::igraphics::APIBitmap;
using iplug::igraphics::IBitmap;

TEST(IBitmapSize, StoredPixelsDividedByDensityAndTruncated)
{
  APIBitmap doubleDensity(7, 991, 441, 2.f, 1.f);
  const IBitmap bitmap(&doubleDensity, 1, false, "Background.png");
  EXPECT_EQ(bitmap.W(), 495);
  EXPECT_EQ(bitmap.H(), 220);
  EXPECT_STREQ(bitmap.GetResourceName().Get(), "Background.png");
  EXPECT_TRUE(bitmap.IsValid());
}

TEST(IBitmapFrames, StackedStripDividesTheHeight)
{
  APIBitmap strip(1, 48, 48 * 31, 1.f, 1.f);
  const IBitmap knob(&strip, 31, false);
  EXPECT_EQ(knob.FW(), 48);
  EXPECT_EQ(knob.FH(), 48);
}

TEST(IBitmapFrames, HorizontalStripDividesTheWidthWithIntegerDivision)
{
  APIBitmap strip(1, 100, 30, 1.f, 1.f);
  const IBitmap bitmap(&strip, 3, true);
  EXPECT_EQ(bitmap.FW(), 33);
  EXPECT_EQ(bitmap.FH(), 30);
}

TEST(IBitmapFrames, SingleFrameIsTheWholeBitmapWhateverTheDirection)
{
  APIBitmap still(1, 80, 60, 1.f, 1.f);
  for (const bool horizontal : {false, true})
  {
    const IBitmap bitmap(&still, 1, horizontal);
    EXPECT_EQ(bitmap.FW(), 80);
    EXPECT_EQ(bitmap.FH(), 60);
  }
}

TEST(IBitmapFrames, FrameCountBelowOneCountsAsOne)
{
  APIBitmap still(1, 80, 60, 1.f, 1.f);
  const IBitmap bitmap(&still, 0, true);
  EXPECT_EQ(bitmap.N(), 1);
  EXPECT_EQ(bitmap.FW(), 80);
  EXPECT_EQ(IBitmap(&still, -4, false).FH(), 60);
}

TEST(IBitmapSize, NonPositiveDensityCountsAsOne)
{
  APIBitmap broken(1, 80, 60, 0.f, 1.f);
  const IBitmap bitmap(&broken, 1, false);
  EXPECT_EQ(bitmap.W(), 80);
  EXPECT_EQ(bitmap.H(), 60);
}

TEST(IBitmapValidity, NullBackEndBitmapIsInvalidAndSizeless)
{
  const IBitmap bitmap(nullptr, 3, true, nullptr);
  EXPECT_FALSE(bitmap.IsValid());
  EXPECT_EQ(bitmap.W(), 0);
  EXPECT_EQ(bitmap.FW(), 0);
  EXPECT_STREQ(bitmap.GetResourceName().Get(), "");
  EXPECT_FALSE(IBitmap().IsValid());
}
