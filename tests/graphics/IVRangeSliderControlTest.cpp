#include <gtest/gtest.h>

#include "IVTrackControlBase.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // Three handles on a horizontal track, without label or value.
  IVRangeSliderControl* AddRange(GraphicsFixture& f)
  {
    const IVStyle style = DEFAULT_STYLE.WithShowLabel(false).WithShowValue(false).WithDrawShadows(false).WithDrawFrame(false);
    return static_cast<IVRangeSliderControl*>(f.graphics.AttachControl(
      new IVRangeSliderControl(IRECT(0, 0, 210, 30), {-1, -1, -1}, "", style, kDirectionHorizontal, false, 10.f)));
  }

  // The x of value v on the track.
  float X(const IVRangeSliderControl* range, double v)
  {
    const IRECT& t = range->GetTrackBounds(0);
    return t.L + static_cast<float>(v) * t.W();
  }
}

TEST(IVRangeSliderControl, AHandleCannotPassItsNeighbours)
{
  GraphicsFixture f;
  IVRangeSliderControl* range = AddRange(f);
  range->SetValue(0.2, 0);
  range->SetValue(0.5, 1);
  range->SetValue(0.8, 2);
  f.graphics.OnMouseDown({Mouse(X(range, 0.5), 15)});
  EXPECT_EQ(range->GetDraggedHandle(), 1);
  f.graphics.OnMouseDrag({Mouse(X(range, 0.95), 15, true, false, 90, 0)});
  EXPECT_DOUBLE_EQ(range->GetValue(1), 0.8) << "stops at the next handle";
  f.graphics.OnMouseDrag({Mouse(X(range, 0.05), 15, true, false, -180, 0)});
  EXPECT_DOUBLE_EQ(range->GetValue(1), 0.2) << "and at the previous one";
  f.graphics.OnMouseUp({Mouse(X(range, 0.05), 15)});

  f.graphics.OnMouseDown({Mouse(X(range, 0.8), 15)});
  f.graphics.OnMouseDrag({Mouse(300, 15, true, false, 100, 0)});
  EXPECT_DOUBLE_EQ(range->GetValue(2), 1.0) << "the last handle stops at the end";
  EXPECT_LE(range->GetValue(0), range->GetValue(1));
  EXPECT_LE(range->GetValue(1), range->GetValue(2));
}

TEST(IVRangeSliderControl, HandlesOnOneAnotherAreTakenByThePointersSide)
{
  GraphicsFixture f;
  IVRangeSliderControl* range = AddRange(f);
  const float x = X(range, 0.0);
  EXPECT_EQ(range->GetValIdxForPos(x + 2.f, 15), 2) << "right of the pile: the handle free to move right";
  EXPECT_EQ(range->GetValIdxForPos(x - 2.f, 15), 0);
  f.graphics.OnMouseDown({Mouse(x + 2.f, 15)});
  f.graphics.OnMouseDrag({Mouse(X(range, 0.6), 15, true, false, 100, 0)});
  EXPECT_NEAR(range->GetValue(2), 0.6, 1e-3);
  EXPECT_EQ(range->GetValue(0), 0.0);
}

TEST(IVRangeSliderControl, OutOfOrderValuesFromOutsideDoNotBreakADrag)
{
  GraphicsFixture f;
  IVRangeSliderControl* range = AddRange(f);
  range->SetValue(0.9, 0);
  range->SetValue(0.1, 1);
  range->SetValue(0.5, 2);
  f.graphics.OnMouseDown({Mouse(X(range, 0.1), 15)});
  ASSERT_EQ(range->GetDraggedHandle(), 1);
  EXPECT_DOUBLE_EQ(range->GetValue(1), 0.9) << "pinned to the neighbour below it";
}

TEST(IVRangeSliderControl, MouseOverFindsTheHandleUnderThePointer)
{
  GraphicsFixture f;
  IVRangeSliderControl* range = AddRange(f);
  range->SetValue(0.5, 1);
  range->SetValue(1.0, 2);
  range->OnMouseOver(X(range, 0.5), 15, IMouseMod());
  EXPECT_EQ(range->GetMouseOverHandle(), 1);
  range->OnMouseOver(X(range, 0.25), 15, IMouseMod());
  EXPECT_EQ(range->GetMouseOverHandle(), -1) << "between handles there is none";
  range->OnMouseOut();
  EXPECT_EQ(range->GetMouseOverHandle(), -1);
}

TEST(IVTrackControlBase, OneTrackPerSlotSideBySideAndThePointerFindsIt)
{
  GraphicsFixture f;
  auto* tracks = static_cast<IVTrackControlBase*>(f.graphics.AttachControl(new IVTrackControlBase(
    IRECT(0, 0, 120, 100), "", DEFAULT_STYLE.WithShowLabel(false), 4, 4, kDirectionVertical, {"a", "b"})));
  ASSERT_EQ(tracks->NTracks(), 4);
  EXPECT_LT(tracks->GetTrackBounds(0).R, tracks->GetTrackBounds(1).L + 1e-3f);
  const IRECT& third = tracks->GetTrackBounds(2);
  EXPECT_EQ(tracks->GetValIdxForPos(third.MW(), third.MH()), 2);
  EXPECT_EQ(tracks->GetValIdxForPos(-5, 50), -1);
  tracks->SetValue(0.3, 1);
  EXPECT_DOUBLE_EQ(tracks->GetDrawnValue(1), 0.25) << "drawn on the nearest of four steps";
}
