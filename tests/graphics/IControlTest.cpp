#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

TEST(IControlSetDirty, ASingleSlotControlActsOnSlotZeroWhateverIndexIsPassed)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(0, 0, 10, 10), 0);
  c->SetValue(1.5);
  c->SetDirty(true, 5);
  EXPECT_EQ(c->GetValue(), 1.0);
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"set 0 1"}));
  f.dlg.mHost.clear();
  c->SetValueToDefault(-1);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.5);
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"set 0 0.5"}));
}

TEST(IControlSetDirty, AnUnlinkedControlRunsItsActionButTellsTheHostNothing)
{
  GraphicsFixture f;
  int actions = 0;
  IControl* c = f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 10, 10), [&](IControl*) { ++actions; }));
  c->SetDirty(true);
  EXPECT_EQ(actions, 1);
  EXPECT_TRUE(f.dlg.mHost.empty());
}

TEST(IControlSetDirty, EverySlotOfAMultiSlotControlIsClampedAndSentInOrder)
{
  GraphicsFixture f;
  auto* c = static_cast<RecordingControl*>(f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 1, 1), {2, -1, 0})));
  c->SetValue(-3.0, 0);
  c->SetValue(7.0, 1);
  c->SetValue(0.25, 2);
  c->SetDirty(true, -1);
  EXPECT_EQ(c->GetValue(0), 0.0);
  EXPECT_EQ(c->GetValue(1), 1.0);
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"set 2 0", "set 0 0.25"}));
}

TEST(IControlValueFromDelegate, RedrawsOnlyOnChangeAndNeverEchoesToTheHost)
{
  GraphicsFixture f;
  int actions = 0;
  RecordingControl* c = f.Add(IRECT(0, 0, 1, 1), 0);
  c->SetActionFunction([&](IControl*) { ++actions; });
  c->SetClean();
  c->SetValueFromDelegate(0.0);
  EXPECT_FALSE(c->IsDirty());
  c->SetValueFromDelegate(0.3);
  EXPECT_TRUE(c->IsDirty());
  c->SetClean();
  c->SetValueFromDelegate(std::nan(""));
  EXPECT_TRUE(c->IsDirty()) << "NaN always counts as a change";
  EXPECT_EQ(actions, 0);
  EXPECT_TRUE(f.dlg.mHost.empty());
}

TEST(IControlValueFromDelegate, AControlBeingDraggedIgnoresTheHostEcho)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(0, 0, 10, 10), 0);
  f.graphics.OnMouseDown({Mouse(5, 5)});
  c->SetValueFromDelegate(0.9);
  EXPECT_EQ(c->GetValue(), 0.0);
  f.graphics.OnMouseUp({Mouse(5, 5)});
  c->SetValueFromDelegate(0.9);
  EXPECT_EQ(c->GetValue(), 0.9);
}

TEST(IControlSnapToMouse, TopIsOneBottomIsZeroAndResultsAreThousandths)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(0, 0, 10, 100), 0);
  const IRECT track(0, 0, 10, 100);
  c->SnapToMouse(5, 0, kDirectionVertical, track);
  EXPECT_EQ(c->GetValue(), 1.0);
  c->SnapToMouse(5, 100, kDirectionVertical, track);
  EXPECT_EQ(c->GetValue(), 0.0);
  c->SnapToMouse(5, -50, kDirectionVertical, track);
  EXPECT_EQ(c->GetValue(), 1.0) << "outside points are clamped to the bounds";
  c->SnapToMouse(3.3333f, 50, kDirectionHorizontal, track);
  EXPECT_NEAR(c->GetValue(), 0.333, 1e-12);
  EXPECT_NEAR(std::fmod(c->GetValue() * 1000.0, 1.0), 0.0, 1e-6);
  c->SnapToMouse(9, 50, kDirectionHorizontal, track, -1, 0.2, 0.8);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.8);
}

