#include "LinuxTooltip.h"

#include "IControl.h"
#include "IGraphics.h"

namespace iplug::igraphics {

IControl* LinuxTooltip::Due(IGraphics& graphics, double now)
{
  if (!graphics.TooltipsEnabled() || graphics.ControlIsCaptured() || now - mLastMoveTime < kDelay)
    return nullptr;
  IControl* pHover = graphics.GetHoverControl();
  if (!pHover || pHover == mShownFor || !pHover->GetTooltip()[0])
    return nullptr;
  mShownFor = pHover;
  return pHover;
}

} // namespace iplug::igraphics
