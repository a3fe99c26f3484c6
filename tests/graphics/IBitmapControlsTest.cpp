#include <gtest/gtest.h>

#include <limits>

#include "IBitmapControls.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // A 60 x 1860 strip of 31 stacked 60 x 60 frames, or a 2-frame 40 x 80 switch strip.
  struct Strips
  {
    APIBitmap knobPixels{1, 60, 1860, 1.f, 1.f};
    APIBitmap switchPixels{2, 40, 80, 1.f, 1.f};
    APIBitmap widePixels{3, 100, 20, 1.f, 1.f};
    IBitmap knob{&knobPixels, 31, false, "controlKnob.png"};
    IBitmap toggle{&switchPixels, 2, false, "processBtn.png"};
    IBitmap horizontal{&widePixels, 5, true, "wide.png"};
  };

  // The "DrawBitmap L T R B srcX srcY" line of the last draw.
  std::string LastDraw(RecordingGraphics& g)
  {
    for (auto it = g.mLog.rbegin(); it != g.mLog.rend(); ++it)
      if (it->rfind("DrawBitmap", 0) == 0)
        return *it;
    return "";
  }
}

TEST(IBitmapControls, ThirtyOneFramesRoundValuesHalfUpToTheNearestFrame)
{
  EXPECT_EQ(IBitmapBase::FrameForValue(31, 0.0), 1);
  EXPECT_EQ(IBitmapBase::FrameForValue(31, 1.0 / 60.0 - 1e-9), 1);
  EXPECT_EQ(IBitmapBase::FrameForValue(31, 1.0 / 60.0), 2);
  EXPECT_EQ(IBitmapBase::FrameForValue(31, 0.5), 16);
  EXPECT_EQ(IBitmapBase::FrameForValue(31, 1.0), 31);
  EXPECT_EQ(IBitmapBase::FrameForValue(31, -0.5), 1);
  EXPECT_EQ(IBitmapBase::FrameForValue(31, 7.0), 31);
  EXPECT_EQ(IBitmapBase::FrameForValue(1, 0.9), 1);
}

TEST(IBitmapControls, ValuesThatAreNoNumbersOrHugePickTheFirstOrLastFrame)
{
  constexpr double kInf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(IBitmapBase::FrameForValue(31, std::numeric_limits<double>::quiet_NaN()), 1);
  EXPECT_EQ(IBitmapBase::FrameForValue(31, -kInf), 1);
  EXPECT_EQ(IBitmapBase::FrameForValue(31, -1e30), 1);
  EXPECT_EQ(IBitmapBase::FrameForValue(31, 1e30), 31);
  EXPECT_EQ(IBitmapBase::FrameForValue(31, kInf), 31);
}

TEST(IBitmapControls, AKnobDrawsItsFrameCentredWithTheStripOffset)
{
  GraphicsFixture f;
  Strips s;
  IControl* knob = f.graphics.AttachControl(new IBKnobControl(16.5f, 110.f, s.knob, 0));
  EXPECT_EQ(knob->GetRECT(), IRECT(16.5f, 110.f, 76.5f, 170.f));
  f.graphics.mLogging = true;
  knob->SetValue(0.5);
  knob->Draw(f.graphics);
  EXPECT_EQ(LastDraw(f.graphics), "DrawBitmap 16.5 110 76.5 170 0 900") << "frame 16 starts 15 x 60 down";
  knob->SetValue(0.0);
  knob->Draw(f.graphics);
  EXPECT_EQ(LastDraw(f.graphics), "DrawBitmap 16.5 110 76.5 170");
}

TEST(IBitmapControls, HorizontalStripsOffsetAlongX)
{
  GraphicsFixture f;
  Strips s;
  IControl* c = f.graphics.AttachControl(new IBitmapControl(IRECT(0, 0, 40, 40), s.horizontal, 0));
  f.graphics.mLogging = true;
  c->SetValue(0.5);
  c->Draw(f.graphics);
  EXPECT_EQ(LastDraw(f.graphics), "DrawBitmap 10 10 30 30 40 0") << "frame 3 of 5, a 20 x 20 frame centred";
}

TEST(IBitmapControls, TheTwoFrameSwitchTogglesDuckAndInformsTheHostOncePerClick)
{
  GraphicsFixture f;
  Strips s;
  IControl* sw = f.graphics.AttachControl(new IBSwitchControl(402.5f, 121.f, s.toggle, 0));
  f.graphics.mLogging = true;
  std::vector<double> values;
  for (int i = 0; i < 3; ++i)
  {
    f.graphics.OnMouseDown({Mouse(410, 130)});
    f.graphics.OnMouseUp({Mouse(410, 130)});
    values.push_back(sw->GetValue());
  }
  EXPECT_EQ(values, (std::vector<double>{1.0, 0.0, 1.0}));
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 0", "set 0 1", "end 0", "begin 0", "set 0 0", "end 0",
                                                   "begin 0", "set 0 1", "end 0"}));
  sw->Draw(f.graphics);
  EXPECT_EQ(LastDraw(f.graphics), "DrawBitmap 402.5 121 442.5 161 0 40") << "value 1 draws the lower frame";
}

TEST(IBitmapControls, ADisabledControlDrawsAtAQuarterWeight)
{
  Strips s;
  IBKnobControl knob(0.f, 0.f, s.knob, -1);
  knob.SetDisabled(true);
  EXPECT_EQ(knob.GetBlend().mWeight, 0.25f);
}

TEST(IBitmapControls, ASliderHandleMovesAlongItsTrack)
{
  GraphicsFixture f;
  Strips s;
  APIBitmap handlePixels(4, 20, 10, 1.f, 1.f);
  IBitmap handle(&handlePixels, 1, false, "handle.png");
  auto* slider = static_cast<IBSliderControl*>(
    f.graphics.AttachControl(new IBSliderControl(10.f, 10.f, 100.f, handle, IBitmap(), 0, kDirectionVertical)));
  EXPECT_EQ(slider->GetRECT(), IRECT(10, 10, 30, 110));
  EXPECT_EQ(slider->GetHandleBounds(1.0), IRECT(10, 10, 30, 20));
  EXPECT_EQ(slider->GetHandleBounds(0.0), IRECT(10, 100, 30, 110));
}
