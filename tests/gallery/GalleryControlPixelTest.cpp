#include "gallery/GalleryCanvas.h"

#include <tuple>

#include "GalleryFileMenu.h"
#include "IPanelControl.h"
#include "ISVGControls.h"
#include "ITextControl.h"
#include "IVPlotControl.h"
#include "IVectorBase.h"

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

// Every standard control of the gallery, drawn off-screen at 1x and 2x: it draws something of its own,
// nothing outside its rectangle, and its picture follows its value (or its text, pattern or picture for
// controls that have no value).

namespace
{
// Anti-aliased edges may reach a little past a rectangle; the graphics context clips each control to its
// rectangle padded by less than this.
constexpr float kEdgeMargin = 1.f;

// The test names of the controls, by tag.
constexpr const char* kNames[] = {
  "Title",        "Link",          "PageTabs",      "BitmapKnob",      "BitmapRotater",   "BitmapSwitch",
  "BitmapButton", "BitmapSlider",  "BitmapLamp",    "BitmapText",      "Text",            "ShapeCaption",
  "GainCaption",  "TextToggle",    "FileMenu",      "PlaceHolder",     "Panel",           "SVG",
  "SVGKnob",      "SVGButton",     "SVGSwitch",     "SVGSlider",       "VectorGroup",     "VectorKnob",
  "VectorSlider", "VectorButton",  "VectorSwitch",  "VectorToggle",    "VectorSlideSwitch", "VectorTabs",
  "VectorRadio",  "VectorSwatch",  "VectorLabel",   "VectorRange",     "VectorXYPad",     "VectorPlot",
  "VectorTracks"};
static_assert(std::size(kNames) == kNumGalleryCtrlTags, "one name per gallery control");

// Fewest pixels (at 1x) that count as a control having drawn or changed something.
int MinimumPixels(float scale) { return static_cast<int>(20.f * scale * scale); }

// Moves every parameter the control shows to the other end of its range the way a host change arrives: the
// parameter is set and the editor delegate hands the value to every control linked to it. Returns false when
// no slot is linked.
bool ChangeLinkedParameters(GalleryCanvas& canvas, IControl& control)
{
  bool linked = false;
  for (int i = 0; i < control.NVals(); ++i)
  {
    const int paramIdx = control.GetParamIdx(i);
    if (paramIdx < 0)
      continue;
    iplug::IParam* param = canvas.Delegate().GetParam(paramIdx);
    const double next = param->GetNormalized() < 0.5 ? 1. : 0.;
    param->SetNormalized(next);
    canvas.Delegate().SendParameterValueFromDelegate(paramIdx, next, true);
    linked = true;
  }
  return linked;
}

// Changes what the control shows: its parameters, else its own values, text, pattern or picture.
void ChangeControl(GalleryCanvas& canvas, int tag, IControl& control)
{
  switch (tag)
  {
    case kGalleryTagPanel:
      static_cast<IPanelControl&>(control).SetPattern(IPattern(COLOR_RED));
      return;
    case kGalleryTagSVG:
      static_cast<ISVGControl&>(control).SetSVG(canvas.G().LoadSVG("GalleryKnob.svg"));
      return;
    case kGalleryTagVectorGroup:
      dynamic_cast<IVectorBase&>(control).SetLabelStr("Other dials");
      return;
    case kGalleryTagVectorSwatch:
      dynamic_cast<IVectorBase&>(control).SetColor(kFG, COLOR_RED);
      return;
    case kGalleryTagVectorPlot:
      static_cast<IVPlotControl&>(control).AddPlotFunc(COLOR_RED, [](double x) { return 0.9 - 1.8 * x; });
      return;
    case kGalleryTagFileMenu:
    {
      auto& files = static_cast<GalleryFileMenu&>(control);
      files.SetupMenu();
      files.GetMenu().SetChosenItemIdx(0);
      files.OnPopupMenuSelection(&files.GetMenu(), 0);
      return;
    }
    default:
      break;
  }
  if (ChangeLinkedParameters(canvas, control))
    return;
  if (auto* text = dynamic_cast<ITextControl*>(&control))
  {
    text->SetStr("CHANGED 42");
    return;
  }
  for (int i = 0; i < control.NVals(); ++i)
    control.SetValueFromDelegate(control.GetValue(i) < 0.5 ? 1. : 0., i);
}

class GalleryControlPixelTest : public ::testing::TestWithParam<std::tuple<int, float>>
{
};
} // namespace

TEST_P(GalleryControlPixelTest, DrawsInsideItsRectangleAndShowsItsChanges)
{
  const auto [tag, scale] = GetParam();
  GalleryCanvas canvas(scale);
  ASSERT_TRUE(canvas.Open()) << "no EGL surfaceless OpenGL context, or no " << GALLERY_BUNDLE_PATH;
  // The frame-time display's readouts follow the clock; it has its own test.
  canvas.G().ShowFPSDisplay(false);
  ShowGalleryPage(&canvas.G(), std::max(GalleryPageOfTag(tag), 0));
  IControl* control = canvas.Control(tag);
  ASSERT_NE(control, nullptr);
  ASSERT_FALSE(control->IsHidden()) << "shown on its page";
  const IRECT area = control->GetRECT().GetPadded(kEdgeMargin);

  const RGBAImage shown = canvas.Render();
  control->Hide(true);
  const RGBAImage hidden = canvas.Render();
  control->Hide(false);
  const PictureDifference own = Compare(shown, hidden, area, scale);
  EXPECT_GT(own.inside, MinimumPixels(scale))
    << "draws something of its own; " << SavePictures(shown, hidden, kNames[tag]);
  EXPECT_EQ(own.outside, 0) << "draws outside its rectangle, first at pixel (" << own.firstOutsideX << ", "
                            << own.firstOutsideY << "); " << SavePictures(shown, hidden, kNames[tag]);

  ChangeControl(canvas, tag, *control);
  const RGBAImage changed = canvas.Render();
  const PictureDifference change = Compare(shown, changed, area, scale);
  EXPECT_GT(change.inside, MinimumPixels(scale)) << "its picture follows its change; "
                                                 << SavePictures(shown, changed, kNames[tag]);
}

INSTANTIATE_TEST_SUITE_P(Gallery, GalleryControlPixelTest,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(kNumGalleryCtrlTags)),
                                            ::testing::Values(1.f, 2.f)),
                         [](const ::testing::TestParamInfo<std::tuple<int, float>>& info) {
                           return std::string(kNames[std::get<0>(info.param)]) + "_" +
                                  std::to_string(static_cast<int>(std::get<1>(info.param))) + "x";
                         });
