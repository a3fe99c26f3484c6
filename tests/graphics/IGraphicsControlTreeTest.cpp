#include <gtest/gtest.h>

#include "support/FakeGraphics.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // A delegate with one parameter and editor limits, and the context it owns.
  struct Fixture
  {
    Fixture() : dlg(1), graphics(dlg, 300, 200, 60, 1.f)
    {
      dlg.GetParam(0)->InitDouble("Level", 0.5, 0.0, 1.0, 0.01);
      dlg.SetSizeConstraints(100, 1000, 50, 500);
    }
    IGEditorDelegate dlg;
    FakeGraphics graphics;
  };

  // Counts its own destruction.
  class CountedControl : public RecordingControl
  {
  public:
    CountedControl(int* destroyed, int paramIdx = -1) : RecordingControl(IRECT(0, 0, 1, 1), paramIdx), mDestroyed(destroyed) {}
    ~CountedControl() override { ++*mDestroyed; }
    int* mDestroyed;
  };
}

TEST(IGraphicsControlTree, AttachLinksTheControlAndKeepsTags)
{
  Fixture f;
  IControl* control = f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 10, 10), 0), 3, "knobs");
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->GetUI(), &f.graphics);
  EXPECT_EQ(control->GetDelegate(), &f.dlg);
  EXPECT_STREQ(control->GetGroup(), "knobs");
  EXPECT_EQ(f.graphics.GetControlWithTag(3), control);
  EXPECT_EQ(f.graphics.GetControlWithTag(4), nullptr);
  EXPECT_EQ(f.graphics.NControls(), 1);
}

TEST(IGraphicsControlTree, ATakenTagAttachesNothingAndDoesNotLeak)
{
  Fixture f;
  int destroyed = 0;
  f.graphics.AttachControl(new CountedControl(&destroyed), 1);
  EXPECT_EQ(f.graphics.AttachControl(new CountedControl(&destroyed), 1), nullptr);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(f.graphics.NControls(), 1);
}

TEST(IGraphicsControlTree, TheContextDestroysItsControls)
{
  int destroyed = 0;
  {
    Fixture f;
    f.graphics.AttachControl(new CountedControl(&destroyed));
    f.graphics.AttachControl(new CountedControl(&destroyed), 2);
  }
  EXPECT_EQ(destroyed, 2);
}

TEST(IGraphicsControlTree, UserChangeReachesParameterAndPeers)
{
  Fixture f;
  IControl* moved = f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 10, 10), 0));
  IControl* peer = f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 10, 10), 0));
  int actions = 0;
  moved->SetActionFunction([&](IControl*) { ++actions; });
  moved->SetValue(1.7);
  moved->SetDirty(true);
  EXPECT_EQ(moved->GetValue(), 1.0) << "values are clamped to 0..1";
  EXPECT_EQ(f.dlg.GetParam(0)->Value(), 1.0);
  EXPECT_EQ(peer->GetValue(), 1.0);
  EXPECT_EQ(actions, 1);
}

TEST(IGraphicsControlTree, ResizeClampsToTheDelegateLimitsAndSkipsNoChange)
{
  Fixture f;
  f.graphics.Resize(300, 200, 1.f);
  EXPECT_EQ(f.graphics.mPlatformResizes, 0);
  f.graphics.Resize(5000, 10, 9.f);
  EXPECT_EQ(f.graphics.Width(), 1000);
  EXPECT_EQ(f.graphics.Height(), 50);
  EXPECT_EQ(f.graphics.GetDrawScale(), 2.f) << "scale limits are half and twice the first scale";
  EXPECT_EQ(f.graphics.mPlatformResizes, 1);
}

TEST(IGraphicsControlTree, DelegateValuesMarkDirtyOnlyWhenTheyChange)
{
  Fixture f;
  auto* control = static_cast<RecordingControl*>(f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 1, 1), 0)));
  control->SetClean();
  control->SetValueFromDelegate(0.0);
  EXPECT_FALSE(control->IsDirty());
  control->SetValueFromDelegate(0.3);
  EXPECT_TRUE(control->IsDirty());
}
