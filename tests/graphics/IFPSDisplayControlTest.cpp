#include <gtest/gtest.h>

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
  display.GetReadouts(main, second);
  EXPECT_STREQ(main.Get(), "0.00 FPS");
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
