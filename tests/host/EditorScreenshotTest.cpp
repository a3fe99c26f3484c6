// The host program's editor screenshot, end to end through the component's view factory, against an image
// composed independently: cairo pastes each control's chosen frame, cut from the skin's PNG strips in the
// built bundle, onto the background at the control's place. Nothing of the toolkit's drawing code is used
// for the expectation; only the layout's places and the frame-choice rule are restated here.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "host/HostProgram.h"

namespace
{
  struct CairoSurfaceDeleter
  {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
  };
  using Surface = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;

  // One bitmap control of the editor: its strip, frame count, top-left corner in editor units, and value.
  struct Placement
  {
    const char* strip;
    int frames;
    double x;
    double y;
    double value;
  };

  // The frame a value 0-1 selects in a strip of n frames, from 1 (nearest frame, halves rounded up).
  int FrameFor(double value, int n)
  {
    return 1 + static_cast<int>(value * (n - 1) + 0.5);
  }

  Surface LoadPng(const std::string& path)
  {
    Surface surface(cairo_image_surface_create_from_png(path.c_str()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
      ADD_FAILURE() << "cannot read " << path;
    return surface;
  }

  std::string Resource(const std::string& name)
  {
    return BundlePath() + "/Contents/Resources/" + name;
  }

  // The editor as it should look: width x height device pixels for draw scale times screen scale `pixels`,
  // drawn from the strips of density `density` (1: name.png, 2: name@2x.png).
  Surface Expected(const std::vector<Placement>& controls, double pixels, int density, int width, int height)
  {
    const std::string suffix = density == 2 ? "@2x.png" : ".png";
    Surface canvas(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    cairo_t* cr = cairo_create(canvas.get());
    const double toDevice = pixels / density;
    Surface background = LoadPng(Resource("Background" + suffix));
    cairo_save(cr);
    cairo_scale(cr, toDevice, toDevice);
    cairo_set_source_surface(cr, background.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
    // Edge pixels repeat outward, as a GL texture clamped to its edge samples them.
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_restore(cr);
    for (const Placement& control : controls)
    {
      Surface strip = LoadPng(Resource(std::string(control.strip) + suffix));
      const int frameHeight = cairo_image_surface_get_height(strip.get()) / control.frames;
      const int frameWidth = cairo_image_surface_get_width(strip.get());
      const int frame = FrameFor(control.value, control.frames);
      cairo_save(cr);
      cairo_scale(cr, toDevice, toDevice);
      const double left = control.x * density;
      const double top = control.y * density;
      cairo_rectangle(cr, left, top, frameWidth, frameHeight);
      cairo_clip(cr);
      cairo_set_source_surface(cr, strip.get(), left, top - (frame - 1) * frameHeight);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
      cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
      cairo_paint(cr);
      cairo_restore(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(canvas.get());
    return canvas;
  }

  // Tidewell's bitmap controls at their places, with the defaults' frames and the given meter.
  std::vector<Placement> TidewellControls(double duck, double depth, double meter)
  {
    return {{"processBtn", 2, 402.5, 121, duck},     {"controlKnob", 31, 16.5, 110, 0.5},
            {"controlKnob", 31, 115.5, 110, 0.5},    {"controlKnob", 31, 214.5, 110, 0.5},
            {"controlKnob", 31, 313.5, 110, depth}, {"Rubberduck", 31, 339, 9, meter}};
  }

  struct Mismatch
  {
    long count = 0;   // pixels off by more than the tolerance, away from control edges
    int worst = 0;    // largest channel difference among them
    long checked = 0; // pixels compared
  };

  // Compares the screenshot with the expectation channel by channel (cairo's ARGB32 is premultiplied; the
  // editor is opaque, so it equals straight RGB). Pixels within one device pixel of a control's edge and the
  // corner resizer's square (drawn by vector, not from the skin) are left out: there the two rasterisers may
  // place the fractional edge differently.
  Mismatch Compare(cairo_surface_t* actual, cairo_surface_t* expected, const std::vector<Placement>& controls,
                   double pixels, int tolerance)
  {
    Mismatch result;
    const int width = cairo_image_surface_get_width(expected);
    const int height = cairo_image_surface_get_height(expected);
    const int aStride = cairo_image_surface_get_stride(actual);
    const int eStride = cairo_image_surface_get_stride(expected);
    const unsigned char* a = cairo_image_surface_get_data(actual);
    const unsigned char* e = cairo_image_surface_get_data(expected);
    const double resizer = 17.0 * pixels;
    for (int y = 0; y < height; ++y)
    {
      for (int x = 0; x < width; ++x)
      {
        if (x >= width - resizer - 1 && y >= height - resizer - 1)
          continue;
        bool nearEdge = false;
        for (const Placement& c : controls)
        {
          const double w = c.strip == std::string("processBtn") ? 70 : c.strip == std::string("controlKnob") ? 66 : 120;
          const double h = c.strip == std::string("processBtn") ? 40 : c.strip == std::string("controlKnob") ? 66 : 96;
          const double l = c.x * pixels, t = c.y * pixels, r = (c.x + w) * pixels, b = (c.y + h) * pixels;
          const bool inX = x + 1 >= l - 1 && x <= r + 1;
          const bool inY = y + 1 >= t - 1 && y <= b + 1;
          if ((inY && (std::fabs(x - l) <= 1.5 || std::fabs(x + 1 - r) <= 1.5)) ||
              (inX && (std::fabs(y - t) <= 1.5 || std::fabs(y + 1 - b) <= 1.5)))
            nearEdge = true;
        }
        if (nearEdge)
          continue;
        ++result.checked;
        int worst = 0;
        for (int ch = 0; ch < 4; ++ch)
          worst = std::max(worst, std::abs(a[y * aStride + x * 4 + ch] - e[y * eStride + x * 4 + ch]));
        if (worst > tolerance)
        {
          ++result.count;
          result.worst = std::max(result.worst, worst);
        }
      }
    }
    return result;
  }

  class EditorScreenshot : public ::testing::Test
  {
  protected:
    // The host draws off-screen when it reaches no window system, as on a build machine.
    void SetUp() override { unsetenv("DISPLAY"); }

    // Runs the screenshot with extra arguments and reads the PNG; null (and a failure) when it did not work.
    Surface Shoot(const std::vector<std::string>& extra)
    {
      std::vector<std::string> arguments = {"editor", "--screenshot", scratch.Path("shot.png"), "--component", BundlePath()};
      arguments.insert(arguments.end(), extra.begin(), extra.end());
      const HostRun run = RunHost(arguments, scratch);
      EXPECT_EQ(run.exitCode, 0) << run.err;
      if (run.exitCode != 0)
        return nullptr;
      return LoadPng(scratch.Path("shot.png"));
    }

    ScratchFolder scratch;
  };
}

TEST_F(EditorScreenshot, AtScreenScale2MatchesTheSkinsFramesPastedOnTheBackground)
{
  Surface shot = Shoot({"--screen-scale", "2"});
  ASSERT_TRUE(shot);
  ASSERT_EQ(cairo_image_surface_get_width(shot.get()), 990);
  ASSERT_EQ(cairo_image_surface_get_height(shot.get()), 440);
  const std::vector<Placement> controls = TidewellControls(1.0, 1.0, 0.0);
  Surface expected = Expected(controls, 2.0, 2, 990, 440);
  const Mismatch m = Compare(shot.get(), expected.get(), controls, 2.0, 3);
  EXPECT_GT(m.checked, 990L * 440L * 9 / 10);
  EXPECT_EQ(m.count, 0) << "worst difference " << m.worst;
}

TEST_F(EditorScreenshot, SettingsAndMeterChooseTheFramesShown)
{
  Surface shot = Shoot({"--screen-scale", "2", "--set", "Duck=Bypassed", "--set", "Depth=0.25", "--meter", "0.5"});
  ASSERT_TRUE(shot);
  const std::vector<Placement> controls = TidewellControls(0.0, 0.25, 0.5);
  Surface expected = Expected(controls, 2.0, 2, 990, 440);
  const Mismatch m = Compare(shot.get(), expected.get(), controls, 2.0, 3);
  EXPECT_EQ(m.count, 0) << "worst difference " << m.worst;
  // The defaults' frames differ from these: the comparison would see it.
  Surface defaults = Expected(TidewellControls(1.0, 1.0, 0.0), 2.0, 2, 990, 440);
  EXPECT_GT(Compare(shot.get(), defaults.get(), controls, 2.0, 3).count, 1000);
}

// Bitmaps come at the screen's density (1 here) and the draw scale magnifies them.
TEST_F(EditorScreenshot, AtDrawScaleOneAndAHalfMagnifiesTheScreenDensitySkin)
{
  Surface shot = Shoot({"--scale", "1.5"});
  ASSERT_TRUE(shot);
  ASSERT_EQ(cairo_image_surface_get_width(shot.get()), 742);
  ASSERT_EQ(cairo_image_surface_get_height(shot.get()), 330);
  const std::vector<Placement> controls = TidewellControls(1.0, 1.0, 0.0);
  Surface expected = Expected(controls, 1.5, 1, 742, 330);
  const Mismatch m = Compare(shot.get(), expected.get(), controls, 1.5, 4);
  EXPECT_EQ(m.count, 0) << "worst difference " << m.worst;
}

TEST_F(EditorScreenshot, OutOfRangeValuesAreOneErrorLineAndNoImage)
{
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
         {"--meter", "1.5"}, {"--scale", "0"}, {"--screen-scale", "3"}, {"--set", "Depth=7"}})
  {
    std::vector<std::string> arguments = {"editor", "--screenshot", scratch.Path("bad.png")};
    arguments.insert(arguments.end(), bad.begin(), bad.end());
    const HostRun run = RunHost(arguments, scratch);
    EXPECT_NE(run.exitCode, 0) << bad[0];
    EXPECT_EQ(run.ErrorLines().size(), 1u) << run.err;
    EXPECT_FALSE(std::filesystem::exists(scratch.Path("bad.png"))) << bad[0];
  }
}
