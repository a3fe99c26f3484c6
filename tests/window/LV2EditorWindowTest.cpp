// Tidewell's LV2 editor as an LV2 host shows it: found through lilv in the built bundle's description,
// its binary loaded, instantiated inside a window of ours (ui:parent), driven by ui:idleInterface, with
// synthetic pointer input; what it writes to the plug-in's ports and the touch gestures around the writes
// are recorded, and a meter port event changes what the editor shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "window/LV2UITestHost.h"
#include "window/XTestDriver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace
{
  constexpr uint32_t kDuckPort = 0;
  constexpr uint32_t kPeriodPort = 1;
  constexpr uint32_t kMeterPort = 5;

  class LV2EditorWindow : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      if (!x.IsConnected())
        GTEST_SKIP() << "no X server with XTest ($DISPLAY)";
      std::string error;
      ASSERT_TRUE(host.Load(error)) << error;
      ASSERT_EQ(std::string(host.Descriptor()->URI), host.UIURI());
      descriptor = host.Descriptor();

      Display* display = x.Get();
      parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 495, 220, 0, 0, 0);
      XStoreName(display, parent, "lv2 editor test host");
      XMapRaised(display, parent);
      XSync(display, False);
    }

    void TearDown() override
    {
      host.Cleanup(editor);
      if (parent)
        XDestroyWindow(x.Get(), parent);
      if (x.IsConnected())
        x.Flush();
    }

    // Instantiates the editor in our window with the host features.
    void Open()
    {
      ASSERT_TRUE(host.Instantiate(parent, editor));
      handle = editor.handle;
      widgetWindow = editor.widget;
      RunIdle(0.2);
    }

    // Calls the editor's idle function, as a host's UI loop does, for seconds.
    void RunIdle(double seconds) { host.IdleFor(editor, seconds); }

    // The window's pixels in r (window coordinates), as the X server holds them.
    std::vector<unsigned long> Pixels(int left, int top, int width, int height)
    {
      std::vector<unsigned long> pixels;
      XImage* image = XGetImage(x.Get(), widgetWindow, left, top, static_cast<unsigned>(width),
                                static_cast<unsigned>(height), AllPlanes, ZPixmap);
      if (!image)
        return pixels;
      for (int y = 0; y < height; ++y)
        for (int xx = 0; xx < width; ++xx)
          pixels.push_back(XGetPixel(image, xx, y));
      XDestroyImage(image);
      return pixels;
    }

    XTestDriver x;
    LV2UITestHost host;
    LV2UITestHost::Editor editor;
    LV2UITraffic& traffic = editor.traffic;
    const LV2UI_Descriptor* descriptor = nullptr;
    unsigned long parent = 0;
    unsigned long widgetWindow = 0;
    LV2UI_Handle handle = nullptr;
  };
}

TEST_F(LV2EditorWindow, EmbedsInTheHostsWindowAtItsSize)
{
  Open();
  int w = 0, h = 0;
  ASSERT_TRUE(x.Size(widgetWindow, w, h));
  EXPECT_EQ(w, 495);
  EXPECT_EQ(h, 220);
  ASSERT_FALSE(traffic.sizes.empty());
  EXPECT_EQ(traffic.sizes.front(), std::make_pair(495, 220));
}

TEST_F(LV2EditorWindow, ClickOnDuckWritesBypassedToItsPortInsideAGesture)
{
  Open();
  x.Click(parent, 437, 141);
  RunIdle(0.3);
  ASSERT_FALSE(traffic.writes.empty());
  EXPECT_EQ(traffic.writes.back().port, kDuckPort);
  EXPECT_EQ(traffic.writes.back().value, 0.f);
  const std::vector<std::pair<uint32_t, bool>> gesture = {{kDuckPort, true}, {kDuckPort, false}};
  EXPECT_EQ(traffic.touches, gesture);
}

TEST_F(LV2EditorWindow, KnobDragWritesRisingValues)
{
  Open();
  x.DragBy(parent, 49, 150, 0, -5, 8, [this] { RunIdle(0.04); });
  RunIdle(0.2);
  std::vector<float> values;
  for (const LV2UITraffic::Write& write : traffic.writes)
    if (write.port == kPeriodPort)
      values.push_back(write.value);
  ASSERT_GE(values.size(), 2u);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  EXPECT_NEAR(values.back(), 0.5f + 40.f / 66.f / 4.f, 0.011f);
  ASSERT_GE(traffic.touches.size(), 2u);
  EXPECT_EQ(traffic.touches.front(), std::make_pair(kPeriodPort, true));
  EXPECT_EQ(traffic.touches.back(), std::make_pair(kPeriodPort, false));
}

