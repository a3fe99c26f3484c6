#include <gtest/gtest.h>

#include <cairo.h>

#include <string>

#include "IRECT.h"

using iplug::igraphics::IRECT;

namespace
{
  // The committed skin, next to the product's sources.
  std::string SkinPath(const char* name)
  {
    return std::string(TIDEWELL_SOURCE_DIR) + "/product/resources/" + name;
  }

  // A decoded PNG (cairo's ARGB32, premultiplied) that frees itself.
  struct Png
  {
    explicit Png(const char* name) : surface(cairo_image_surface_create_from_png(SkinPath(name).c_str())) {}
    ~Png() { cairo_surface_destroy(surface); }
    bool Ok() const { return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS; }
    int W() const { return cairo_image_surface_get_width(surface); }
    int H() const { return cairo_image_surface_get_height(surface); }
    uint32_t Pixel(int x, int y) const
    {
      const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
      return reinterpret_cast<const uint32_t*>(row)[x];
    }
    cairo_surface_t* surface;
  };

  struct Strip
  {
    const char* name;
    int frames;
  };

  const Strip kStrips[] = {{"Background.png", 1}, {"processBtn.png", 2}, {"controlKnob.png", 31}, {"Rubberduck.png", 31}};

  // Yellow duck pixels in the upper 60 % of a duck frame (above the water line).
  int DuckPixelsAboveWater(const Png& strip, int frame)
  {
    const int fh = strip.H() / 31;
    int count = 0;
    for (int y = frame * fh; y < frame * fh + fh * 6 / 10; ++y)
      for (int x = 0; x < strip.W(); ++x)
      {
        const uint32_t p = strip.Pixel(x, y);
        const int r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
        count += r > 200 && g > 150 && b < 100 ? 1 : 0;
      }
    return count;
  }
}

TEST(TidewellSkin, DoubleDensityImagesAreExactlyTwiceTheSizeAndStripsHoldWholeFrames)
{
  for (const Strip& strip : kStrips)
  {
    const Png one(strip.name);
    const std::string twoName = std::string(strip.name).replace(std::string(strip.name).rfind(".png"), 4, "@2x.png");
    const Png two(twoName.c_str());
    ASSERT_TRUE(one.Ok()) << strip.name;
    ASSERT_TRUE(two.Ok()) << twoName;
    EXPECT_EQ(two.W(), 2 * one.W()) << strip.name;
    EXPECT_EQ(two.H(), 2 * one.H()) << strip.name;
    EXPECT_EQ(one.H() % strip.frames, 0) << strip.name;
  }
  const Png background("Background.png");
  EXPECT_EQ(background.W(), 495);
  EXPECT_EQ(background.H(), 220);
}

TEST(TidewellSkin, EveryControlFitsInsideTheEditorAndNoTwoOverlap)
{
  const Png knob("controlKnob.png"), toggle("processBtn.png"), duck("Rubberduck.png");
  const auto frame = [](const Png& p, int n, float x, float y) {
    return IRECT(x, y, x + static_cast<float>(p.W()), y + static_cast<float>(p.H() / n));
  };
  // The editor's layout positions; the corner resizer takes the last 17 units of both axes.
  const std::vector<IRECT> controls{frame(toggle, 2, 402.5f, 121.f), frame(knob, 31, 16.5f, 110.f),
                                    frame(knob, 31, 115.5f, 110.f),  frame(knob, 31, 214.5f, 110.f),
                                    frame(knob, 31, 313.5f, 110.f),  frame(duck, 31, 339.f, 9.f),
                                    IRECT(478.f, 203.f, 495.f, 220.f)};
  const IRECT editor(0.f, 0.f, 495.f, 220.f);
  for (std::size_t i = 0; i < controls.size(); ++i)
  {
    EXPECT_TRUE(editor.Contains(controls[i])) << "control " << i;
    for (std::size_t j = i + 1; j < controls.size(); ++j)
      EXPECT_FALSE(controls[i].Intersects(controls[j]) && controls[i].Intersect(controls[j]).Area() > 0.f)
        << "controls " << i << " and " << j;
  }
}

TEST(TidewellSkin, TheDuckSinksAsTheMeterRises)
{
  const Png duck("Rubberduck.png");
  ASSERT_TRUE(duck.Ok());
  const int top = DuckPixelsAboveWater(duck, 0);
  const int middle = DuckPixelsAboveWater(duck, 15);
  const int bottom = DuckPixelsAboveWater(duck, 30);
  EXPECT_GT(top, 0);
  EXPECT_LT(middle, top);
  EXPECT_LT(bottom, middle / 2);
}
