#include <gtest/gtest.h>

#include <cstdio>

#include "IBitmapControls.h"
#include "ICornerResizerControl.h"
#include "IFPSDisplayControl.h"
#include "IPanelControl.h"
#include "ISVGControls.h"
#include "support/RecordingGraphics.h"

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
    RecordingGraphics graphics;
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

TEST(IGraphicsControlTree, RemoveControlsFromTheCountRemovesNothingButMarksAllDirty)
{
  Fixture f;
  IControl* a = f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 1, 1)));
  f.graphics.SetAllControlsClean();
  f.graphics.RemoveControls(1);
  EXPECT_EQ(f.graphics.NControls(), 1);
  EXPECT_TRUE(a->IsDirty());
}

TEST(IGraphicsControlTree, RemoveControlsDestroysFromTheEndDownToTheIndexAndForgetsTheirTags)
{
  Fixture f;
  int destroyed = 0;
  f.graphics.AttachControl(new CountedControl(&destroyed), 0);
  f.graphics.AttachControl(new CountedControl(&destroyed), 1);
  f.graphics.AttachControl(new CountedControl(&destroyed), 2);
  f.graphics.RemoveControls(1);
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(f.graphics.NControls(), 1);
  EXPECT_EQ(f.graphics.GetControlWithTag(1), nullptr);
  EXPECT_EQ(f.graphics.GetControlWithTag(2), nullptr);
  EXPECT_NE(f.graphics.GetControlWithTag(0), nullptr);
}

TEST(IGraphicsControlTree, RemoveControlWithTagHandsTheControlBackUndestroyed)
{
  Fixture f;
  int destroyed = 0;
  auto* control = new CountedControl(&destroyed);
  f.graphics.AttachControl(control, 5);
  f.graphics.RemoveControlWithTag(5);
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(f.graphics.NControls(), 0);
  EXPECT_EQ(f.graphics.GetControlWithTag(5), nullptr);
  delete control;
}

TEST(IGraphicsControlTree, GroupsHideAndDisableReachOnlyTheirControls)
{
  Fixture f;
  IControl* a = f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 1, 1), 0), -1, "knobs");
  IControl* b = f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 1, 1)), -1, "");
  int visited = 0;
  f.graphics.ForControlInGroup("knobs", [&](IControl*) { ++visited; });
  f.graphics.ForControlInGroup("", [&](IControl*) { ++visited; });
  EXPECT_EQ(visited, 1) << "an empty group name matches nothing";
  f.graphics.HideControl(0, true);
  f.graphics.DisableControl(0, true);
  EXPECT_TRUE(a->IsHidden());
  EXPECT_TRUE(a->IsDisabled());
  EXPECT_FALSE(b->IsHidden());
  EXPECT_FALSE(b->IsDisabled());
}

TEST(IGraphicsControlTree, SpecialControlsAreVisitedAfterTheStandardOnesBubblesLast)
{
  Fixture f;
  f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 1, 1)));
  f.graphics.AttachBubbleControl();
  f.graphics.AttachCornerResizer(kResizerScale, false);
  f.graphics.ShowFPSDisplay(true);
  std::vector<IControl*> order;
  f.graphics.ForAllControlsFunc([&](IControl* c) { order.push_back(c); });
  ASSERT_EQ(order.size(), 4u);
  EXPECT_EQ(order[0], f.graphics.GetControl(0));
  EXPECT_EQ(order[1], static_cast<IControl*>(f.graphics.GetFPSDisplayControl()));
  EXPECT_EQ(order[2], static_cast<IControl*>(f.graphics.GetCornerResizer()));
  EXPECT_EQ(f.graphics.NBubbles(), 1);
}

TEST(IGraphicsControlTree, ASecondCornerResizerIsDestroyedAndChangesNothing)
{
  Fixture f;
  f.graphics.AttachCornerResizer(kResizerScale, false);
  ICornerResizerControl* first = f.graphics.GetCornerResizer();
  f.graphics.AttachCornerResizer(kResizerSize, true);
  EXPECT_EQ(f.graphics.GetCornerResizer(), first);
  EXPECT_EQ(f.graphics.GetResizerMode(), kResizerScale);
}

TEST(IGraphicsControlTree, DisablingTheFrameTimeDisplayClearsTheHoverControl)
{
  Fixture f;
  f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 300, 200)));
  IControl* c = f.graphics.AttachControl(new RecordingControl(IRECT(100, 100, 120, 120)));
  f.graphics.EnableMouseOver(true);
  f.graphics.OnMouseOver(110, 110, IMouseMod());
  EXPECT_EQ(f.graphics.GetHoverControl(), c);
  f.graphics.ShowFPSDisplay(true);
  f.graphics.ShowFPSDisplay(false);
  EXPECT_EQ(f.graphics.GetHoverControl(), nullptr);
  EXPECT_EQ(f.graphics.GetHoverIdx(), -1);
}

TEST(IGraphicsControlTree, ParameterNamesBecomeTooltipsOfLinkedControls)
{
  Fixture f;
  IControl* linked = f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 1, 1), 0));
  IControl* unlinked = f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 1, 1)));
  f.graphics.AssignParamNameToolTips();
  EXPECT_STREQ(linked->GetTooltip(), "Level");
  EXPECT_STREQ(unlinked->GetTooltip(), "");
}

TEST(IGraphicsControlTree, BackgroundsGoInFrontOfTheListAndTheBackgroundNeverTakesHover)
{
  Fixture f;
  IControl* first = f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 10, 10)));
  const std::string svgPath = testing::TempDir() + "tidewell-background.svg";
  std::FILE* file = std::fopen(svgPath.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("<svg xmlns='http://www.w3.org/2000/svg' width='300' height='200'><rect width='300' height='200'/></svg>", file);
  std::fclose(file);
  f.graphics.AttachSVGBackground(svgPath.c_str());
  EXPECT_NE(dynamic_cast<ISVGControl*>(f.graphics.GetControl(0)), nullptr);
  EXPECT_EQ(f.graphics.GetControl(0)->GetRECT(), IRECT(0, 0, 300, 200));
  f.graphics.AttachPanelBackground(IPattern(COLOR_WHITE));
  EXPECT_NE(dynamic_cast<IPanelControl*>(f.graphics.GetControl(0)), nullptr);
  EXPECT_TRUE(f.graphics.GetControl(0)->GetIgnoreMouse()) << "a panel background lets the pointer through";
  f.graphics.AttachBackground("no-such-background.png");
  EXPECT_NE(dynamic_cast<IBitmapControl*>(f.graphics.GetControl(0)), nullptr);
  EXPECT_EQ(f.graphics.GetControl(3), first);
  std::remove(svgPath.c_str());
}
