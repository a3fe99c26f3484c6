#include <gtest/gtest.h>

#include "IBitmapControls.h"
#include "ICornerResizerControl.h"
#include "TidewellLayout.h"
#include "support/RecordingGraphics.h"
#include "support/TidewellHarness.h"

using namespace iplug::igraphics;

namespace
{
  // The product's layout run on a recording context (no bitmaps load there, so every control is placed
  // by its top-left corner alone).
  struct LaidOut
  {
    LaidOut() : graphics(harness.Plug(), kTidewellEditorWidth, kTidewellEditorHeight, kTidewellEditorFPS, 1.f)
    {
      graphics.mLogging = false;
      LayoutTidewellEditor(&graphics);
    }
    TidewellHarness harness{2};
    RecordingGraphics graphics;
  };

  template <typename T>
  bool Is(IControl* c)
  {
    return dynamic_cast<T*>(c) != nullptr;
  }
}

TEST(TidewellLayout, ControlsAreAttachedInTheSkinsOrderAtItsPositions)
{
  LaidOut e;
  ASSERT_EQ(e.graphics.NControls(), 7);
  EXPECT_TRUE(Is<IBitmapControl>(e.graphics.GetControl(0))) << "the background is drawn first";
  EXPECT_EQ(e.graphics.GetControl(0)->GetParamIdx(), -1);

  IControl* duckSwitch = e.graphics.GetControl(1);
  EXPECT_TRUE(Is<IBSwitchControl>(duckSwitch));
  EXPECT_EQ(duckSwitch->GetParamIdx(), kDuck);
  EXPECT_EQ(duckSwitch->GetRECT().L, 402.5f);
  EXPECT_EQ(duckSwitch->GetRECT().T, 121.f);

  const int params[] = {kPeriod, kRandom, kDuration, kDepth};
  const float xs[] = {16.5f, 115.5f, 214.5f, 313.5f};
  for (int k = 0; k < 4; ++k)
  {
    IControl* knob = e.graphics.GetControl(2 + k);
    EXPECT_TRUE(Is<IBKnobControl>(knob));
    EXPECT_EQ(knob->GetParamIdx(), params[k]);
    EXPECT_EQ(knob->GetRECT().L, xs[k]);
    EXPECT_EQ(knob->GetRECT().T, 110.f);
  }

  IControl* duck = e.graphics.GetControlWithTag(kCtrlTagDuck);
  ASSERT_EQ(duck, e.graphics.GetControl(6));
  EXPECT_TRUE(Is<IBKnobControl>(duck));
  EXPECT_EQ(duck->GetParamIdx(), -1) << "the meter, not a parameter, moves the duck";
  EXPECT_EQ(duck->GetRECT().L, 339.f);
  EXPECT_EQ(duck->GetRECT().T, 9.f);
}

TEST(TidewellLayout, TheCornerResizerScalesBetweenTwoThirdsAndOneAndAHalf)
{
  LaidOut e;
  ICornerResizerControl* resizer = e.graphics.GetCornerResizer();
  ASSERT_NE(resizer, nullptr);
  EXPECT_EQ(resizer->GetSize(), 17.f);
  EXPECT_EQ(e.graphics.GetResizerMode(), kResizerScale);
  EXPECT_EQ(e.graphics.GetMinScale(), 0.67f);
  EXPECT_EQ(e.graphics.GetMaxScale(), 1.5f);
  e.graphics.Resize(kTidewellEditorWidth, kTidewellEditorHeight, 1.5f);
  EXPECT_NEAR(resizer->GetRECT().W(), 17.f / 1.5f, 1e-4) << "the resizer keeps its on-screen size";
}

TEST(TidewellLayout, EachClickOnTheSwitchTogglesDuck)
{
  LaidOut e;
  Tidewell& plug = e.harness.Plug();
  IControl* duckSwitch = e.graphics.GetControl(1);
  const double before = plug.GetParam(kDuck)->Value();
  duckSwitch->SetValueFromDelegate(plug.GetParam(kDuck)->GetNormalized());
  duckSwitch->OnMouseDown(0, 0, IMouseMod(true));
  EXPECT_NE(plug.GetParam(kDuck)->Value(), before);
  duckSwitch->OnMouseDown(0, 0, IMouseMod(true));
  EXPECT_EQ(plug.GetParam(kDuck)->Value(), before);
}
