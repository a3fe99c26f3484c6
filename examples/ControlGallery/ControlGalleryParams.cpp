#include "ControlGalleryParams.h"

#include "IEditorDelegate.h"

using namespace iplug;

void InitControlGalleryParams(IEditorDelegate& dlg)
{
  dlg.GetParam(kGalleryGain)->InitGain("Gain", 0., -24., 12., 0.1);
  dlg.GetParam(kGallerySteps)->InitInt("Steps", 4, 1, 8);
  dlg.GetParam(kGalleryShape)->InitEnum("Shape", 0, {"Sine", "Triangle", "Square", "Noise"});
  dlg.GetParam(kGalleryInvert)->InitBool("Invert", false, "", 0, "", "Normal", "Inverted");
}
