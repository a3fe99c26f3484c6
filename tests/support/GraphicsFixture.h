#pragma once

#include "IParam.h"
#include "RecordingGraphics.h"

namespace iplug::igraphics
{

// A delegate with three parameters (a double, an enumeration and a stepped integer), size limits
// around a 300 x 200 editor, and a recording graphics context it does not own.
struct GraphicsFixture
{
  GraphicsFixture() : dlg(3), graphics(dlg, 300, 200, 60, 1.f)
  {
    dlg.GetParam(0)->InitDouble("Level", 0.5, 0.0, 1.0, 0.01);
    dlg.GetParam(1)->InitEnum("Mode", 1, {"Off", "Soft", "Hard"});
    dlg.GetParam(2)->InitInt("Steps", 2, 0, 10);
    dlg.SetSizeConstraints(100, 1000, 50, 500);
    graphics.mLogging = false;
  }

  // Attaches a recording control over r linked to paramIdx and returns it.
  RecordingControl* Add(const IRECT& r, int paramIdx = -1, int tag = IGraphics::kNoTag)
  {
    return static_cast<RecordingControl*>(graphics.AttachControl(new RecordingControl(r, paramIdx), tag));
  }

  RecordingDelegate dlg;
  RecordingGraphics graphics;
};

// One mouse sample at (x, y) with the given buttons.
inline IMouseInfo Mouse(float x, float y, bool left = true, bool right = false, float dX = 0.f, float dY = 0.f)
{
  IMouseInfo info;
  info.x = x;
  info.y = y;
  info.dX = dX;
  info.dY = dY;
  info.ms = IMouseMod(left, right);
  return info;
}

} // namespace iplug::igraphics
