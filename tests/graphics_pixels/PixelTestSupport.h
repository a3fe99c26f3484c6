#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "IControl.h"
#include "IGEditorDelegate.h"
#include "IGraphicsOffscreen.h"
#include "RGBAImage.h"

namespace iplug::igraphics::test
{

// A control that runs a drawing function and counts how often it was drawn.
class DrawingControl : public IControl
{
public:
  using DrawFunc = std::function<void(IGraphics& g, DrawingControl& self)>;

  DrawingControl(const IRECT& bounds, DrawFunc draw) : IControl(bounds), mDrawFunc(std::move(draw)) {}
  void Draw(IGraphics& g) override
  {
    ++mDraws;
    mDrawFunc(g, *this);
  }

  DrawFunc mDrawFunc;
  int mDraws = 0;
  ILayerPtr mLayer;
};

// An off-screen graphics context of width x height user units at the given draw and screen scales, open
// (GL context current) for the object's life.
class OffscreenCanvas
{
public:
  OffscreenCanvas(int width, int height, float drawScale = 1.f, float screenScale = 1.f)
    : mGraphics(std::make_unique<IGraphicsOffscreen>(mDelegate, width, height, 60, drawScale, screenScale))
  {
  }

  // Opens the context; false when no GL context can be made on this machine.
  bool Open() { return mGraphics->OpenWindow(nullptr) != nullptr; }
  IGraphicsOffscreen& G() { return *mGraphics; }

  // Attaches a control over the whole editor that draws on an opaque white background.
  DrawingControl* Attach(DrawingControl::DrawFunc draw)
  {
    auto* control = new DrawingControl(mGraphics->GetBounds(), [draw](IGraphics& g, DrawingControl& self) {
      g.FillRect(COLOR_WHITE, g.GetBounds());
      draw(g, self);
    });
    mGraphics->AttachControl(control);
    return control;
  }

  // Draws draw on white over the whole editor and returns the main framebuffer.
  RGBAImage Render(const std::function<void(IGraphics& g)>& draw)
  {
    Attach([draw](IGraphics& g, DrawingControl&) { draw(g); });
    mGraphics->DrawAll();
    return mGraphics->Snapshot();
  }

private:
  IGEditorDelegate mDelegate{0};
  std::unique_ptr<IGraphicsOffscreen> mGraphics;
};

// The same figure rasterised independently by cairo on an opaque white image of width x height pixels,
// user units scaled by scale.
class CairoCanvas
{
public:
  CairoCanvas(int width, int height, double scale = 1.0)
    : mSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)), mCairo(cairo_create(mSurface))
  {
    cairo_set_source_rgb(mCairo, 1, 1, 1);
    cairo_paint(mCairo);
    cairo_scale(mCairo, scale, scale);
  }
  ~CairoCanvas()
  {
    cairo_destroy(mCairo);
    cairo_surface_destroy(mSurface);
  }
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  cairo_t* Get() { return mCairo; }
  void SetColor(const IColor& c)
  {
    cairo_set_source_rgba(mCairo, c.R / 255.0, c.G / 255.0, c.B / 255.0, c.A / 255.0);
  }
  // The angle of our arcs (degrees from 12 o'clock, clockwise) in cairo's radians (from 3 o'clock).
  static double Radians(double degrees) { return (degrees - 90.0) * M_PI / 180.0; }

  RGBAImage ToImage()
  {
    cairo_surface_flush(mSurface);
    const int w = cairo_image_surface_get_width(mSurface);
    const int h = cairo_image_surface_get_height(mSurface);
    const int stride = cairo_image_surface_get_stride(mSurface);
    const unsigned char* data = cairo_image_surface_get_data(mSurface);
    RGBAImage image(w, h);
    for (int y = 0; y < h; ++y)
    {
      for (int x = 0; x < w; ++x)
      {
        uint32_t argb = 0;
        std::memcpy(&argb, data + y * stride + x * 4, 4);
        image.SetPixel(x, y, IColor(static_cast<int>(argb >> 24), static_cast<int>((argb >> 16) & 0xFF),
                                    static_cast<int>((argb >> 8) & 0xFF), static_cast<int>(argb & 0xFF)));
      }
    }
    return image;
  }

private:
  cairo_surface_t* mSurface;
  cairo_t* mCairo;
};

// An opaque white picture of width x height with the rectangles painted by fill (arithmetic expectations).
inline RGBAImage WhiteImage(int width, int height)
{
  RGBAImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.SetPixel(x, y, COLOR_WHITE);
  return image;
}

inline void PaintRect(RGBAImage& image, int l, int t, int r, int b, const IColor& color)
{
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      image.SetPixel(x, y, color);
}

// Largest channel difference between two colours.
inline int ChannelDistance(const IColor& a, const IColor& b)
{
  return std::max({std::abs(a.A - b.A), std::abs(a.R - b.R), std::abs(a.G - b.G), std::abs(a.B - b.B)});
}

// Passes when the two pictures have the same size, at most maxBadFraction of the pixels differ by more than
// tolerance in any channel, and no pixel differs by more than hardLimit. On failure both pictures are
// written beside the test (in TMPDIR or /tmp) for inspection.
inline ::testing::AssertionResult ImagesMatch(const RGBAImage& actual, const RGBAImage& expected, int tolerance,
                                              double maxBadFraction, int hardLimit = 256)
{
  if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
    return ::testing::AssertionFailure() << "size " << actual.Width() << "x" << actual.Height() << " instead of "
                                         << expected.Width() << "x" << expected.Height();
  int bad = 0;
  int worst = 0;
  int worstX = 0;
  int worstY = 0;
  for (int y = 0; y < actual.Height(); ++y)
  {
    for (int x = 0; x < actual.Width(); ++x)
    {
      const int d = ChannelDistance(actual.GetPixel(x, y), expected.GetPixel(x, y));
      if (d > tolerance)
        ++bad;
      if (d > worst)
      {
        worst = d;
        worstX = x;
        worstY = y;
      }
    }
  }
  const double fraction = static_cast<double>(bad) / (actual.Width() * actual.Height());
  if (fraction <= maxBadFraction && worst < hardLimit)
    return ::testing::AssertionSuccess();
  const char* tmp = std::getenv("TMPDIR");
  const std::string base = std::string(tmp ? tmp : "/tmp") + "/" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
  actual.WritePNG((base + "-actual.png").c_str());
  expected.WritePNG((base + "-expected.png").c_str());
  return ::testing::AssertionFailure() << bad << " pixels (" << fraction * 100.0 << "%) differ by more than "
                                       << tolerance << "; worst " << worst << " at (" << worstX << ", " << worstY
                                       << "); pictures in " << base << "-*.png";
}

} // namespace iplug::igraphics::test
