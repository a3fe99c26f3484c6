#include "gallery/GalleryCanvas.h"

#include "IBubbleControl.h"
#include "IFPSDisplayControl.h"
#include "IPopupMenuControl.h"
#include "ITextEntryControl.h"
#include "IVKnobControl.h"
#include "IVirtualKeys.h"

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

// The controls the graphics context keeps apart from the standard ones, as the gallery attaches them:
// the frame-time display, the value bubble, the drawn popup menu and the drawn text entry. Each draws
// inside its rectangle (plus its shadow), and its picture follows what it shows.

namespace
{
// Anti-aliasing past a rectangle's edge.
constexpr float kEdgeMargin = 1.f;
// The bubble's drop shadow (offset 2, blur 10) and the menu panels' shadow (10) reach this far.
constexpr float kShadowMargin = 12.f;
// Where the graphics context puts the frame-time display.
const IRECT kFrameTimeArea(10.f, 10.f, 210.f, 60.f);

int MinimumPixels(float scale) { return static_cast<int>(20.f * scale * scale); }

IBubbleControl* FindBubble(IGraphics& g)
{
  IBubbleControl* bubble = nullptr;
  g.ForAllControlsFunc([&bubble](IControl* pControl) {
    if (!bubble)
      bubble = dynamic_cast<IBubbleControl*>(pControl);
  });
  return bubble;
}

class GallerySpecialControlsPixelTest : public ::testing::TestWithParam<float>
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(mCanvas.Open()) << "no EGL surfaceless OpenGL context, or no " << GALLERY_BUNDLE_PATH;
  }

  // Checks that hiding pControl removes a picture that lies inside area.
  void ExpectDrawsOnlyInside(IControl* pControl, const IRECT& area, const char* what)
  {
    const RGBAImage shown = mCanvas.Render();
    pControl->Hide(true);
    const RGBAImage hidden = mCanvas.Render();
    pControl->Hide(false);
    const PictureDifference own = Compare(shown, hidden, area, GetParam());
    EXPECT_GT(own.inside, MinimumPixels(GetParam()))
      << what << " draws something; " << SavePictures(shown, hidden, what);
    EXPECT_EQ(own.outside, 0) << what << " draws outside its rectangle, first at pixel (" << own.firstOutsideX << ", "
                              << own.firstOutsideY << "); " << SavePictures(shown, hidden, what);
  }

  GalleryCanvas mCanvas{GetParam()};
};
} // namespace

TEST_P(GallerySpecialControlsPixelTest, FrameTimeDisplayDrawsInItsCornerAndGraphsTheFrameTimes)
{
  IFPSDisplayControl* display = mCanvas.G().GetFPSDisplayControl();
  ASSERT_NE(display, nullptr) << "the layout shows the frame-time display";
  for (int i = 0; i < IFPSDisplayControl::kNumDataPoints; ++i)
    display->Update(1.f / 60.f);
  const RGBAImage fast = mCanvas.Render();
  mCanvas.G().ShowFPSDisplay(false);
  const RGBAImage none = mCanvas.Render();
  const PictureDifference own = Compare(fast, none, kFrameTimeArea.GetPadded(kEdgeMargin), GetParam());
  EXPECT_GT(own.inside, MinimumPixels(GetParam())) << SavePictures(fast, none, "frame-time-display");
  EXPECT_EQ(own.outside, 0) << "first at pixel (" << own.firstOutsideX << ", " << own.firstOutsideY << "); "
                            << SavePictures(fast, none, "frame-time-display");

  mCanvas.G().ShowFPSDisplay(true);
  display = mCanvas.G().GetFPSDisplayControl();
  for (int i = 0; i < IFPSDisplayControl::kNumDataPoints; ++i)
    display->Update(1.f / 60.f);
  const RGBAImage before = mCanvas.Render();
  for (int i = 0; i < IFPSDisplayControl::kNumDataPoints; ++i)
    display->Update(1.f / 12.f);
  const RGBAImage slow = mCanvas.Render();
  EXPECT_GT(Compare(before, slow, kFrameTimeArea, GetParam()).inside, MinimumPixels(GetParam()))
    << "slower frames change the graph and readout; " << SavePictures(before, slow, "frame-time-display-slow");
}

