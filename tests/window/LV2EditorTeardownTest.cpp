// Hosts end editors in any order: the window they gave the editor may be destroyed before the editor is closed,
// idle may keep being called in between, and one editor may close while another draws. None of it may end or
// disturb the host: no X error reaches the host's own error handler (Xlib's default one would end the process),
// and the host's handler is the one installed afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "window/LV2UITestHost.h"
#include "window/XTestDriver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
  int sHostXErrors = 0;
  int HostErrorHandler(Display* /*display*/, XErrorEvent* /*event*/)
  {
    ++sHostXErrors;
    return 0;
  }

  class LV2EditorTeardown : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      if (!x.IsConnected())
        GTEST_SKIP() << "no X server with XTest ($DISPLAY)";
      std::string error;
      ASSERT_TRUE(host.Load(error)) << error;
      sHostXErrors = 0;
      previousHandler = XSetErrorHandler(HostErrorHandler);
    }

    void TearDown() override
    {
      if (!x.IsConnected())
        return;
      XSync(x.Get(), False);
      EXPECT_EQ(XSetErrorHandler(previousHandler), HostErrorHandler) << "the host's error handler was replaced";
      EXPECT_EQ(sHostXErrors, 0) << "X errors reached the host";
    }

    unsigned long NewParent()
    {
      Display* display = x.Get();
      const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 495, 220, 0, 0, 0);
      XMapRaised(display, parent);
      XSync(display, False);
      return parent;
    }

    void DestroyParent(unsigned long parent)
    {
      XDestroyWindow(x.Get(), parent);
      XSync(x.Get(), False);
    }

    XTestDriver x;
    LV2UITestHost host;
    XErrorHandler previousHandler = nullptr;
  };
}

TEST_F(LV2EditorTeardown, ParentDestroyedBeforeCleanup)
{
  const unsigned long parent = NewParent();
  LV2UITestHost::Editor editor;
  ASSERT_TRUE(host.Instantiate(parent, editor));
  host.IdleFor(editor, 0.2);
  DestroyParent(parent);
  host.Cleanup(editor);
}

TEST_F(LV2EditorTeardown, ParentDestroyedThenIdledAHundredTimesBeforeCleanup)
{
  const unsigned long parent = NewParent();
  LV2UITestHost::Editor editor;
  ASSERT_TRUE(host.Instantiate(parent, editor));
  host.IdleFor(editor, 0.2);
  DestroyParent(parent);
  // Values keep arriving from the plug-in, and the editor keeps being idled, while the host tears down.
  for (int i = 0; i < 100; ++i)
  {
    host.PortEvent(editor, 5, static_cast<float>(i % 2));
    host.PortEvent(editor, 1, static_cast<float>(i) / 100.f);
    host.Idle(editor);
  }
  host.Cleanup(editor);
}

TEST_F(LV2EditorTeardown, CleanupBeforeParentDestroyed)
{
  const unsigned long parent = NewParent();
  LV2UITestHost::Editor editor;
  ASSERT_TRUE(host.Instantiate(parent, editor));
  host.IdleFor(editor, 0.2);
  host.Cleanup(editor);
  DestroyParent(parent);
}

TEST_F(LV2EditorTeardown, OneOfTwoEditorsClosedWhileTheOtherDraws)
{
  const unsigned long firstParent = NewParent();
  const unsigned long secondParent = NewParent();
  LV2UITestHost::Editor first;
  LV2UITestHost::Editor second;
  ASSERT_TRUE(host.Instantiate(firstParent, first));
  ASSERT_TRUE(host.Instantiate(secondParent, second));
  host.IdleFor(first, 0.1);
  host.IdleFor(second, 0.1);
  // The first's window goes with its parent while the second's meter moves; then the first closes mid-frames.
  DestroyParent(firstParent);
  for (int i = 0; i < 50; ++i)
  {
    host.PortEvent(second, 5, static_cast<float>(i % 2));
    host.Idle(first);
    host.Idle(second);
    if (i == 25)
      host.Cleanup(first);
  }
  // The survivor still draws: a meter change shows in its window.
  XImage* before = XGetImage(x.Get(), second.widget, 339, 9, 120, 96, AllPlanes, ZPixmap);
  ASSERT_NE(before, nullptr);
  host.PortEvent(second, 5, 0.f);
  host.IdleFor(second, 0.2);
  host.PortEvent(second, 5, 1.f);
  host.IdleFor(second, 0.2);
  XImage* after = XGetImage(x.Get(), second.widget, 339, 9, 120, 96, AllPlanes, ZPixmap);
  ASSERT_NE(after, nullptr);
  const std::size_t bytes = static_cast<std::size_t>(before->bytes_per_line) * static_cast<std::size_t>(before->height);
  const bool equal = after->bytes_per_line == before->bytes_per_line && std::equal(before->data, before->data + bytes, after->data);
  XDestroyImage(before);
  XDestroyImage(after);
  host.Cleanup(second);
  DestroyParent(secondParent);
  EXPECT_FALSE(equal) << "the surviving editor stopped drawing";
}
