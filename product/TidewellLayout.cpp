#include "TidewellLayout.h"

#include "IBitmapControls.h"
#include "IGraphics.h"
#include "Tidewell.h"

using namespace iplug::igraphics;

namespace
{
// Opaque white: the resizer's colour in every state.
constexpr IColor kResizerColor(255, 255, 255, 255);
// The resizer's edge in user units at scale 1.
constexpr float kResizerEdge = 17.f;
// Knob positions (top-left corners) for Period, Random, Duration and Depth.
constexpr float kKnobY = 110.f;
constexpr float kKnobX[] = {16.5f, 115.5f, 214.5f, 313.5f};
} // namespace

void LayoutTidewellEditor(IGraphics* pGraphics)
{
  pGraphics->AttachCornerResizer(kResizerScale, false, kResizerColor, kResizerColor, kResizerColor, kResizerEdge);
  pGraphics->AttachBackground("Background.png");

  const IBitmap switchBitmap = pGraphics->LoadBitmap("processBtn.png", 2, false);
  pGraphics->AttachControl(new IBSwitchControl(402.5f, 121.f, switchBitmap, kDuck));

  // guide:bitmap-knob
  const IBitmap knobBitmap = pGraphics->LoadBitmap("controlKnob.png", 31, false);
  const int knobParams[] = {kPeriod, kRandom, kDuration, kDepth};
  for (int i = 0; i < 4; ++i)
    pGraphics->AttachControl(new IBKnobControl(kKnobX[i], kKnobY, knobBitmap, knobParams[i], kDirectionVertical, 4.0));
  // guide:end

  const IBitmap duckBitmap = pGraphics->LoadBitmap("Rubberduck.png", 31, false);
  pGraphics->AttachControl(new IBKnobControl(339.f, 9.f, duckBitmap, -1, kDirectionVertical, 4.0), kCtrlTagDuck);

  pGraphics->SetScaleConstraints(0.67f, 1.5f);
}
