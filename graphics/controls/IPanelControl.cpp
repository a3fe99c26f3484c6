#include "IPanelControl.h"

#include "IGraphics.h"

namespace iplug::igraphics
{

IPanelControl::IPanelControl(const IRECT& bounds, const IPattern& pattern, bool drawFrame)
  : IControl(bounds)
  , mPattern(pattern)
  , mDrawFrame(drawFrame)
{
}

void IPanelControl::Draw(IGraphics& g)
{
  g.PathClear();
  g.PathRect(mBounds);
  g.PathFill(mPattern, IFillOptions(kFillNonZero, mDrawFrame), &mDrawBlend);
  if (mDrawFrame)
    g.PathStroke(IPattern(COLOR_LIGHT_GRAY), 1.f, IStrokeOptions(), &mDrawBlend);
}

void IPanelControl::SetPattern(const IPattern& pattern)
{
  mPattern = pattern;
  SetDirty(false);
}

} // namespace iplug::igraphics
