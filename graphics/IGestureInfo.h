#pragma once

#include "IGraphicsConstants.h"

namespace iplug::igraphics {

// One recognised touch gesture.
struct IGestureInfo
{
  float x = 0.f;                             // position in user units
  float y = 0.f;                             // position in user units
  float scale = 0.f;                         // pinch scale factor
  float velocity = 0.f;                      // gesture velocity
  float angle = 0.f;                         // rotation in degrees
  EGestureState state = kGestureStateUnknown; // phase of the gesture
  EGestureType type = kGestureUnknown;       // kind of gesture
};

} // namespace iplug::igraphics
