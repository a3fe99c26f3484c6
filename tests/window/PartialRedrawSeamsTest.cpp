// What Tidewell's editor window shows after partial redraws equals what a full redraw of the same state shows,
// at every screen scale and draw scale: the editor is opened in-process through the component's view factory
// inside a window of ours, clicked, dragged, changed from the host and its meter moved, then the window's pixels
// as the X server holds them are compared with the view's full redraw (cacheDisplayInRect). A presented region
// that wrote anything past its own pixels, or missed some, shows as a difference; the skin has no near-black
// pixel, so the dark line such an edge leaves is looked for on its own too.
#include <gtest/gtest.h>

#include <CoreFoundation/CoreFoundation.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ControlValueProperty.h"
#include "EditorView.h"
#include "HostComponent.h"
#include "window/XTestDriver.h"

// Xlib's macros clash with the names above: it comes last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
  // Tidewell's editor at scale 1, in points.
  constexpr double kEditorWidth = 495.0;
  constexpr double kEditorHeight = 220.0;
  // The control tag of the duck meter, and the Random and Depth parameters' ids.
  constexpr SInt32 kMeterTag = 0;
  constexpr AudioUnitParameterID kRandomParameter = 2;
  constexpr AudioUnitParameterID kDepthParameter = 4;
  // Largest difference of one colour channel between the window and the full redraw: none is expected, the
  // margin only covers rounding in the server's conversion of the GL picture.
  constexpr int kTolerance = 2;
  // Every channel below this is "near black", which the skin never is.
  constexpr int kNearBlack = 16;

  void Pump(double seconds = 0.02)
  {
    CFRunLoopRunInMode(kCFRunLoopDefaultMode, seconds, false);
  }

  struct Scales
  {
    double screen; // device pixels per point
    double draw;   // the editor's own scale
  };

  std::string ScalesName(const ::testing::TestParamInfo<Scales>& info)
  {
    std::string name = "Screen" + std::to_string(static_cast<int>(info.param.screen)) + "xDraw" +
                       std::to_string(static_cast<int>(info.param.draw * 10.0));
    return name;
  }

  // An RGB picture, top row first.
  struct Picture
  {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // 3 bytes a pixel

    const unsigned char* At(int x, int y) const { return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3; }
  };

  // The window's pixels as the X server holds them (24-bit TrueColor: the alpha the GL picture had is gone).
  Picture ReadWindow(Display* display, unsigned long window, int width, int height)
  {
    Picture picture;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image)
      return picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
      {
        const unsigned long pixel = XGetPixel(image, x, y);
        unsigned char* out = picture.rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
        out[0] = static_cast<unsigned char>((pixel & image->red_mask) >> __builtin_ctzl(image->red_mask));
        out[1] = static_cast<unsigned char>((pixel & image->green_mask) >> __builtin_ctzl(image->green_mask));
        out[2] = static_cast<unsigned char>((pixel & image->blue_mask) >> __builtin_ctzl(image->blue_mask));
      }
    XDestroyImage(image);
    return picture;
  }

  // The view's full redraw of its present state, its alpha dropped as the window's is.
  Picture FullRedraw(NSView& view, int width, int height)
  {
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
    NSBitmapImageRep rep{width, height, width * 4, rgba.data()};
    Picture picture;
    if (!view.cacheDisplayInRect(&rep))
      return picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i)
      std::copy_n(rgba.data() + i * 4, 3, picture.rgb.data() + i * 3);
    return picture;
  }

  // Where pictures differ or are near black: how many pixels, and the box around them.
  struct Defects
  {
    long count = 0;
    int left = 0, top = 0, right = -1, bottom = -1;

    void Add(int x, int y)
    {
      if (count++ == 0)
      {
        left = right = x;
        top = bottom = y;
        return;
      }
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
    std::string Describe() const
    {
      std::ostringstream text;
      text << count << " pixels within x " << left << ".." << right << ", y " << top << ".." << bottom;
      return text.str();
    }
  };

  Defects Differences(const Picture& shown, const Picture& full)
  {
    Defects defects;
    for (int y = 0; y < shown.height; ++y)
      for (int x = 0; x < shown.width; ++x)
      {
        const unsigned char* a = shown.At(x, y);
        const unsigned char* b = full.At(x, y);
        for (int c = 0; c < 3; ++c)
          if (std::abs(a[c] - b[c]) > kTolerance)
          {
            defects.Add(x, y);
            break;
          }
      }
    return defects;
  }

  Defects NearBlack(const Picture& picture)
  {
    Defects defects;
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x)
      {
        const unsigned char* p = picture.At(x, y);
        if (p[0] < kNearBlack && p[1] < kNearBlack && p[2] < kNearBlack)
          defects.Add(x, y);
      }
    return defects;
  }

  class PartialRedrawSeams : public ::testing::TestWithParam<Scales>
  {
  protected:
    void SetUp() override
    {
      if (!x.IsConnected())
        GTEST_SKIP() << "no X server with XTest ($DISPLAY)";
    }

    void TearDown() override
    {
      editor.reset();
      if (parent)
      {
        XDestroyWindow(x.Get(), parent);
        x.Flush();
      }
    }

    // Opens the editor at the test's scales inside a window of ours just its size.
    void Open()
    {
      std::string error;
      unit = HostComponent::OpenTidewell(TIDEWELL_BUNDLE_PATH, error);
      ASSERT_TRUE(unit) << error;
      editor = EditorView::Open(*unit, error);
      ASSERT_TRUE(editor) << error;
      // As a host does: the view is shown in the host's window, then told the window's scale and size, and
      // the window follows the size the view takes.
      // Views measure whole points: the scaled editor's size is truncated before the screen scale applies.
      width = static_cast<int>(kEditorWidth * GetParam().draw) * static_cast<int>(GetParam().screen);
      height = static_cast<int>(kEditorHeight * GetParam().draw) * static_cast<int>(GetParam().screen);
      ASSERT_LE(width, DisplayWidth(x.Get(), DefaultScreen(x.Get()))) << "the X screen is too small for the editor";
      ASSERT_LE(height, DisplayHeight(x.Get(), DefaultScreen(x.Get()))) << "the X screen is too small for the editor";
      parent = XCreateSimpleWindow(x.Get(), DefaultRootWindow(x.Get()), 0, 0, static_cast<unsigned>(width),
                                   static_cast<unsigned>(height), 0, 0, 0);
      XStoreName(x.Get(), parent, "partial redraw seams test");
      XMapRaised(x.Get(), parent);
      x.Flush();
      NSView& view = editor->View();
      ASSERT_TRUE(view.addToWindow(parent));
      view.setBackingScaleFactor(GetParam().screen);
      view.setFrameSize(NSSize{kEditorWidth * GetParam().draw, kEditorHeight * GetParam().draw});
      ASSERT_EQ(editor->PixelWidth(), width);
      ASSERT_EQ(editor->PixelHeight(), height);
      Window root = 0, parentId = 0;
      Window* children = nullptr;
      unsigned count = 0;
      XQueryTree(x.Get(), parent, &root, &parentId, &children, &count);
      ASSERT_EQ(count, 1u);
      editorWindow = children[0];
      XFree(children);
      Settle();
    }

    // Window pixels of a point of the editor at scale 1.
    int Px(double points) const { return static_cast<int>(points * GetParam().draw * GetParam().screen); }

    // Runs frames until the editor has drawn nothing new for a while: every change so far is on the screen.
    void Settle()
    {
      NSViewFrameStatistics last{};
      editor->View().frameStatistics(&last);
      int quietFrames = 0;
      for (int i = 0; i < 300 && quietFrames < 10; ++i)
      {
        Pump();
        NSViewFrameStatistics now{};
        editor->View().frameStatistics(&now);
        quietFrames = now.framesDrawn == last.framesDrawn && now.framesSkipped > last.framesSkipped ? quietFrames + 1 : 0;
        last = now;
      }
    }

    void SetMeter(double value)
    {
      const ControlValue meter{kMeterTag, value};
      ASSERT_EQ(unit->Set(kControlValuePropertyID, kAudioUnitScope_Global, 0, meter), noErr);
    }

    // Compares what the window shows with a full redraw of the same state.
    void ExpectWindowEqualsFullRedraw(const std::string& when)
    {
      Settle();
      const Picture shown = ReadWindow(x.Get(), editorWindow, width, height);
      ASSERT_EQ(shown.width, width) << when << ": the window cannot be read";
      const Picture full = FullRedraw(editor->View(), width, height);
      ASSERT_EQ(full.width, width) << when << ": the view cannot be drawn";
      const Defects differences = Differences(shown, full);
      EXPECT_EQ(differences.count, 0) << when << ": the window differs from a full redraw in "
                                      << differences.Describe();
      const Defects dark = NearBlack(shown);
      EXPECT_EQ(dark.count, 0) << when << ": near-black in " << dark.Describe();
    }

    XTestDriver x;
    std::unique_ptr<HostComponent> unit;
    std::unique_ptr<EditorView> editor;
    unsigned long parent = 0;
    unsigned long editorWindow = 0;
    int width = 0;
    int height = 0;
  };
}

