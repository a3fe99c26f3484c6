#pragma once

#include "IControl.h"

namespace iplug::igraphics
{

// Mouse behaviour of a momentary button: a press sets the value to 1 and runs the action (whose click
// animation returns it to 0 when it ends); double clicks press again. Main thread.
class IButtonControlBase : public IControl
{
public:
  // A button over bounds running actionFunc on each press.
  IButtonControlBase(const IRECT& bounds, IActionFunction actionFunc = DefaultClickActionFunc);

  // Presses: value 1, then the action.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Releases: value 0, then the usual end of the animation.
  void OnEndAnimation() override;
};

} // namespace iplug::igraphics
