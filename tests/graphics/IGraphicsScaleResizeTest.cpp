#include <gtest/gtest.h>

#include <cmath>

#include <cmath>
#include <limits>

#include "ICornerResizerControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // Counts the rescale and resize calls it receives.
  class ScaleCountingControl : public RecordingControl
  {
  public:
    using RecordingControl::RecordingControl;
    void OnRescale() override { ++mRescales; }
    void OnResize() override { ++mResizes; }
    int mRescales = 0;
    int mResizes = 0;
  };
}

TEST(IGraphicsScaleResize, ResizeToTheCurrentSizeAndScaleDoesNothingNotEvenLayout)
{
  GraphicsFixture f;
  f.graphics.SetLayoutOnResize(true);
  f.graphics.Resize(300, 200, 1.f);
  EXPECT_TRUE(f.dlg.mResizes.empty());
  EXPECT_EQ(f.dlg.mLayouts, 0);
  EXPECT_EQ(f.graphics.mDrawResizes, 0);
}

TEST(IGraphicsScaleResize, ResizeAsksTheHostForTheWindowSizeThenRelaysOut)
{
  GraphicsFixture f;
  f.graphics.SetLayoutOnResize(true);
  auto* c = static_cast<ScaleCountingControl*>(f.graphics.AttachControl(new ScaleCountingControl(IRECT(0, 0, 1, 1))));
  const int resizesBefore = c->mResizes;
  f.graphics.Resize(301, 201, 1.5f, false);
  ASSERT_EQ(f.dlg.mResizes.size(), 1u);
  EXPECT_EQ(f.dlg.mResizes[0], std::make_pair(451, 301)) << "int(301 x 1.5), int(201 x 1.5)";
  EXPECT_FALSE(f.dlg.mLastNeedsPlatformResize);
  EXPECT_TRUE(f.graphics.mLastPlatformResizeArg) << "the host's answer goes to the platform";
  EXPECT_EQ(c->mResizes, resizesBefore + 1);
  EXPECT_EQ(f.graphics.mDrawResizes, 1);
  EXPECT_EQ(f.dlg.mLayouts, 1);
}

TEST(IGraphicsScaleResize, ResizeReleasesACapturedPointer)
{
  GraphicsFixture f;
  f.Add(IRECT(0, 0, 50, 50), 0);
  f.graphics.OnMouseDown({Mouse(10, 10)});
  EXPECT_TRUE(f.graphics.ControlIsCaptured());
  f.graphics.Resize(400, 200, 1.f);
  EXPECT_FALSE(f.graphics.ControlIsCaptured());
}

TEST(IGraphicsScaleResize, ScreenScaleRescalesEveryControlAndMarksThemDirty)
{
  GraphicsFixture f;
  auto* c = static_cast<ScaleCountingControl*>(f.graphics.AttachControl(new ScaleCountingControl(IRECT(0, 0, 1, 1))));
  c->SetClean();
  const int before = c->mRescales;
  f.graphics.SetScreenScale(2.f);
  EXPECT_EQ(f.graphics.GetBackingPixelScale(), 2.f);
  EXPECT_EQ(c->mRescales, before + 1);
  EXPECT_TRUE(c->IsDirty());
  EXPECT_EQ(f.dlg.mResizes.back(), std::make_pair(300, 200)) << "window points do not change with density";
  EXPECT_TRUE(f.dlg.mLastNeedsPlatformResize);
  f.graphics.SetScreenScale(std::numeric_limits<float>::quiet_NaN());
  f.graphics.SetScreenScale(0.f);
  EXPECT_EQ(f.graphics.GetScreenScale(), 2.f) << "unusable scales are ignored";
}

TEST(IGraphicsScaleResize, DrawScaleStaysWithinItsBounds)
{
  GraphicsFixture f;
  f.graphics.SetScaleConstraints(1.5f, 0.67f);
  EXPECT_EQ(f.graphics.GetMinScale(), 0.67f);
  EXPECT_EQ(f.graphics.GetMaxScale(), 1.5f);
  f.graphics.Resize(300, 200, 3.f);
  EXPECT_EQ(f.graphics.GetDrawScale(), 1.5f);
  f.graphics.Resize(300, 200, 0.1f);
  EXPECT_EQ(f.graphics.GetDrawScale(), 0.67f);
  f.graphics.Resize(300, 200, std::numeric_limits<float>::infinity());
  EXPECT_EQ(f.graphics.GetDrawScale(), 0.67f) << "a non-finite scale is refused";
}