TEST_F(LV2EditorWindow, MeterPortEventsMoveTheDuckAndHostValuesTheControls)
{
  Open();
  // The duck picture's region, and the Depth knob's.
  const std::vector<unsigned long> duckBefore = Pixels(339, 9, 120, 96);
  const std::vector<unsigned long> depthBefore = Pixels(313, 110, 66, 66);
  const float meter = 1.f;
  descriptor->port_event(handle, kMeterPort, sizeof(float), 0, &meter);
  RunIdle(0.2);
  EXPECT_NE(Pixels(339, 9, 120, 96), duckBefore);
  EXPECT_EQ(Pixels(313, 110, 66, 66), depthBefore);

  const float depth = 0.f;
  descriptor->port_event(handle, 4, sizeof(float), 0, &depth);
  RunIdle(0.2);
  EXPECT_NE(Pixels(313, 110, 66, 66), depthBefore);
  // A host's value is no user change: nothing goes back.
  EXPECT_TRUE(traffic.writes.empty());
  // Events of other formats or sizes are ignored.
  const double wide = 0.5;
  descriptor->port_event(handle, 4, sizeof(double), 0, &wide);
  descriptor->port_event(handle, 99, sizeof(float), 0, &depth);
  RunIdle(0.05);
}

// Hosts pass on whatever reached a port: values that are no numbers change nothing, others are clamped, and
// the editor shows what it would for the nearest value in range.
TEST_F(LV2EditorWindow, PortEventsThatAreNoNumbersAreIgnoredAndOutOfRangeOnesClamped)
{
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  constexpr uint32_t kDepthPort = 4;
  Open();
  const auto send = [this](uint32_t port, float value) {
    descriptor->port_event(handle, port, sizeof(float), 0, &value);
    RunIdle(0.1);
  };
  const auto duck = [this] { return Pixels(339, 9, 120, 96); };
  const auto depth = [this] { return Pixels(313, 110, 66, 66); };
  send(kMeterPort, 1.f);
  send(kDepthPort, 1.f);
  const std::vector<unsigned long> duckDeep = duck(), depthFull = depth();
  send(kMeterPort, 0.f);
  send(kDepthPort, 0.f);
  const std::vector<unsigned long> duckFlat = duck(), depthNone = depth();
  ASSERT_NE(duckDeep, duckFlat);
  ASSERT_NE(depthFull, depthNone);

  send(kMeterPort, 1e30f);
  send(kDepthPort, 1e30f);
  EXPECT_EQ(duck(), duckDeep);
  EXPECT_EQ(depth(), depthFull);
  for (const float ignored : {kNaN, -kInf, kInf})
  {
    send(kMeterPort, ignored);
    send(kDepthPort, ignored);
    EXPECT_EQ(duck(), duckDeep) << ignored;
    EXPECT_EQ(depth(), depthFull) << ignored;
  }
  send(kMeterPort, -5.f);
  send(kDepthPort, -5.f);
  EXPECT_EQ(duck(), duckFlat);
  EXPECT_EQ(depth(), depthNone);
  EXPECT_TRUE(traffic.writes.empty());
}

TEST_F(LV2EditorWindow, RefusesToOpenWithoutAParentWindow)
{
  const LV2_Feature* features[] = {nullptr};
  LV2UI_Widget widget = nullptr;
  EXPECT_EQ(descriptor->instantiate(descriptor, LV2UITestHost::kStereoURI, host.BundlePath().c_str(),
                                    [](LV2UI_Controller, uint32_t, uint32_t, uint32_t, const void*) {}, &traffic,
                                    &widget, features),
            nullptr);
}

// The keyboard stays the host's: touching a knob takes no focus, and a key the editor does not handle goes on
// to the host's window, as the space bar must for a host's play/stop.
TEST_F(LV2EditorWindow, AKeyTheEditorDoesNotHandleReachesTheHostsWindowAfterAClickOnAKnob)
{
  XSelectInput(x.Get(), parent, KeyPressMask | KeyReleaseMask);
  x.Focus(parent);
  Open();
  x.Click(parent, 49, 150); // the Period knob
  RunIdle(0.2);
  x.Key(XK_space);
  XEvent event{};
  const bool arrived = WaitFor([&] { return XCheckTypedWindowEvent(x.Get(), parent, KeyPress, &event) != 0; }, 3.0,
                               [this] { RunIdle(0.02); });
  ASSERT_TRUE(arrived) << "the key stayed in the editor";
  EXPECT_EQ(XLookupKeysym(&event.xkey, 0), static_cast<KeySym>(XK_space));
  EXPECT_EQ(event.xkey.subwindow, widgetWindow);
}
