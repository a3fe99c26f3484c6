// A dirty control that covers its rectangle opaquely is redrawn alone: nothing beneath it can show, so the
// frame skips what lies under it, but only where its whole device pixels cover the region. Anything in front
// of it is still drawn.

#include <gtest/gtest.h>

#include "IBitmapControls.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // Runs one frame the way the platform view does.
  void Frame(RecordingGraphics& g)
  {
    IRECTList rects;
    if (!g.IsDirty(rects))
      return;
    g.SetAllControlsClean();
    g.Draw(rects);
  }

  // A background, a control under the opaque one, the opaque one and a control partly in front of it.
  struct Stack
  {
    Stack()
    {
      background = f.Add(IRECT(0, 0, 300, 200));
      under = f.Add(IRECT(40, 40, 80, 80));
      opaque = f.Add(IRECT(30, 30, 130, 130));
      opaque->mOpaque = true;
      front = f.Add(IRECT(120, 120, 140, 140));
      Frame(f.graphics);
    }

    GraphicsFixture f;
    RecordingControl* background;
    RecordingControl* under;
    RecordingControl* opaque;
    RecordingControl* front;
  };
}

TEST(IGraphicsOpaqueControls, ADirtyOpaqueControlIsRedrawnWithoutWhatLiesBeneathIt)
{
  Stack s;
  s.opaque->SetDirty(false);
  Frame(s.f.graphics);
  EXPECT_EQ(s.background->mDraws, 1);
  EXPECT_EQ(s.under->mDraws, 1);
  EXPECT_EQ(s.opaque->mDraws, 2);
  EXPECT_EQ(s.opaque->mDrawClips.back(), IRECT(30, 30, 130, 130)) << "its region has no anti-aliasing margin";
  EXPECT_EQ(s.front->mDraws, 2) << "what is in front is still drawn";
}

TEST(IGraphicsOpaqueControls, PartlyCoveredPixelsAtOddPositionsStillShowTheBackground)
{
  Stack s;
  s.opaque->SetTargetAndDrawRECTs(IRECT(30.5f, 30, 130.5f, 130));
  s.opaque->SetDirty(false);
  Frame(s.f.graphics);
  EXPECT_EQ(s.background->mDraws, 2);
  EXPECT_EQ(s.opaque->mDrawClips.back(), IRECT(30, 30, 131, 130));

  s.f.graphics.SetScreenScale(2.f);
  Frame(s.f.graphics);
  const int before = s.background->mDraws;
  s.opaque->SetDirty(false);
  Frame(s.f.graphics);
  EXPECT_EQ(s.background->mDraws, before) << "at twice the density a half unit is a whole pixel";
}

TEST(IGraphicsOpaqueControls, AHiddenOrUnclaimingControlHidesNothing)
{
  Stack s;
  s.opaque->Hide(true);
  s.under->SetDirty(false);
  Frame(s.f.graphics);
  EXPECT_EQ(s.background->mDraws, 2);

  s.opaque->Hide(false);
  s.opaque->mOpaque = false;
  Frame(s.f.graphics);
  EXPECT_EQ(s.background->mDraws, 3) << "showing the control redraws around it, with a margin";
  s.opaque->SetDirty(false);
  Frame(s.f.graphics);
  EXPECT_EQ(s.background->mDraws, 4);
}

TEST(IGraphicsOpaqueControls, ARegionReachingBeyondTheOpaqueControlDrawsEverything)
{
  Stack s;
  s.opaque->SetDirty(false);
  s.background->SetDirty(false);
  Frame(s.f.graphics);
  EXPECT_EQ(s.background->mDraws, 2);
  EXPECT_EQ(s.under->mDraws, 2);
}

TEST(IGraphicsOpaqueControls, BitmapControlsAreOpaqueOnlyWithAnOpaqueFrameOfTheirSizeDrawnAtFullWeight)
{
  GraphicsFixture f;
  APIBitmap opaquePixels{1, 60, 1860, 1.f, 1.f};
  opaquePixels.SetOpaque(true);
  APIBitmap translucentPixels{2, 60, 1860, 1.f, 1.f};
  const IBitmap opaqueStrip{&opaquePixels, 31, false, "opaque.png"};
  const IBitmap translucentStrip{&translucentPixels, 31, false, "translucent.png"};

  IControl* knob = f.graphics.AttachControl(new IBKnobControl(10.f, 10.f, opaqueStrip, -1));
  EXPECT_TRUE(knob->IsOpaque());
  knob->SetDisabled(true);
  EXPECT_FALSE(knob->IsOpaque()) << "a disabled control is drawn at a quarter weight";
  knob->SetDisabled(false);
  knob->SetBlend(IBlend(kBlendAdd, 1.f));
  EXPECT_FALSE(knob->IsOpaque());

  EXPECT_FALSE(f.graphics.AttachControl(new IBKnobControl(100.f, 10.f, translucentStrip, -1))->IsOpaque());
  EXPECT_FALSE(f.graphics.AttachControl(new IBKnobControl(IRECT(0, 100, 80, 180), opaqueStrip, -1))->IsOpaque())
    << "a frame smaller than the control leaves its edges to what lies beneath";
  EXPECT_TRUE(f.graphics.AttachControl(new IBSwitchControl(IRECT(200, 10, 260, 70), opaqueStrip))->IsOpaque());
}
