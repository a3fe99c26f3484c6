#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "IFPSDisplayControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

TEST(IFPSDisplayControl, SixtyFramesASecondReadAsSixtyFpsAndSixteenPointSixSevenMs)
{
  IFPSDisplayControl display(IRECT(10, 10, 210, 60));
  for (int i = 0; i < IFPSDisplayControl::kNumDataPoints; ++i)
    display.Update(1.f / 60.f);
  WDL_String main, second;
  display.GetReadouts(main, second);
  EXPECT_STREQ(main.Get(), "60.00 FPS");
  EXPECT_STREQ(second.Get(), "16.67 ms");
  display.OnMouseDown(0, 0, IMouseMod());
  display.GetReadouts(main, second);
  EXPECT_STREQ(main.Get(), "16.67 ms");
  EXPECT_STREQ(second.Get(), "");
  display.OnMouseDown(0, 0, IMouseMod());
  display.GetReadouts(main, second);
  EXPECT_STREQ(main.Get(), "0.0 %");
  display.OnMouseDown(0, 0, IMouseMod());
  EXPECT_EQ(display.GetStyle(), IFPSDisplayControl::kFPS);
}

TEST(IFPSDisplayControl, TheRingKeepsTheLastHundredFrames)
{
  IFPSDisplayControl display(IRECT(10, 10, 210, 60));
  for (int i = 0; i < 50; ++i)
    display.Update(1.f);
  for (int i = 0; i < 100; ++i)
    display.Update(0.5f);
  EXPECT_FLOAT_EQ(display.GetAverage(), 0.5f);
}

TEST(IFPSDisplayControl, BeforeTheRingFillsOnlyTheFramesSeenCount)
{
  IFPSDisplayControl display(IRECT(10, 10, 210, 60));
  WDL_String main, second;
  display.Update(0.02f);
  display.Update(0.02f);
  display.GetReadouts(main, second);
  EXPECT_STREQ(main.Get(), "50.00 FPS");
  EXPECT_STREQ(second.Get(), "20.00 ms");
}

TEST(IFPSDisplayControl, AlwaysRedrawsAndDrawsTheBackEndNameAndLabel)
{
  GraphicsFixture f;
  f.graphics.ShowFPSDisplay(true);
  IControl* display = f.graphics.GetFPSDisplayControl();
  ASSERT_NE(display, nullptr);
  display->SetClean();
  EXPECT_TRUE(display->IsDirty());
  f.graphics.mLogging = true;
  display->Draw(f.graphics);
  const auto has = [&](const std::string& prefix) {
    return std::any_of(f.graphics.mLog.begin(), f.graphics.mLog.end(),
                       [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
  };
  EXPECT_TRUE(has("DoDrawText Recording"));
  EXPECT_TRUE(has("DoDrawText Frame Time"));
  EXPECT_EQ(f.graphics.mFills, 2);
}

// Through the context's drawing cycle: the frame on which the display appears (an editor's first frame, or
// the first after the display is shown again) has no earlier frame to be timed against.
TEST(IFPSDisplayControl, ShowsNoRateAndAFlatGraphUntilAFrameHasBeenTimed)
{
  GraphicsFixture f;
  const auto frame = [&f] {
    IRECTList rects;
    f.graphics.IsDirty(rects);
    f.graphics.Draw(rects);
  };
  const auto readout = [&f] {
    WDL_String main, second;
    f.graphics.GetFPSDisplayControl()->GetReadouts(main, second);
    return std::string(main.Get()) + "|" + second.Get();
  };
  for (int shown = 0; shown < 2; ++shown)
  {
    f.graphics.ShowFPSDisplay(true);
    f.graphics.mLogging = true;
    f.graphics.mLog.clear();
    frame();
    EXPECT_EQ(readout(), "|") << "showing " << shown;
    const IRECT graph = f.graphics.GetFPSDisplayControl()->GetRECT().GetPadded(-2.f);
    for (const std::string& line : f.graphics.mLog)
    {
      EXPECT_EQ(line.find("FPS"), std::string::npos) << line;
      float x = 0.f, y = 0.f;
      if (std::sscanf(line.c_str(), "PathLineTo %f %f", &x, &y) == 2 && x >= graph.L && x <= graph.R)
      {
        EXPECT_EQ(y, graph.B) << "a sample above the floor: " << line;
      }
    }
    frame();
    EXPECT_NE(readout().find(" FPS|"), std::string::npos) << readout();
    f.graphics.ShowFPSDisplay(false);
  }
}
