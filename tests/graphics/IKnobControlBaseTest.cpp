#include <gtest/gtest.h>

#include "IKnobControlBase.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // A knob that draws nothing.
  class TestKnob : public IKnobControlBase
  {
  public:
    using IKnobControlBase::IKnobControlBase;
    void Draw(IGraphics&) override {}
  };

  TestKnob* AddKnob(GraphicsFixture& f, int paramIdx, const IRECT& r = IRECT(10, 10, 50, 50))
  {
    return static_cast<TestKnob*>(f.graphics.AttachControl(new TestKnob(r, paramIdx, kDirectionVertical, 4.0)));
  }
}

TEST(IKnobControlBase, AFortyUnitKnobAtGearingFourMovesOneHundredSixtiethPerUnitUp)
{
  GraphicsFixture f;
  TestKnob* knob = AddKnob(f, 0);
  knob->SetValue(0.5);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  f.graphics.OnMouseDrag({Mouse(20, 19, true, false, 0, -1)});
  EXPECT_NEAR(knob->GetValue(), 0.5 + 1.0 / 160.0, 1e-12);
  f.graphics.OnMouseDrag({Mouse(20, 69, true, false, 0, 50)});
  EXPECT_NEAR(knob->GetValue(), 0.5 + 1.0 / 160.0 - 50.0 / 160.0, 1e-12) << "a 50-unit drag down at gearing 4";
  IMouseInfo fine = Mouse(20, 68, true, false, 0, -1);
  fine.ms.S = true;
  const double before = knob->GetValue();
  f.graphics.OnMouseDrag({fine});
  EXPECT_NEAR(knob->GetValue(), before + 1.0 / 1600.0, 1e-12) << "shift is ten times finer";
  fine.ms.S = false;
  fine.ms.C = true;
  f.graphics.OnMouseDrag({fine});
  EXPECT_NEAR(knob->GetValue(), before + 2.0 / 1600.0, 1e-12) << "so is control";
}

TEST(IKnobControlBase, DraggingPastAnEndTurnsBackAtOnce)
{
  GraphicsFixture f;
  TestKnob* knob = AddKnob(f, 0);
  knob->SetValue(0.1);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  f.graphics.OnMouseDrag({Mouse(20, 500, true, false, 0, 480)});
  EXPECT_EQ(knob->GetValue(), 0.0);
  f.graphics.OnMouseDrag({Mouse(20, 499, true, false, 0, -1)});
  EXPECT_NEAR(knob->GetValue(), 1.0 / 160.0, 1e-12);
}

TEST(IKnobControlBase, ADragSendsValuesBetweenBeginAndEndAndHidesTheCursor)
{
  GraphicsFixture f;
  AddKnob(f, 0);
  f.graphics.mLogging = true;
  f.graphics.OnMouseDown({Mouse(20, 20)});
  EXPECT_TRUE(f.graphics.PointerHidden());
  f.graphics.OnMouseDrag({Mouse(20, 4, true, false, 0, -16)});
  f.graphics.OnMouseUp({Mouse(20, 4)});
  EXPECT_FALSE(f.graphics.PointerHidden());
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 0", "set 0 0.1", "end 0"}));
}

TEST(IKnobControlBase, SlowDragsOnASteppedParameterStillAdvance)
{
  GraphicsFixture f;
  TestKnob* knob = AddKnob(f, 2);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  for (int i = 0; i < 16; ++i)
    f.graphics.OnMouseDrag({Mouse(20, 20.f - i, true, false, 0, -1)});
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.1) << "16 units of 1/160 each reach the next step";
  EXPECT_EQ(f.dlg.GetParam(2)->Int(), 1);
}

TEST(IKnobControlBase, TheWheelMovesOneStepOfASteppedParameterAndStopsAtTheEnds)
{
  GraphicsFixture f;
  TestKnob* knob = AddKnob(f, 2);
  knob->SetValue(0.2);
  f.graphics.OnMouseWheel(20, 20, IMouseMod(), 3.f);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.3);
  f.graphics.OnMouseWheel(20, 20, IMouseMod(), -0.2f);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.2);
  knob->SetValue(1.0);
  f.graphics.OnMouseWheel(20, 20, IMouseMod(), 1.f);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 1.0);
  f.graphics.OnMouseWheel(20, 20, IMouseMod(), 0.f);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 1.0) << "a zero delta moves nothing";
}

TEST(IKnobControlBase, TheWheelOnAContinuousParameterMovesByTheHundredth)
{
  GraphicsFixture f;
  TestKnob* knob = AddKnob(f, 0);
  knob->SetValue(0.5);
  f.graphics.OnMouseWheel(20, 20, IMouseMod(), 2.f);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.52);
  f.graphics.OnMouseWheel(20, 20, IMouseMod(false, false, true), -1.f);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.519);
}
