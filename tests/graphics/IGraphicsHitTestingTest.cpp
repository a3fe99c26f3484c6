#include <gtest/gtest.h>

#include "ICornerResizerControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

TEST(IGraphicsHitTesting, TheFrontMostControlUnderThePointerWins)
{
  GraphicsFixture f;
  f.Add(IRECT(0, 0, 300, 200));
  f.Add(IRECT(10, 10, 50, 50));
  f.Add(IRECT(30, 30, 70, 70));
  EXPECT_EQ(f.graphics.GetMouseControlIdx(40, 40), 2);
  EXPECT_EQ(f.graphics.GetMouseControlIdx(20, 20), 1);
  EXPECT_EQ(f.graphics.GetMouseControlIdx(200, 150), 0);
  EXPECT_EQ(f.graphics.GetMouseControlIdx(70, 70), 0) << "right and bottom edges are outside";
  EXPECT_EQ(f.graphics.GetMouseControlIdx(-1, 5), -1);
}

TEST(IGraphicsHitTesting, HiddenAndDisabledControlsLetPressesThroughUnlessTheyAcceptThem)
{
  GraphicsFixture f;
  f.Add(IRECT(0, 0, 300, 200));
  RecordingControl* front = f.Add(IRECT(10, 10, 50, 50));
  front->Hide(true);
  EXPECT_EQ(f.graphics.GetMouseControlIdx(20, 20), 0);
  front->Hide(false);
  front->SetDisabled(true);
  EXPECT_EQ(f.graphics.GetMouseControlIdx(20, 20), 0);
  front->SetMouseEventsWhenDisabled(true);
  EXPECT_EQ(f.graphics.GetMouseControlIdx(20, 20), 1);
  front->SetIgnoreMouse(true);
  EXPECT_EQ(f.graphics.GetMouseControlIdx(20, 20), 0);
}

TEST(IGraphicsHitTesting, HoverNeedsTrackingAndNeverFindsTheBackground)
{
  GraphicsFixture f;
  f.Add(IRECT(0, 0, 300, 200));
  RecordingControl* knob = f.Add(IRECT(10, 10, 50, 50));
  EXPECT_EQ(f.graphics.GetMouseControlIdx(20, 20, true), -1);
  f.graphics.EnableTooltips(true);
  EXPECT_TRUE(f.graphics.MouseOverEnabled());
  EXPECT_EQ(f.graphics.GetMouseControlIdx(20, 20, true), 1);
  EXPECT_EQ(f.graphics.GetMouseControlIdx(200, 150, true), -1);
  knob->SetDisabled(true);
  EXPECT_EQ(f.graphics.GetMouseControlIdx(20, 20, true), -1);
  knob->SetMouseOverWhenDisabled(true);
  EXPECT_EQ(f.graphics.GetMouseControlIdx(20, 20, true), 1);
}

TEST(IGraphicsHitTesting, TheCornerResizerIsFoundBeforeTheStandardControls)
{
  GraphicsFixture f;
  f.Add(IRECT(0, 0, 300, 200));
  f.Add(IRECT(250, 150, 300, 200));
  f.graphics.AttachCornerResizer(kResizerScale, false);
  EXPECT_EQ(f.graphics.GetMouseControl(295, 195, false), static_cast<IControl*>(f.graphics.GetCornerResizer()));
  f.graphics.EnableMouseOver(true);
  f.graphics.OnMouseOver(295, 195, IMouseMod());
  EXPECT_EQ(f.graphics.GetHoverIdx(), -1) << "special controls have no index";
  EXPECT_EQ(f.graphics.GetHoverControl(), static_cast<IControl*>(f.graphics.GetCornerResizer()));
}

TEST(IGraphicsHitTesting, TheHostAutomationQueryReportsAndForgetsTheParameterUnderThePointer)
{
  GraphicsFixture f;
  f.Add(IRECT(0, 0, 300, 200));
  f.Add(IRECT(10, 10, 50, 50), 2);
  EXPECT_EQ(f.graphics.GetParamIdxForPTAutomation(20, 20), 2);
  EXPECT_EQ(f.graphics.GetLastClickedParamForPTAutomation(), 2);
  EXPECT_EQ(f.graphics.GetLastClickedParamForPTAutomation(), -1);
  EXPECT_EQ(f.graphics.GetParamIdxForPTAutomation(200, 150), -1);
}

TEST(IGraphicsHitTesting, GestureRegionsAndControlsWithGesturesRespond)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(10, 10, 50, 50));
  int regionCalls = 0;
  f.graphics.AttachGestureRecognizerToRegion(IRECT(100, 100, 150, 150), kGestureSwipeLeft,
                                             [&](IControl* pCaller, const IGestureInfo&) {
                                               EXPECT_EQ(pCaller, nullptr);
                                               ++regionCalls;
                                             });
  EXPECT_FALSE(f.graphics.RespondsToGesture(20, 20));
  EXPECT_TRUE(f.graphics.RespondsToGesture(100, 100));
  EXPECT_FALSE(f.graphics.RespondsToGesture(150, 150)) << "containment is half-open";
  int controlCalls = 0;
  c->AttachGestureRecognizer(kGesturePinch, [&](IControl*, const IGestureInfo&) { ++controlCalls; });
  EXPECT_TRUE(f.graphics.RespondsToGesture(20, 20));
  IGestureInfo pinch;
  pinch.type = kGesturePinch;
  pinch.x = pinch.y = 20;
  f.graphics.OnGestureRecognized(pinch);
  IGestureInfo swipe;
  swipe.type = kGestureSwipeLeft;
  swipe.x = swipe.y = 120;
  f.graphics.OnGestureRecognized(swipe);
  EXPECT_EQ(controlCalls, 1);
  EXPECT_EQ(regionCalls, 1);
  f.graphics.ClearGestureRegions();
  EXPECT_FALSE(f.graphics.RespondsToGesture(120, 120));
}
