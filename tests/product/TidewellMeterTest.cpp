#include <gtest/gtest.h>

#include "support/RecordingGraphics.h"
#include "support/TidewellHarness.h"

using namespace iplug::igraphics;

namespace
{
  // Opens an editor on the harness's plug-in with a duck picture (tag 0) when withDuck.
  RecordingControl* OpenEditor(TidewellHarness& harness, bool withDuck)
  {
    Tidewell& plug = harness.Plug();
    plug.mMakeGraphicsFunc = [&plug] { return new RecordingGraphics(plug, 495, 220, 60, 1.f); };
    plug.OpenWindow(nullptr);
    if (!withDuck)
      return nullptr;
    return static_cast<RecordingControl*>(plug.GetUI()->AttachControl(new RecordingControl(IRECT(0, 0, 10, 10)), kCtrlTagDuck));
  }
}

TEST(TidewellMeter, IdleHandsTheMeterToTheDuckPictureOncePerBlock)
{
  TidewellHarness harness(2, 48000.0, 1000);
  RecordingControl* duck = OpenEditor(harness, true);
  harness.Run(960000 + 48000);
  harness.Plug().OnIdle();
  EXPECT_FLOAT_EQ(static_cast<float>(duck->GetValue()), harness.Plug().GetMeter());
  EXPECT_GT(duck->GetValue(), 0.99);
  EXPECT_FALSE(harness.Plug().GetMeterPending());

  duck->SetValue(0.0);
  harness.Plug().OnIdle();
  EXPECT_EQ(duck->GetValue(), 0.0) << "nothing is sent again until another block was processed";
}

TEST(TidewellMeter, WithTheEditorClosedTheMeterStaysPending)
{
  TidewellHarness harness(2);
  harness.RunBlock(64);
  harness.Plug().OnIdle();
  EXPECT_TRUE(harness.Plug().GetMeterPending());
}

TEST(TidewellMeter, MissingDuckPictureSendsNothing)
{
  TidewellHarness harness(2);
  OpenEditor(harness, false);
  harness.RunBlock(64);
  harness.Plug().OnIdle();
  EXPECT_FALSE(harness.Plug().GetMeterPending());
}
