#include <gtest/gtest.h>

#include <limits>

#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
}

TEST(IGraphicsPointerCapture, APressBracketsTheParameterForTheHostUntilTheRelease)
{
  GraphicsFixture f;
  f.Add(IRECT(0, 0, 300, 200));
  RecordingControl* knob = f.Add(IRECT(10, 10, 50, 50), 0);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  knob->SetValue(0.75);
  knob->SetDirty(true);
  f.graphics.OnMouseUp({Mouse(20, 20)});
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 0", "set 0 0.75", "end 0"}));
  EXPECT_EQ(knob->mEvents, (std::vector<std::string>{"down 20,20", "up 20,20"}));
  EXPECT_FALSE(f.graphics.ControlIsCaptured());
}

TEST(IGraphicsPointerCapture, CaptureSurvivesThePointerLeavingTheControl)
{
  GraphicsFixture f;
  RecordingControl* background = f.Add(IRECT(0, 0, 300, 200));
  RecordingControl* knob = f.Add(IRECT(10, 10, 50, 50), 0);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  f.graphics.OnMouseDrag({Mouse(250, 180, true, false, 230, 160)});
  f.graphics.OnMouseDrag({Mouse(-40, 500, true, false, -290, 320)});
  f.graphics.OnMouseUp({Mouse(-40, 500)});
  EXPECT_EQ(knob->mEvents, (std::vector<std::string>{"down 20,20", "drag 250,180 230,160", "drag -40,500 -290,320",
                                                     "up -40,500"}));
  EXPECT_TRUE(background->mEvents.empty());
}

TEST(IGraphicsPointerCapture, ADragWithoutMovementIsNotDelivered)
{
  GraphicsFixture f;
  RecordingControl* knob = f.Add(IRECT(10, 10, 50, 50), 0);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  f.graphics.OnMouseDrag({Mouse(20, 20, true, false, 0, 0)});
  EXPECT_EQ(knob->mEvents, (std::vector<std::string>{"down 20,20"}));
}

TEST(IGraphicsPointerCapture, ADoubleClickGoesToTheControlAndReleasesTheCapture)
{
  GraphicsFixture f;
  f.Add(IRECT(0, 0, 300, 200));
  RecordingControl* knob = f.Add(IRECT(10, 10, 50, 50), 2);
  knob->SetValue(1.0);
  EXPECT_TRUE(f.graphics.OnMouseDblClick(20, 20, IMouseMod()));
  EXPECT_EQ(knob->mEvents, (std::vector<std::string>{"dblclick 20,20"}));
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.2) << "the base resets to the default";
  EXPECT_FALSE(f.graphics.ControlIsCaptured());
  EXPECT_FALSE(f.graphics.OnMouseDblClick(400, 20, IMouseMod()));
}

TEST(IGraphicsPointerCapture, ADoubleClickCountsAsAPressForControlsThatAskForIt)
{
  GraphicsFixture f;
  RecordingControl* button = f.Add(IRECT(10, 10, 50, 50), 0);
  button->SetMouseDblAsSingleClick(true);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  f.graphics.OnMouseUp({Mouse(20, 20)});
  f.graphics.OnMouseDblClick(20, 20, IMouseMod(true));
  f.graphics.OnMouseUp({Mouse(20, 20)});
  EXPECT_EQ(button->mEvents, (std::vector<std::string>{"down 20,20", "up 20,20", "down 20,20", "up 20,20"}));
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 0", "end 0", "begin 0", "end 0"}));
}

TEST(IGraphicsPointerCapture, ARightClickOnALinkedControlOpensItsContextMenuInsteadOfAPress)
{
  GraphicsFixture f;
  RecordingControl* knob = f.Add(IRECT(10, 10, 50, 50), 0);
  knob->mContextItems = {"Copy", "Paste"};
  f.graphics.mMenuChoice = 1;
  f.graphics.OnMouseDown({Mouse(20, 20, false, true)});
  ASSERT_EQ(f.graphics.mMenus.size(), 1u);
  EXPECT_EQ(f.graphics.mMenus[0].nItems, 2);
  EXPECT_EQ(f.graphics.mMenus[0].bounds, IRECT(20, 20, 20, 20));
  EXPECT_EQ(knob->mEvents, (std::vector<std::string>{"context 1"}));
  EXPECT_TRUE(f.dlg.mHost.empty()) << "no gesture begins or ends around a context menu";
  EXPECT_FALSE(f.graphics.ControlIsCaptured());
}

TEST(IGraphicsPointerCapture, ARightClickWithAnEmptyContextMenuDoesNothingAtAll)
{
  GraphicsFixture f;
  RecordingControl* knob = f.Add(IRECT(10, 10, 50, 50), 0);
  f.graphics.OnMouseDown({Mouse(20, 20, false, true)});
  EXPECT_TRUE(f.graphics.mMenus.empty());
  EXPECT_TRUE(knob->mEvents.empty()) << "the control does not receive the press";
}

TEST(IGraphicsPointerCapture, AfterTheReleaseTheHoverControlIsUpdatedAtTheReleasePosition)
{
  GraphicsFixture f;
  f.Add(IRECT(0, 0, 300, 200));
  RecordingControl* a = f.Add(IRECT(10, 10, 50, 50), 0);
  RecordingControl* b = f.Add(IRECT(100, 10, 150, 50));
  f.graphics.EnableMouseOver(true);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  f.graphics.OnMouseUp({Mouse(120, 20)});
  EXPECT_EQ(f.graphics.GetHoverControl(), b);
  EXPECT_EQ(f.graphics.GetHoverIdx(), 2);
  EXPECT_EQ(b->mEvents, (std::vector<std::string>{"over 120,20"}));
  f.graphics.OnMouseOver(20, 20, IMouseMod());
  EXPECT_EQ(b->mEvents.back(), "out");
  EXPECT_EQ(a->mEvents.back(), "over 20,20");
  f.graphics.OnMouseOut();
  EXPECT_EQ(f.graphics.GetHoverControl(), nullptr);
  EXPECT_EQ(a->mEvents.back(), "out");
}

