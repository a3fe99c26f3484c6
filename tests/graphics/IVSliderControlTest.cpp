#include <gtest/gtest.h>

#include "IVSliderControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  IVSliderControl* AddSlider(GraphicsFixture& f, int paramIdx, bool editable, EDirection dir = kDirectionVertical)
  {
    return static_cast<IVSliderControl*>(f.graphics.AttachControl(
      new IVSliderControl(IRECT(0, 0, 60, 200), paramIdx, "", DEFAULT_STYLE, editable, dir, 4.0, 10.f)));
  }
}

TEST(IVSliderControl, AClickOnTheTrackJumpsAndTheHandleFollowsTheValue)
{
  GraphicsFixture f;
  IVSliderControl* slider = AddSlider(f, 0, false);
  const IRECT& track = slider->GetTrackBounds();
  EXPECT_EQ(track.T, slider->GetWidgetBounds().T + 5.f) << "the handle's centre stays half a handle inside";
  f.graphics.OnMouseDown({Mouse(track.MW(), track.T + track.H() * 0.25f)});
  EXPECT_NEAR(slider->GetValue(), 0.75, 1e-3);
  const IRECT handle = slider->GetHandleBounds();
  EXPECT_NEAR(handle.MH(), track.T + track.H() * 0.25f, 0.2f);
  EXPECT_EQ(handle.H(), 10.f);
  EXPECT_TRUE(slider->GetWidgetBounds().Contains(handle.L, handle.T));
}

TEST(IVSliderControl, AnEditableValuePromptsWhenItsTextIsClicked)
{
  GraphicsFixture f;
  IVSliderControl* slider = AddSlider(f, 0, true);
  slider->SetValue(0.3);
  const IRECT value = slider->GetValueBounds();
  ASSERT_GT(value.H(), 0.f);
  f.graphics.OnMouseDown({Mouse(value.MW(), value.MH())});
  ASSERT_EQ(f.graphics.mTextEntries.size(), 1u);
  EXPECT_EQ(f.graphics.mTextEntries[0].bounds, value);
  EXPECT_EQ(slider->GetValue(), 0.3) << "the click on the value does not move the slider";

  IVSliderControl* fixed = AddSlider(f, 0, false);
  EXPECT_FALSE(fixed->IsHit(value.MW(), value.MH())) << "a value that is not editable is no target";
}

TEST(IVSliderControl, ADoubleClickResetsToTheDefault)
{
  GraphicsFixture f;
  IVSliderControl* slider = AddSlider(f, 0, false);
  slider->SetValue(0.9);
  const IRECT& track = slider->GetTrackBounds();
  f.graphics.OnMouseDblClick(track.MW(), track.MH(), IMouseMod());
  EXPECT_DOUBLE_EQ(slider->GetValue(), 0.5);
}

TEST(IVSliderControl, AHorizontalSliderFillsTheTrackFromTheLeftUpToTheHandle)
{
  GraphicsFixture f;
  auto* slider = static_cast<IVSliderControl*>(f.graphics.AttachControl(new IVSliderControl(
    IRECT(0, 0, 200, 60), nullptr, "", DEFAULT_STYLE.WithShowLabel(false), false, kDirectionHorizontal, 4.0, 10.f)));
  slider->SetValue(0.5);
  const IRECT track = slider->GetDrawnTrack();
  EXPECT_EQ(track.H(), 2.f) << "the track is its track size across";
  EXPECT_NEAR(slider->GetHandleBounds().MW(), track.MW(), 1e-4f);
  f.graphics.mLogging = true;
  slider->DrawTrack(f.graphics, IRECT(track.L, track.T, track.MW(), track.B));
  const auto& log = f.graphics.mLog;
  EXPECT_NE(std::find(log.begin(), log.end(), "PathFill 0,0,0"), log.end()) << "the filled part in extra colour 1";
  EXPECT_NE(std::find(log.begin(), log.end(), "PathStroke 1"), log.end()) << "the outline with frames on";
}
