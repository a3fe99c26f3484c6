#pragma once

#include <algorithm>

#include "IPattern.h"

namespace iplug::igraphics {

// A drop shadow applied to a layer: the layer's alpha mask, blurred, offset and painted with a pattern.
struct IShadow
{
  IPattern mPattern = COLOR_BLACK_DROP_SHADOW; // paint of the shadow
  float mBlurSize = 0.f;                       // blur radius in pixels
  float mXOffset = 0.f;                        // horizontal offset in user units
  float mYOffset = 0.f;                        // vertical offset in user units
  float mOpacity = 1.f;                        // shadow opacity, 0-1
  bool mDrawContent = true;                    // draw the layer's own content over its shadow

  // A shadow; opacity is clamped to 0-1.
  IShadow(const IPattern& pattern = COLOR_BLACK_DROP_SHADOW, float blurSize = 0.f, float xOffset = 0.f,
          float yOffset = 0.f, float opacity = 1.f, bool drawContent = true)
    : mPattern(pattern)
    , mBlurSize(blurSize)
    , mXOffset(xOffset)
    , mYOffset(yOffset)
    , mOpacity(std::clamp(opacity, 0.f, 1.f))
    , mDrawContent(drawContent)
  {
  }
};

} // namespace iplug::igraphics