TEST_P(GallerySpecialControlsPixelTest, ValueBubbleShowsTheDraggedKnobsValueAboveIt)
{
  mCanvas.G().ShowFPSDisplay(false);
  ShowGalleryPage(&mCanvas.G(), kGalleryPageVectors);
  auto* knob = dynamic_cast<IVKnobControl*>(mCanvas.Control(kGalleryTagVectorKnob));
  ASSERT_NE(knob, nullptr);
  IBubbleControl* bubble = FindBubble(mCanvas.G());
  ASSERT_NE(bubble, nullptr) << "the layout attaches a bubble";
  const float x = knob->GetWidgetBounds().MW();
  const float y = knob->GetWidgetBounds().MH();
  mCanvas.G().OnMouseDown({IMouseInfo{x, y, 0.f, 0.f, IMouseMod(true)}});
  mCanvas.G().OnMouseDrag({IMouseInfo{x, y - 10.f, 0.f, -10.f, IMouseMod(true)}});
  ASSERT_TRUE(mCanvas.RunFramesUntil([bubble] { return bubble->GetState() == IBubbleControl::kExpanded; }))
    << "dragging the knob shows the bubble";
  EXPECT_LE(bubble->GetRECT().B, knob->GetRECT().T) << "above the knob";

  ExpectDrawsOnlyInside(bubble, bubble->GetRECT().GetPadded(kShadowMargin), "value-bubble");

  const RGBAImage first = mCanvas.Render();
  const std::string firstText = bubble->GetStr();
  mCanvas.G().OnMouseDrag({IMouseInfo{x, y - 60.f, 0.f, -50.f, IMouseMod(true)}});
  EXPECT_NE(firstText, bubble->GetStr()) << "the bubble shows the new value";
  const RGBAImage second = mCanvas.Render();
  EXPECT_GT(Compare(first, second, bubble->GetRECT(), GetParam()).inside, MinimumPixels(GetParam()))
    << SavePictures(first, second, "value-bubble-text");
  mCanvas.G().OnMouseUp({IMouseInfo{x, y - 60.f, 0.f, 0.f, IMouseMod(true)}});
}

TEST_P(GallerySpecialControlsPixelTest, PopupMenuFromTheShapeCaptionDrawsBesideItAndChoosesTheShape)
{
  IControl* caption = mCanvas.Control(kGalleryTagShapeCaption);
  mCanvas.G().ShowFPSDisplay(false);
  mCanvas.Click(caption->GetRECT().MW(), caption->GetRECT().MH());
  IPopupMenuControl* menu = mCanvas.G().GetPopupMenuControl();
  ASSERT_NE(menu, nullptr) << "the layout attaches a drawn popup menu";
  ASSERT_TRUE(mCanvas.RunFramesUntil([menu] { return menu->GetState() == IPopupMenuControl::kIdling; }))
    << "clicking the caption opens the menu";
  ASSERT_EQ(menu->NPanels(), 1);
  ASSERT_EQ(menu->GetPanel(0)->mCellBounds.size(), 4u) << "one cell per shape";

  ExpectDrawsOnlyInside(menu, menu->GetRECT().GetPadded(kShadowMargin), "popup-menu");

  const RGBAImage plain = mCanvas.Render();
  const IRECT square = menu->GetPanel(0)->mCellBounds[2];
  mCanvas.G().OnMouseOver(square.MW(), square.MH(), IMouseMod());
  const RGBAImage highlighted = mCanvas.Render();
  EXPECT_GT(Compare(plain, highlighted, square, GetParam()).inside, MinimumPixels(GetParam()))
    << "the cell under the pointer is highlighted; " << SavePictures(plain, highlighted, "popup-menu-highlight");

  mCanvas.Click(square.MW(), square.MH());
  EXPECT_EQ(mCanvas.Delegate().GetParam(kGalleryShape)->Int(), 2) << "the third shape was chosen";
  EXPECT_TRUE(mCanvas.RunFramesUntil([menu] { return menu->GetState() == IPopupMenuControl::kCollapsed; }));
}

TEST_P(GallerySpecialControlsPixelTest, TextEntryFromTheGainCaptionDrawsOverItAndSetsTheGain)
{
  IControl* caption = mCanvas.Control(kGalleryTagGainCaption);
  mCanvas.G().ShowFPSDisplay(false);
  mCanvas.Click(caption->GetRECT().MW(), caption->GetRECT().MH());
  ITextEntryControl* entry = mCanvas.G().GetTextEntryControl();
  ASSERT_NE(entry, nullptr) << "the layout attaches a drawn text entry";
  ASSERT_TRUE(entry->GetEditing()) << "clicking the caption opens the entry";

  ExpectDrawsOnlyInside(entry, entry->GetRECT().GetPadded(kEdgeMargin), "text-entry");

  const RGBAImage selected = mCanvas.Render();
  const float x = entry->GetRECT().MW();
  const float y = entry->GetRECT().MH();
  EXPECT_TRUE(mCanvas.G().OnKeyDown(x, y, iplug::IKeyPress("5", '5')));
  EXPECT_EQ(entry->GetStr(), "5") << "the typed digit replaces the selected text";
  const RGBAImage typed = mCanvas.Render();
  EXPECT_GT(Compare(selected, typed, entry->GetRECT(), GetParam()).inside, MinimumPixels(GetParam()))
    << SavePictures(selected, typed, "text-entry-typed");

  mCanvas.G().OnKeyDown(x, y, iplug::IKeyPress("\r", iplug::kVK_RETURN));
  EXPECT_FALSE(entry->GetEditing());
  EXPECT_DOUBLE_EQ(mCanvas.Delegate().GetParam(kGalleryGain)->Value(), 5.);
}

INSTANTIATE_TEST_SUITE_P(Scales, GallerySpecialControlsPixelTest, ::testing::Values(1.f, 2.f),
                         [](const ::testing::TestParamInfo<float>& info) {
                           return std::to_string(static_cast<int>(info.param)) + "x";
                         });
