#pragma once

namespace iplug
{
class IEditorDelegate;
}

// Parameter indices of the ControlGallery.
enum EGalleryParams
{
  kGalleryGain = 0, // output gain, -24 to +12 dB
  kGallerySteps,    // a whole number 1 to 8, shown by the stepped controls
  kGalleryShape,    // an enumeration of four shapes, shown by the selectors and menus
  kGalleryInvert,   // inverts the output's polarity
  kNumGalleryParams
};

// Declares the gallery's four parameters on dlg, which must hold kNumGalleryParams of them. [main-thread]
void InitControlGalleryParams(iplug::IEditorDelegate& dlg);
