#pragma once

namespace iplug::igraphics {

class IControl;
class IGraphics;

// When a tooltip is due. X11 has no tooltips of its own: the toolkit's bubble shows a control's text once
// the pointer has rested on it for a moment, once per control the pointer rests on. [ui-thread]
class LinuxTooltip
{
public:
  // How long the pointer rests on a control before its tooltip shows, seconds.
  static constexpr double kDelay = 0.6;

  // The pointer moved at now (seconds, steady clock).
  void PointerMoved(double now) { mLastMoveTime = now; }
  // The pointer left the window: the next control rested on shows its tooltip again.
  void PointerLeft() { mShownFor = nullptr; }
  // The control whose tooltip is due at now, or null; a control is returned once until the pointer leaves it.
  IControl* Due(IGraphics& graphics, double now);

private:
  double mLastMoveTime = 0.0;
  const IControl* mShownFor = nullptr; // compared, never used
};

} // namespace iplug::igraphics
