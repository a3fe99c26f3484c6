#pragma once

#include "IControl.h"
#include "IPattern.h"

namespace iplug::igraphics
{

// A rectangle filled with a pattern, optionally outlined; the graphics context uses one as a plain
// background. Main thread.
class IPanelControl : public IControl
{
public:
  // A panel over bounds filled with pattern, with a 1-unit light grey outline when drawFrame.
  IPanelControl(const IRECT& bounds, const IPattern& pattern, bool drawFrame = false);

  // Fills the bounds (and outlines them when asked).
  void Draw(IGraphics& g) override;
  // Replaces the fill and redraws.
  void SetPattern(const IPattern& pattern);
  // The fill.
  const IPattern& GetPattern() const { return mPattern; }

private:
  IPattern mPattern;
  bool mDrawFrame;
};

} // namespace iplug::igraphics
