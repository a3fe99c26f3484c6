// An LV2 host may create and idle its editors on any one thread, not necessarily the process's first: the
// editor's frame timer and events belong to the thread that opened it, so idling from that thread draws and
// handles input.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>
#include <string>
#include <thread>

#include "window/LV2UITestHost.h"
#include "window/XTestDriver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
  // The number of distinct colours in the editor's window: a black or empty window has one.
  int DistinctColours(Display* display, unsigned long window)
  {
    XImage* image = XGetImage(display, window, 0, 0, 495, 220, AllPlanes, ZPixmap);
    if (!image)
      return 0;
    std::set<unsigned long> colours;
    for (int y = 0; y < 220; y += 4)
      for (int x = 0; x < 495; x += 4)
        colours.insert(XGetPixel(image, x, y));
    XDestroyImage(image);
    return static_cast<int>(colours.size());
  }
}

TEST(LV2EditorUIThread, AnEditorIdledOnAnotherThreadDrawsAndTakesClicks)
{
  XTestDriver x;
  if (!x.IsConnected())
    GTEST_SKIP() << "no X server with XTest ($DISPLAY)";
  LV2UITestHost host;
  std::string error;
  ASSERT_TRUE(host.Load(error)) << error;
  Display* display = x.Get();
  const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 495, 220, 0, 0, 0);
  XMapRaised(display, parent);
  XSync(display, False);

  LV2UITestHost::Editor editor;
  std::atomic<int> stage{0}; // 1: open, 2: failed to open, 3: asked to stop
  LV2UITraffic seen;
  std::thread ui([&] {
    if (!host.Instantiate(parent, editor))
    {
      stage = 2;
      return;
    }
    stage = 1;
    while (stage != 3)
    {
      host.Idle(editor);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    seen = editor.traffic;
    host.Cleanup(editor);
  });
  ASSERT_TRUE(WaitFor([&] { return stage != 0; }, 10.0));
  if (stage == 2)
  {
    ui.join();
    FAIL() << "the editor did not open on the UI thread";
  }
  const bool drawn = WaitFor([&] { return DistinctColours(display, editor.widget) > 8; }, 5.0);
  x.Click(parent, 437, 141); // the Duck switch
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  stage = 3;
  ui.join();
  XDestroyWindow(display, parent);
  XSync(display, False);

  EXPECT_TRUE(drawn) << "the editor's window stayed blank";
  ASSERT_FALSE(seen.writes.empty()) << "the click did not reach the parameter";
  EXPECT_EQ(seen.writes.back().port, 0u);
  EXPECT_EQ(seen.writes.back().value, 0.f);
}