TEST(IGraphicsScaleResize, ACornerDragInScaleModeFollowsThePointerFromThePress)
{
  GraphicsFixture f;
  f.graphics.SetScaleConstraints(0.67f, 1.5f);
  f.graphics.AttachCornerResizer(kResizerScale, false);
  f.graphics.OnMouseDown({Mouse(295, 195)});
  EXPECT_TRUE(f.graphics.GetResizingInProcess());
  f.graphics.OnMouseDrag({Mouse(354, 273, true, false, 59, 78)});
  EXPECT_FLOAT_EQ(f.graphics.GetDrawScale(), std::min(354.f / 295.f, 273.f / 195.f));
  EXPECT_EQ(f.graphics.Width(), 300) << "scale mode keeps the logical size";
  f.graphics.OnMouseDrag({Mouse(1000, 1000, true, false, 5, 5)});
  EXPECT_FLOAT_EQ(f.graphics.GetDrawScale(), 1.5f);
  f.graphics.OnMouseUp({Mouse(1000, 1000)});
  EXPECT_FALSE(f.graphics.GetResizingInProcess());
}

TEST(IGraphicsScaleResize, ACornerDragInSizeModeSetsTheLogicalSize)
{
  GraphicsFixture f;
  f.graphics.AttachCornerResizer(kResizerSize, false);
  f.graphics.OnMouseDown({Mouse(290, 190)});
  f.graphics.OnMouseDrag({Mouse(420.7f, 260.2f, true, false, 1, 1)});
  EXPECT_EQ(f.graphics.Width(), 420);
  EXPECT_EQ(f.graphics.Height(), 260);
  EXPECT_EQ(f.graphics.GetDrawScale(), 1.f);
  f.graphics.OnMouseDrag({Mouse(std::nanf(""), 10, true, false, 1, 1)});
  EXPECT_EQ(f.graphics.Width(), 420) << "a drag to a non-finite position changes nothing";
}

TEST(IGraphicsScaleResize, TheResizerKeepsItsOnScreenSizeAtEveryScale)
{
  GraphicsFixture f;
  f.graphics.SetScaleConstraints(0.67f, 1.5f);
  f.graphics.AttachCornerResizer(kResizerScale, false, COLOR_BLACK, COLOR_BLACK, COLOR_BLACK, 17.f);
  f.graphics.Resize(300, 200, 1.5f);
  const IRECT r = f.graphics.GetCornerResizer()->GetRECT();
  EXPECT_NEAR(r.W(), 17.f / 1.5f, 1e-4);
  EXPECT_FLOAT_EQ(r.R, 300.f);
  EXPECT_FLOAT_EQ(r.B, 200.f);
}

TEST(IGraphicsScaleResize, DoubleClickingTheResizerRestoresTheInitialSizeAtScaleOne)
{
  GraphicsFixture f;
  f.graphics.SetScaleConstraints(0.67f, 1.5f);
  f.graphics.AttachCornerResizer(kResizerSize, false);
  f.graphics.Resize(500, 300, 1.25f);
  EXPECT_TRUE(f.graphics.OnMouseDblClick(495, 295, IMouseMod()));
  EXPECT_EQ(f.graphics.Width(), 300);
  EXPECT_EQ(f.graphics.Height(), 200);
  EXPECT_EQ(f.graphics.GetDrawScale(), 1.f);
}

TEST(IGraphicsScaleResize, TheResizerShowsTheDiagonalCursorAndRestoresThePreviousOne)
{
  GraphicsFixture f;
  f.graphics.AttachCornerResizer(kResizerScale, false);
  f.graphics.SetMouseCursor(kCursorHand);
  f.graphics.OnMouseOver(295, 195, IMouseMod());
  EXPECT_EQ(f.graphics.GetMouseCursor(), kCursorSizeNWSE);
  f.graphics.OnMouseOver(100, 100, IMouseMod());
  EXPECT_EQ(f.graphics.GetMouseCursor(), kCursorHand);
}

TEST(IGraphicsScaleResize, TheResizerIsDrawnInTheDragColourDuringADrag)
{
  GraphicsFixture f;
  const IColor normal(255, 1, 1, 1), over(255, 2, 2, 2), drag(255, 3, 3, 3);
  f.graphics.AttachCornerResizer(kResizerScale, false, normal, over, drag);
  ICornerResizerControl* resizer = f.graphics.GetCornerResizer();
  f.graphics.mLogging = true;
  resizer->Draw(f.graphics);
  const std::vector<std::string> triangle{"PathClear", "PathMoveTo 280 200", "PathLineTo 300 180",
                                          "PathLineTo 300 200", "PathClose", "PathFill 1,1,1"};
  EXPECT_EQ(f.graphics.mLog, triangle);
  f.graphics.OnMouseOver(295, 195, IMouseMod());
  f.graphics.mLog.clear();
  resizer->Draw(f.graphics);
  EXPECT_EQ(f.graphics.mLog.back(), "PathFill 2,2,2");
  f.graphics.OnMouseDown({Mouse(295, 195)});
  f.graphics.OnMouseDrag({Mouse(200, 150, true, false, -95, -45)});
  f.graphics.OnMouseOut();
  f.graphics.mLog.clear();
  resizer->Draw(f.graphics);
  EXPECT_EQ(f.graphics.mLog.back(), "PathFill 3,3,3") << "the drag colour holds after the pointer left";
}