TEST(IGraphicsPointerCapture, LeavingTheViewShowsTheArrowButRemembersTheRequestedCursor)
{
  GraphicsFixture f;
  f.graphics.SetMouseCursor(kCursorHand);
  f.graphics.OnMouseOut();
  EXPECT_EQ(f.graphics.mPlatformCursors.back(), kCursorArrow);
  EXPECT_EQ(f.graphics.GetMouseCursor(), kCursorHand);
}

TEST(IGraphicsPointerCapture, ReleasingTheCaptureShowsAHiddenPointer)
{
  GraphicsFixture f;
  f.Add(IRECT(10, 10, 50, 50), 0);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  f.graphics.SetPointerHidden(true);
  f.graphics.mLogging = true;
  f.graphics.ReleaseMouseCapture();
  EXPECT_EQ(f.graphics.mLog, (std::vector<std::string>{"HideMouseCursor show lock"}));
  EXPECT_FALSE(f.graphics.PointerHidden());
}

TEST(IGraphicsPointerCapture, WheelAndDropGoToTheControlUnderThePointer)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(10, 10, 50, 50));
  f.graphics.OnMouseWheel(20, 20, IMouseMod(), 2.f);
  f.graphics.OnDrop("/tmp/file.wav", 20, 20);
  f.graphics.OnMouseWheel(200, 20, IMouseMod(), 2.f);
  f.graphics.OnDrop(nullptr, 20, 20);
  EXPECT_EQ(c->mEvents, (std::vector<std::string>{"wheel 20,20 2", "drop /tmp/file.wav"}));
}

TEST(IGraphicsPointerCapture, NonFiniteCoordinatesAreDroppedButAReleaseStillEndsTheGesture)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(0, 0, 300, 200), 0);
  f.graphics.OnMouseDown({Mouse(kNaN, 20)});
  f.graphics.OnMouseWheel(20, 20, IMouseMod(), kInf);
  EXPECT_FALSE(f.graphics.OnMouseOver(kInf, 0, IMouseMod()));
  EXPECT_FALSE(f.graphics.OnMouseDblClick(kNaN, kNaN, IMouseMod()));
  EXPECT_TRUE(c->mEvents.empty());
  EXPECT_EQ(f.graphics.GetPressX(), -1.f);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  f.graphics.OnMouseDrag({Mouse(kNaN, 20, true, false, 1, 1)});
  f.graphics.OnMouseDrag({Mouse(30, 20, true, false, kInf, 0)});
  f.graphics.OnMouseUp({Mouse(kNaN, kNaN)});
  EXPECT_EQ(c->mEvents, (std::vector<std::string>{"down 20,20"}));
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 0", "end 0"}));
  EXPECT_FALSE(f.graphics.ControlIsCaptured());
}

TEST(IGraphicsPointerCapture, EventsOutsideTheEditorReachNoControl)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(0, 0, 300, 200), 0);
  f.graphics.OnMouseDown({Mouse(-5, 10)});
  f.graphics.OnMouseDown({Mouse(300, 10)});
  f.graphics.OnMouseWheel(1e30f, 1e30f, IMouseMod(), 1.f);
  EXPECT_TRUE(c->mEvents.empty());
  EXPECT_FALSE(f.graphics.ControlIsCaptured());
}

TEST(IGraphicsPointerCapture, AControlRemovingItselfFromItsPressHandlerLeavesNothingDangling)
{
  GraphicsFixture f;
  f.Add(IRECT(0, 0, 300, 200));
  RecordingControl* doomed = f.Add(IRECT(10, 10, 50, 50), 0, 4);
  f.graphics.EnableMouseOver(true);
  f.graphics.OnMouseOver(20, 20, IMouseMod());
  doomed->mOnEvent = [&](RecordingControl* self) { f.graphics.RemoveControl(self); };
  f.graphics.OnMouseDown({Mouse(20, 20)});
  EXPECT_EQ(f.graphics.NControls(), 1);
  EXPECT_EQ(f.graphics.GetControlWithTag(4), nullptr);
  EXPECT_EQ(f.graphics.GetHoverControl(), nullptr);
  EXPECT_FALSE(f.graphics.ControlIsCaptured());
  f.graphics.OnMouseDrag({Mouse(30, 30, true, false, 10, 10)});
  f.graphics.OnMouseUp({Mouse(30, 30)});
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 0", "end 0"}))
    << "removal ends the gesture once; the removed control gets no release";
}

TEST(IGraphicsPointerCapture, AControlRemovingItselfFromItsReleaseHandlerStillEndsItsGesture)
{
  GraphicsFixture f;
  RecordingControl* doomed = f.Add(IRECT(10, 10, 50, 50), 1);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  doomed->mOnEvent = [&](RecordingControl* self) { f.graphics.RemoveControl(self); };
  f.graphics.OnMouseUp({Mouse(20, 20)});
  EXPECT_EQ(f.graphics.NControls(), 0);
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 1", "end 1"}));
}
