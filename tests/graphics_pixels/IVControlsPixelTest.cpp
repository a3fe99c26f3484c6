#include "graphics_pixels/PixelTestSupport.h"

#include "IVButtonControl.h"
#include "IVKnobControl.h"
#include "IVSliderControl.h"
#include "IVSwitchControl.h"

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

// Vector controls drawn by the NanoVG back end at 1x and 2x: each draws inside its rectangle (plus its
// shadow) and its picture changes with its value. Texts are left out, so no font is needed.

namespace
{
constexpr int kW = 120;
constexpr int kH = 100;
const IRECT kBounds(20, 10, 100, 90);
const IVStyle kStyle = DEFAULT_STYLE.WithShowLabel(false).WithShowValue(false);

// Makes one control over kBounds at the given value.
using MakeControl = std::function<IControl*()>;

struct Case
{
  const char* name;
  MakeControl make;
};

// The picture of the control at value v, at draw scale scale.
RGBAImage Draw(const MakeControl& make, double v, float scale)
{
  OffscreenCanvas canvas(kW, kH, scale);
  if (!canvas.Open())
    return RGBAImage();
  canvas.Attach([](IGraphics&, DrawingControl&) {});
  IControl* control = canvas.G().AttachControl(make());
  control->SetValue(v);
  control->SetDirty(false);
  canvas.G().DrawAll();
  return canvas.G().Snapshot();
}

// Number of pixels that are not white outside r (user units) at scale.
int PaintedOutside(const RGBAImage& image, const IRECT& r, float scale)
{
  int painted = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (!r.Contains((x + 0.5f) / scale, (y + 0.5f) / scale) && ChannelDistance(image.GetPixel(x, y), COLOR_WHITE) > 2)
        ++painted;
  return painted;
}

// Number of pixels that differ between two pictures of one size.
int Differences(const RGBAImage& a, const RGBAImage& b)
{
  int different = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (ChannelDistance(a.GetPixel(x, y), b.GetPixel(x, y)) > 8)
        ++different;
  return different;
}

class IVControlsPixelTest : public ::testing::TestWithParam<float>
{
};

const Case kCases[] = {
  {"knob", [] { return new IVKnobControl(kBounds, -1, "", kStyle); }},
  {"slider", [] { return new IVSliderControl(kBounds, -1, "", kStyle, false, kDirectionVertical, 4.0, 12.f, 4.f); }},
  {"toggle", [] { return new IVToggleControl(kBounds, -1, "", kStyle); }},
  {"slide switch", [] { return new IVSlideSwitchControl(kBounds, -1, "", kStyle); }},
};
} // namespace

TEST_P(IVControlsPixelTest, EachControlDrawsInsideItsBoundsAndShowsItsValue)
{
  const float scale = GetParam();
  for (const Case& c : kCases)
  {
    const RGBAImage low = Draw(c.make, 0.0, scale);
    ASSERT_GT(low.Width(), 0) << "no EGL surfaceless OpenGL context on this machine";
    const RGBAImage high = Draw(c.make, 1.0, scale);
    EXPECT_EQ(PaintedOutside(low, kBounds, scale), 0) << c.name << " at 0";
    EXPECT_EQ(PaintedOutside(high, kBounds, scale), 0) << c.name << " at 1";
    EXPECT_GT(Differences(low, high), static_cast<int>(20 * scale * scale)) << c.name << " changes with its value";
    EXPECT_GT(PaintedOutside(low, IRECT(), scale), 0) << c.name << " draws something";
  }
}

TEST_P(IVControlsPixelTest, APressedButtonIsLighterThanARaisedOne)
{
  const float scale = GetParam();
  const MakeControl button = [] { return new IVButtonControl(kBounds, nullptr, "", kStyle); };
  const RGBAImage raised = Draw(button, 0.0, scale);
  ASSERT_GT(raised.Width(), 0) << "no EGL surfaceless OpenGL context on this machine";
  const RGBAImage pressed = Draw(button, 1.0, scale);
  const int cx = static_cast<int>(kBounds.MW() * scale);
  const int cy = static_cast<int>(kBounds.MH() * scale);
  EXPECT_EQ(raised.GetPixel(cx, cy), IColor(255, 200, 200, 200));
  EXPECT_EQ(pressed.GetPixel(cx, cy), IColor(255, 240, 240, 240));
  EXPECT_EQ(PaintedOutside(raised, kBounds, scale), 0) << "the shadow stays inside the button's rectangle";
}

INSTANTIATE_TEST_SUITE_P(Scales, IVControlsPixelTest, ::testing::Values(1.f, 2.f));