TEST_P(PartialRedrawSeams, WindowEqualsAFullRedrawAfterClicksDragsHostChangesAndMeterMoves)
{
  Open();
  ExpectWindowEqualsFullRedraw("opened");

  // The Duck switch, then the Period knob up and the Duration knob down.
  x.Click(parent, Px(437), Px(141));
  ExpectWindowEqualsFullRedraw("after the Duck click");
  x.DragBy(parent, Px(49), Px(150), 0, -6, 8, [] { Pump(0.03); });
  x.DragBy(parent, Px(247), Px(150), 0, 5, 6, [] { Pump(0.03); });
  ExpectWindowEqualsFullRedraw("after the knob drags");

  ASSERT_EQ(unit->SetParameter(kRandomParameter, 0.9f), noErr);
  ASSERT_EQ(unit->SetParameter(kDepthParameter, 0.2f), noErr);
  ExpectWindowEqualsFullRedraw("after the host's changes");

  for (const double meter : {0.35, 0.8, 1.0, 0.1})
  {
    SetMeter(meter);
    Pump(0.05);
  }
  ExpectWindowEqualsFullRedraw("after the meter moved");
}

INSTANTIATE_TEST_SUITE_P(ScreenAndDrawScales, PartialRedrawSeams,
                         ::testing::Values(Scales{1.0, 1.0}, Scales{1.0, 1.5}, Scales{2.0, 1.0}, Scales{2.0, 1.5}),
                         ScalesName);
