// The host program's editor in a real X server, driven by synthetic pointer input: what the editor sends the
// host is read from the program's output, what it does to the host's window from the server.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "window/HostEditorProcess.h"
#include "window/XTestDriver.h"

// Xlib's macros (None, Bool, ...) clash with the test framework's names: it comes last.
#include <X11/Xlib.h>

namespace
{
  constexpr const char* kWindowName = "Kelvane: Tidewell";

  class HostEditorWindow : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      if (!x.IsConnected())
        GTEST_SKIP() << "no X server with XTest ($DISPLAY)";
      host = std::make_unique<HostEditorProcess>(std::vector<std::string>{"--seconds", "60"});
      ASSERT_TRUE(host->Started());
      ASSERT_TRUE(WaitFor([&] { return (window = x.FindWindow(kWindowName)) != 0; }, 20.0)) << "no editor window";
      // The editor draws its first frame once shown; give it a moment to take input.
      Pause(0.3);
    }

    static void Pause(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

    // The numbers of the "param NAME VALUE" lines for name, in order.
    std::vector<double> Values(const std::string& name)
    {
      host->ReadOutput();
      std::vector<double> values;
      const std::string prefix = "param " + name + " ";
      for (const std::string& line : host->Lines())
        if (line.compare(0, prefix.size(), prefix) == 0)
          values.push_back(std::strtod(line.c_str() + prefix.size(), nullptr));
      return values;
    }

    bool SizeIs(int width, int height)
    {
      int w = 0, h = 0;
      return x.Size(window, w, h) && w == width && h == height;
    }

    XTestDriver x;
    std::unique_ptr<HostEditorProcess> host;
    unsigned long window = 0;
  };
}

TEST_F(HostEditorWindow, ClickOnTheDuckSwitchTurnsDuckingOff)
{
  x.Click(window, 437, 141);
  EXPECT_TRUE(WaitFor([&] { return host->HasLine("param Duck Bypassed"); }, 5.0));
}

TEST_F(HostEditorWindow, VerticalDragOnAKnobSendsAGestureWithRisingValues)
{
  // Up by 50 pixels in ten steps: at gearing 4 over the knob's 66 pixels, 50 / 66 / 4 of the range.
  x.DragBy(window, 49, 150, 0, -5, 10, [] { Pause(0.04); });
  ASSERT_TRUE(WaitFor([&] { return host->HasLine("end Period"); }, 5.0));
  const std::vector<std::string>& lines = host->Lines();
  const auto begin = std::find(lines.begin(), lines.end(), "begin Period");
  const auto end = std::find(lines.begin(), lines.end(), "end Period");
  ASSERT_NE(begin, lines.end());
  EXPECT_LT(begin, end);
  const std::vector<double> values = Values("Period");
  ASSERT_GE(values.size(), 2u);
  for (std::size_t i = 1; i < values.size(); ++i)
    EXPECT_GE(values[i], values[i - 1]) << "value " << i;
  EXPECT_NEAR(values.back(), 0.5 + 50.0 / 66.0 / 4.0, 0.011);
}

TEST_F(HostEditorWindow, CornerResizerScalesTheHostWindowWithinItsBoundsAndDoubleClickRestoresIt)
{
  ASSERT_TRUE(SizeIs(495, 220));
  x.Drag(window, 487, 212, 600, 262, 8, [] { Pause(0.03); });
  int w = 0, h = 0;
  ASSERT_TRUE(WaitFor([&] { return x.Size(window, w, h) && w > 495; }, 5.0));
  EXPECT_LE(w, 742);
  EXPECT_NEAR(static_cast<double>(h) / w, 220.0 / 495.0, 0.01);

  // Far beyond the largest scale: the window stops at 1.5 times the editor.
  x.Drag(window, w - 8, h - 8, 1100, 700, 8, [] { Pause(0.03); });
  ASSERT_TRUE(WaitFor([&] { return SizeIs(742, 330); }, 5.0));
  // And far below the smallest: 0.67 times.
  x.Drag(window, 734, 322, 50, 20, 8, [] { Pause(0.03); });
  ASSERT_TRUE(WaitFor([&] { return x.Size(window, w, h) && w < 495; }, 5.0));
  EXPECT_EQ(w, static_cast<int>(495 * 0.67f));
  EXPECT_EQ(h, static_cast<int>(220 * 0.67f));

  x.MoveTo(window, w - 6, h - 6);
  x.Button(1, true);
  x.Button(1, false);
  x.Button(1, true);
  x.Button(1, false);
  EXPECT_TRUE(WaitFor([&] { return SizeIs(495, 220); }, 5.0));
}

TEST_F(HostEditorWindow, ClosingTheWindowEndsTheProgramCleanly)
{
  x.RequestClose(window);
  EXPECT_EQ(host->WaitExit(10.0), 0);
  EXPECT_FALSE(WaitFor([&] { return x.FindWindow(kWindowName) != 0; }, 0.1));
}

TEST(HostEditorSeconds, EndAfterTheirTimeWithFrameStatistics)
{
  XTestDriver x;
  if (!x.IsConnected())
    GTEST_SKIP() << "no X server with XTest ($DISPLAY)";
  HostEditorProcess host({"--seconds", "2", "--stats"});
  ASSERT_TRUE(host.Started());
  EXPECT_EQ(host.WaitExit(20.0), 0);
  bool drawn = false, skipped = false;
  for (const std::string& line : host.Lines())
  {
    drawn = drawn || line.rfind("frames drawn: ", 0) == 0;
    skipped = skipped || line.rfind("frames skipped (nothing dirty): ", 0) == 0;
  }
  EXPECT_TRUE(drawn);
  EXPECT_TRUE(skipped);
}
