#pragma once

#include "RecordingGraphics.h"

namespace iplug::igraphics
{

// A 500 x 220 editor with a background and 99 small controls on a grid, drawn by the recording back
// end with logging off: the tree the drawing-cycle benchmark and allocation test run frames on.
// A control that draws a filled rectangle and records nothing (so frames allocate nothing).
class NullControl : public IControl
{
public:
  using IControl::IControl;
  void Draw(IGraphics& g) override
  {
    g.PathClear();
    g.PathMoveTo(mBounds.L, mBounds.T);
    g.PathLineTo(mBounds.R, mBounds.B);
    g.PathFill(IPattern(COLOR_BLACK));
  }
};

struct HundredControlEditor
{
  HundredControlEditor() : dlg(0), graphics(dlg, 500, 220, 60, 1.f)
  {
    graphics.mLogging = false;
    graphics.AttachControl(new NullControl(IRECT(0, 0, 500, 220)));
    for (int i = 0; i < 99; ++i)
    {
      const float x = 5.f + static_cast<float>(i % 11) * 45.f;
      const float y = 5.f + static_cast<float>(i / 11) * 23.f;
      graphics.AttachControl(new NullControl(IRECT(x, y, x + 40.f, y + 20.f)));
    }
    Frame();
  }

  // One frame as the platform view runs it; returns whether anything was drawn.
  bool Frame()
  {
    rects.Clear();
    if (!graphics.IsDirty(rects))
      return false;
    graphics.SetAllControlsClean();
    graphics.Draw(rects);
    return true;
  }

  RecordingDelegate dlg;
  RecordingGraphics graphics;
  IRECTList rects;
};

} // namespace iplug::igraphics