TEST(IControlPrompt, RightClickWithPromptingOffDoesNothing)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(0, 0, 10, 10), 2);
  c->OnMouseDown(5, 5, IMouseMod(false, true));
  EXPECT_TRUE(f.graphics.mTextEntries.empty());
  EXPECT_TRUE(f.graphics.mMenus.empty());
  c->DisablePrompt(false);
  c->OnMouseDown(5, 5, IMouseMod(false, true));
  ASSERT_EQ(f.graphics.mTextEntries.size(), 1u);
  EXPECT_EQ(f.graphics.mTextEntries[0].bounds, IRECT(-15, -3, 25, 13)) << "40 x 16 around the centre";
}

TEST(IControlPrompt, DoubleClickResetsALinkedControlToItsDefaultAndInformsTheHost)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(0, 0, 10, 10), 2);
  c->SetValue(1.0);
  c->OnMouseDblClick(5, 5, IMouseMod());
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.2);
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"set 2 0.2"}));
}

TEST(IControlGeometry, SetSizeAfterSetPositionMakesBothRectanglesEqual)
{
  RecordingControl c(IRECT(10, 10, 30, 20));
  c.SetTargetRECT(IRECT(12, 12, 28, 18));
  c.SetPosition(50, -5);
  EXPECT_EQ(c.GetRECT(), IRECT(50, 0, 70, 10));
  EXPECT_EQ(c.GetTargetRECT(), IRECT(52, 2, 68, 8)) << "the hit rectangle keeps its offset";
  c.SetSize(40, -3);
  EXPECT_EQ(c.GetRECT(), IRECT(50, 0, 90, 0));
  EXPECT_EQ(c.GetTargetRECT(), c.GetRECT());
}

TEST(IControlGeometry, DisablingSetsExactBlendWeights)
{
  RecordingControl c(IRECT(0, 0, 1, 1));
  c.SetBlend(IBlend(kBlendSrcOver, 0.6f));
  c.SetDisabled(true);
  EXPECT_EQ(c.GetBlend().mWeight, 0.25f);
  c.SetDisabled(false);
  EXPECT_EQ(c.GetBlend().mWeight, 1.0f);
}

TEST(IControlAnimation, ProgressIsZeroWithoutAnAnimator)
{
  RecordingControl c(IRECT(0, 0, 1, 1));
  c.StartAnimation(10);
  EXPECT_EQ(c.GetAnimationProgress(), 0.0);
}

TEST(IControlAnimation, TheDefaultClickKeepsTheControlDirtyThenEndsOnce)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(0, 0, 1, 1));
  int ends = 0;
  c->SetAnimationEndActionFunction([&](IControl*) { ++ends; });
  DefaultClickActionFunc(c);
  c->SetClean();
  c->Animate();
  EXPECT_TRUE(c->IsDirty()) << "dirty while the animation runs";
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  c->Animate();
  c->Animate();
  EXPECT_EQ(ends, 1);
  c->SetClean();
  EXPECT_FALSE(c->IsDirty());
}

TEST(IControlGestures, AnAttachedGestureIsHandledAndRecorded)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(0, 0, 10, 10));
  int pinches = 0;
  c->AttachGestureRecognizer(kGesturePinch, [&](IControl*, const IGestureInfo&) { ++pinches; });
  IGestureInfo swipe;
  swipe.type = kGestureSwipeLeft;
  EXPECT_FALSE(c->OnGesture(swipe));
  IGestureInfo pinch;
  pinch.type = kGesturePinch;
  EXPECT_TRUE(c->OnGesture(pinch));
  EXPECT_EQ(pinches, 1);
  EXPECT_EQ(c->GetLastGesture(), kGesturePinch);
}

TEST(IControlHighlight, ColourIndicesPickTheFourColoursAndOthersKeepTheLast)
{
  RecordingControl c(IRECT(0, 0, 10, 10));
  RecordingDelegate dlg;
  RecordingGraphics g(dlg, 10, 10);
  c.SetPTParameterHighlight(true, 2);
  c.SetPTParameterHighlight(true, 9);
  g.mLogging = true;
  c.DrawPTHighlight(g);
  EXPECT_EQ(g.mFills, 1);
  EXPECT_NE(std::find(g.mLog.begin(), g.mLog.end(), "PathArc 5 5 2 0 360"), g.mLog.end());
  c.SetPTParameterHighlight(false, 0);
  c.DrawPTHighlight(g);
  EXPECT_EQ(g.mFills, 1);
}
