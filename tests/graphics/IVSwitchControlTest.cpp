#include <gtest/gtest.h>

#include "IVButtonControl.h"
#include "IVSwitchControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  template <typename T>
  T* Attach(GraphicsFixture& f, T* control)
  {
    return static_cast<T*>(f.graphics.AttachControl(control));
  }

  // The colours of the recorded fills, in order.
  std::vector<std::string> Fills(const RecordingGraphics& g)
  {
    std::vector<std::string> fills;
    for (const std::string& line : g.mLog)
      if (line.rfind("PathFill", 0) == 0)
        fills.push_back(line.substr(9));
    return fills;
  }
}

TEST(IVButtonControl, IsDrawnPressedWhileItsValueIsAboveHalfAndHitOnlyInItsShape)
{
  GraphicsFixture f;
  auto* button = Attach(f, new IVButtonControl(IRECT(0, 0, 100, 60), nullptr, "Go", DEFAULT_STYLE, false));
  const IRECT& shape = button->GetWidgetBounds();
  EXPECT_FALSE(button->IsHit(50, 5)) << "the label above the shape is not the button";
  EXPECT_TRUE(button->IsHit(shape.MW(), shape.MH()));

  f.graphics.OnMouseDown({Mouse(shape.MW(), shape.MH())});
  EXPECT_EQ(button->GetValue(), 1.0) << "without a click animation the button stays pressed";
  f.graphics.mLogging = true;
  button->DrawWidget(f.graphics);
  EXPECT_EQ(Fills(f.graphics).front(), "240,240,240");
}

TEST(IVSwitchControl, CyclesTheStatesOfAnEnumerationAndShowsItsDisplayText)
{
  GraphicsFixture f;
  auto* sw = Attach(f, new IVSwitchControl(IRECT(0, 0, 100, 80), 1));
  EXPECT_EQ(sw->GetNumStates(), 3);
  EXPECT_STREQ(sw->GetLabelStr(), "Mode");
  const IRECT& shape = sw->GetWidgetBounds();
  f.graphics.OnMouseDown({Mouse(shape.MW(), shape.MH())});
  EXPECT_EQ(sw->GetValue(), 0.5);
  EXPECT_STREQ(sw->GetValueStr(), "Soft");
  EXPECT_EQ(sw->GetSelectedIdx(), 1);
  f.graphics.mLogging = true;
  sw->DrawWidget(f.graphics);
  EXPECT_EQ(Fills(f.graphics).front(), "240,240,240") << "drawn pressed while the button is held";
  f.graphics.OnMouseUp({Mouse(shape.MW(), shape.MH())});
  f.graphics.OnMouseDown({Mouse(shape.MW(), shape.MH())});
  f.graphics.OnMouseUp({Mouse(shape.MW(), shape.MH())});
  EXPECT_STREQ(sw->GetValueStr(), "Hard");
  EXPECT_EQ(f.dlg.mHost.back(), "end 1") << "the host hears each click between begin and end";
}

TEST(IVToggleControl, ShowsOffAndOnTextsAndIsDrawnPressedWhileOn)
{
  GraphicsFixture f;
  int calls = 0;
  auto* toggle = Attach(f, new IVToggleControl(IRECT(0, 0, 100, 80), [&calls](IControl*) { ++calls; }, "Bypass",
                                               DEFAULT_STYLE, "off", "on"));
  EXPECT_STREQ(toggle->GetValueStr(), "off");
  const IRECT& shape = toggle->GetWidgetBounds();
  f.graphics.OnMouseDown({Mouse(shape.MW(), shape.MH())});
  f.graphics.OnMouseUp({Mouse(shape.MW(), shape.MH())});
  EXPECT_STREQ(toggle->GetValueStr(), "on");
  EXPECT_EQ(calls, 1);
  f.graphics.mLogging = true;
  toggle->DrawWidget(f.graphics);
  EXPECT_EQ(Fills(f.graphics).front(), "240,240,240") << "on after the button is released";
}

TEST(IVSlideSwitchControl, AClickSlidesTheHandleToTheNextCellAndWrapsAfterTheLast)
{
  GraphicsFixture f;
  auto* slide = Attach(f, new IVSlideSwitchControl(IRECT(0, 0, 120, 40), nullptr, "", DEFAULT_STYLE.WithShowLabel(false),
                                                   false, kDirectionHorizontal, 3, 2));
  EXPECT_EQ(slide->GetValue(), 1.0) << "starts in the initial state";
  EXPECT_EQ(slide->GetHandleBounds(), slide->GetCell(2));
  const IRECT cell0 = slide->GetCell(0);
  EXPECT_NEAR(cell0.W(), slide->GetWidgetBounds().W() / 3.f, 1e-4f);

  f.graphics.OnMouseDown({Mouse(60, 20)});
  f.graphics.OnMouseUp({Mouse(60, 20)});
  EXPECT_EQ(slide->GetValue(), 0.0) << "wraps after the last state";
  EXPECT_EQ(slide->GetHandleBounds(), slide->GetCell(2)) << "the handle starts where it was";
  ASSERT_TRUE(slide->GetAnimationFunction());
  slide->OnEndAnimation();
  EXPECT_EQ(slide->GetHandleBounds(), cell0) << "and settles in the new state's cell";

  slide->SetValueFromDelegate(0.5);
  EXPECT_EQ(slide->GetHandleBounds(), slide->GetCell(1)) << "a value from outside moves the handle at once";
}

TEST(IVSlideSwitchControl, AVerticalTrackStacksItsCellsFromTheTop)
{
  GraphicsFixture f;
  auto* slide = Attach(f, new IVSlideSwitchControl(IRECT(0, 0, 40, 120), nullptr, "", DEFAULT_STYLE.WithShowLabel(false),
                                                   false, kDirectionVertical, 2, 0));
  EXPECT_LT(slide->GetCell(0).T, slide->GetCell(1).T);
  EXPECT_EQ(slide->GetCell(0).W(), slide->GetWidgetBounds().W());
}
