#include <gtest/gtest.h>

#include "IButtonControlBase.h"
#include "ISwitchControlBase.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  class TestSwitch : public ISwitchControlBase
  {
  public:
    using ISwitchControlBase::ISwitchControlBase;
    void Draw(IGraphics&) override {}
  };

  class TestButton : public IButtonControlBase
  {
  public:
    using IButtonControlBase::IButtonControlBase;
    void Draw(IGraphics&) override {}
  };

  std::vector<double> Clicks(GraphicsFixture& f, IControl* c, int n)
  {
    std::vector<double> values;
    for (int i = 0; i < n; ++i)
    {
      f.graphics.OnMouseDown({Mouse(5, 5)});
      f.graphics.OnMouseUp({Mouse(5, 5)});
      values.push_back(c->GetValue());
    }
    return values;
  }
}

TEST(ISwitchControlBase, AThreeStateSwitchCyclesAndWraps)
{
  GraphicsFixture f;
  IControl* s = f.graphics.AttachControl(new TestSwitch(IRECT(0, 0, 10, 10), -1, nullptr, 3));
  EXPECT_EQ(Clicks(f, s, 4), (std::vector<double>{0.5, 1.0, 0.0, 0.5}));
}

TEST(ISwitchControlBase, AFourStateSwitchReachesOneThenWraps)
{
  GraphicsFixture f;
  IControl* s = f.graphics.AttachControl(new TestSwitch(IRECT(0, 0, 10, 10), -1, nullptr, 4));
  const std::vector<double> values = Clicks(f, s, 4);
  EXPECT_NEAR(values[2], 1.0, 1e-12);
  EXPECT_EQ(values[3], 0.0);
}

TEST(ISwitchControlBase, ALinkedSwitchTakesItsStatesFromTheParameterRange)
{
  GraphicsFixture f;
  auto* s = static_cast<TestSwitch*>(f.graphics.AttachControl(new TestSwitch(IRECT(0, 0, 10, 10), 1)));
  EXPECT_EQ(s->GetNumStates(), 3);
  Clicks(f, s, 1);
  EXPECT_EQ(f.dlg.GetParam(1)->Int(), 1);
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 1", "set 1 0.5", "end 1"}));
}

TEST(ISwitchControlBase, DisabledStatesAreBoundsChecked)
{
  TestSwitch s(IRECT(0, 0, 10, 10), -1, nullptr, 3);
  s.SetStateDisabled(1, true);
  s.SetStateDisabled(7, true);
  EXPECT_TRUE(s.GetStateDisabled(1));
  EXPECT_FALSE(s.GetStateDisabled(7));
  EXPECT_FALSE(s.GetStateDisabled(-1));
  s.SetAllStatesDisabled(true);
  EXPECT_TRUE(s.GetStateDisabled(2));
}

TEST(IButtonControlBase, APressSetsOneAndTheClickAnimationReturnsItToZero)
{
  GraphicsFixture f;
  IControl* b = f.graphics.AttachControl(new TestButton(IRECT(0, 0, 10, 10)));
  EXPECT_TRUE(b->GetMouseDblAsSingleClick());
  f.graphics.OnMouseDown({Mouse(5, 5)});
  EXPECT_EQ(b->GetValue(), 1.0);
  b->OnEndAnimation();
  EXPECT_EQ(b->GetValue(), 0.0);
  EXPECT_FALSE(b->GetAnimationFunction());
}
