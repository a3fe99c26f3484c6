#include <gtest/gtest.h>

#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // Runs one frame the way the platform view does; returns whether anything was drawn.
  bool Frame(RecordingGraphics& g, IRECTList& rects)
  {
    rects.Clear();
    if (!g.IsDirty(rects))
      return false;
    g.SetAllControlsClean();
    g.Draw(rects);
    return true;
  }
}

TEST(IGraphicsDrawingCycle, DirtyControlsArePaddedByThreeQuartersOfAUnit)
{
  GraphicsFixture f;
  f.Add(IRECT(10, 10, 20, 20));
  IRECTList rects;
  ASSERT_TRUE(f.graphics.IsDirty(rects));
  ASSERT_EQ(rects.Size(), 1);
  EXPECT_EQ(rects.Get(0), IRECT(9.25f, 9.25f, 20.75f, 20.75f));
}

TEST(IGraphicsDrawingCycle, NothingDirtyDrawsNothingAndAnEmptyListBeginsNoFrame)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(10, 10, 20, 20));
  IRECTList rects;
  EXPECT_TRUE(Frame(f.graphics, rects));
  EXPECT_EQ(c->mDraws, 1);
  EXPECT_FALSE(Frame(f.graphics, rects));
  rects.Clear();
  f.graphics.Draw(rects);
  EXPECT_EQ(f.graphics.mBeginFrames, 1);
  EXPECT_EQ(f.graphics.mEndFrames, 1);
}

TEST(IGraphicsDrawingCycle, AControlOutsideEveryDirtyRegionIsNeverAskedToDraw)
{
  GraphicsFixture f;
  RecordingControl* left = f.Add(IRECT(0, 0, 20, 20));
  RecordingControl* right = f.Add(IRECT(100, 0, 120, 20));
  IRECTList rects;
  Frame(f.graphics, rects);
  left->SetDirty(false);
  Frame(f.graphics, rects);
  EXPECT_EQ(left->mDraws, 2);
  EXPECT_EQ(right->mDraws, 1);
  EXPECT_EQ(left->mDrawClips.back(), IRECT(-1, -1, 21, 21)) << "clip = region meets the padded, aligned bounds";
}

TEST(IGraphicsDrawingCycle, StrictDrawingMergesFarApartRectanglesIntoOneRegion)
{
  GraphicsFixture f;
  RecordingControl* a = f.Add(IRECT(0, 0, 10, 10));
  RecordingControl* b = f.Add(IRECT(200, 150, 210, 160));
  RecordingControl* middle = f.Add(IRECT(100, 80, 110, 90));
  IRECTList rects;
  Frame(f.graphics, rects);
  f.graphics.SetStrictDrawing(true);
  Frame(f.graphics, rects);
  a->SetDirty(false);
  b->SetDirty(false);
  f.graphics.mLogging = true;
  f.graphics.mLog.clear();
  Frame(f.graphics, rects);
  EXPECT_EQ(middle->mDraws, 3) << "the clean control inside the bounding region is redrawn with it";
  EXPECT_EQ(a->mDrawClips.back(), IRECT(-1, -1, 11, 11));
  EXPECT_EQ(b->mDrawClips.back(), IRECT(199, 149, 211, 161));
  f.graphics.SetStrictDrawing(false);
  Frame(f.graphics, rects);
  a->SetDirty(false);
  b->SetDirty(false);
  Frame(f.graphics, rects);
  EXPECT_EQ(middle->mDraws, 4) << "without strict drawing the two regions stay apart";
}

TEST(IGraphicsDrawingCycle, EachRegionIsClippedAndDrawnWithAFreshTransformAndPath)
{
  GraphicsFixture f;
  f.Add(IRECT(0, 0, 10, 10));
  f.Add(IRECT(50, 0, 60, 10));
  IRECTList rects;
  f.graphics.mLogging = true;
  Frame(f.graphics, rects);
  const std::vector<std::string> expected{"BeginFrame", "PathClear", "SetClipRegion -1 -1 11 11",
                                          "PathClear", "SetClipRegion 49 -1 61 11", "EndFrame"};
  EXPECT_EQ(f.graphics.mLog, expected);
  EXPECT_EQ(f.graphics.mTransformSets, 2);
}

TEST(IGraphicsDrawingCycle, AHiddenBackgroundIsStillDrawnButOtherHiddenControlsAreNot)
{
  GraphicsFixture f;
  RecordingControl* background = f.Add(IRECT(0, 0, 300, 200));
  RecordingControl* other = f.Add(IRECT(10, 10, 20, 20));
  background->Hide(true);
  other->Hide(true);
  IRECTList rects;
  Frame(f.graphics, rects);
  EXPECT_EQ(background->mDraws, 1);
  EXPECT_EQ(other->mDraws, 0);
}

TEST(IGraphicsDrawingCycle, RegionsArePixelAlignedAtTheBackingScale)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(10.2f, 10.2f, 20.1f, 20.1f));
  f.graphics.SetScreenScale(2.f);
  IRECTList rects;
  Frame(f.graphics, rects);
  EXPECT_EQ(c->mDrawClips.back(), IRECT(9.f, 9.f, 21.f, 21.f));
}

TEST(IGraphicsDrawingCycle, AnimationsAndTheFrameTickRunBeforeDirtinessIsGathered)
{
  GraphicsFixture f;
  RecordingControl* c = f.Add(IRECT(0, 0, 10, 10));
  IRECTList rects;
  Frame(f.graphics, rects);
  int ticks = 0;
  f.graphics.SetDisplayTickFunc([&] {
    ++ticks;
    c->SetDirty(false);
  });
  EXPECT_TRUE(Frame(f.graphics, rects));
  EXPECT_EQ(ticks, 1);
  f.graphics.SetDisplayTickFunc(nullptr);
  int frames = 0;
  c->SetAnimation([&](IControl* pCaller) {
    if (++frames == 3)
      pCaller->OnEndAnimation();
  });
  EXPECT_TRUE(Frame(f.graphics, rects));
  EXPECT_TRUE(Frame(f.graphics, rects));
  EXPECT_TRUE(Frame(f.graphics, rects)) << "the frame that ends the animation redraws once more";
  EXPECT_FALSE(Frame(f.graphics, rects));
}

TEST(IGraphicsDrawingCycle, TheFrameTimeDisplayIsFedAtEachFrame)
{
  GraphicsFixture f;
  f.graphics.ShowFPSDisplay(true);
  IRECTList rects;
  Frame(f.graphics, rects);
  const double first = f.graphics.GetLastFrameTime();
  Frame(f.graphics, rects);
  EXPECT_GT(f.graphics.GetLastFrameTime(), 0.0);
  EXPECT_GE(f.graphics.GetLastFrameTime(), first);
}

TEST(IGraphicsDrawingCycle, AControlRemovingItselfWhileDrawnOutlivesTheFrame)
{
  GraphicsFixture f;
  RecordingControl* doomed = f.Add(IRECT(0, 0, 10, 10));
  RecordingControl* after = f.Add(IRECT(0, 0, 10, 10));
  doomed->mOnDraw = [&](RecordingControl* self) { f.graphics.RemoveControl(self); };
  IRECTList rects;
  Frame(f.graphics, rects);
  EXPECT_EQ(f.graphics.NControls(), 1);
  EXPECT_EQ(f.graphics.GetControl(0), after);
}
