#include <gtest/gtest.h>

#include "IVXYPadControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

TEST(IVXYPadControl, APressAndDragSetBothValuesClampedIntoThePad)
{
  GraphicsFixture f;
  auto* pad = static_cast<IVXYPadControl*>(
    f.graphics.AttachControl(new IVXYPadControl(IRECT(0, 0, 120, 140), {0, 2}, "XY", DEFAULT_STYLE, 10.f)));
  const IRECT travel = pad->GetTravelBounds();
  EXPECT_EQ(travel, pad->GetWidgetBounds().GetPadded(-10.f));

  f.graphics.OnMouseDown({Mouse(travel.L + travel.W() * 0.25f, travel.T + travel.H() * 0.25f)});
  EXPECT_TRUE(f.graphics.PointerHidden());
  EXPECT_NEAR(pad->GetValue(0), 0.25, 1e-5);
  EXPECT_NEAR(pad->GetValue(1), 0.75, 1e-5) << "up is more";

  f.graphics.OnMouseDrag({Mouse(-50, 500, true, false, -80, 400)});
  EXPECT_EQ(pad->GetValue(0), 0.0);
  EXPECT_EQ(pad->GetValue(1), 0.0);
  f.graphics.OnMouseUp({Mouse(-50, 500)});
  EXPECT_FALSE(f.graphics.PointerHidden());
  EXPECT_EQ(f.dlg.mHost.front(), "begin 0");
  EXPECT_EQ(f.dlg.mHost.back(), "end 2");
  EXPECT_EQ(f.dlg.GetParam(2)->Int(), 0);

  float x = 0.f;
  float y = 0.f;
  pad->GetHandleCentre(x, y);
  EXPECT_EQ(x, travel.L);
  EXPECT_EQ(y, travel.B) << "the handle marks the point";
}

TEST(IVXYPadControl, KeepsTheCursorWhenTheStyleSaysSo)
{
  GraphicsFixture f;
  f.graphics.AttachControl(
    new IVXYPadControl(IRECT(0, 0, 100, 100), {-1, -1}, "", DEFAULT_STYLE.WithHideCursor(false).WithShowLabel(false)));
  f.graphics.OnMouseDown({Mouse(50, 50)});
  EXPECT_FALSE(f.graphics.PointerHidden());
}
