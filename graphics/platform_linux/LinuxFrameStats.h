#pragma once

#include <AppKit/NSView.h>

namespace iplug::igraphics {

// The drawing figures a view keeps for a host's diagnostics (frames drawn and skipped, draw times, redrawn
// share). Timing a frame to the end of its GL work needs glFinish, which stalls the host's UI thread, so the
// figures are timed that way only once a host has asked for them. [ui-thread]
class LinuxFrameStats
{
public:
  // Whether draw times should include the GL work: true once Read was called.
  bool Wanted() const { return mWanted; }
  // A frame-timer tick with nothing to draw.
  void Skipped() { mStats.framesSkipped++; }
  // A drawn frame: its wall time in milliseconds and the redrawn share of the view (0-1).
  void Drawn(double milliseconds, double dirtyShare);
  // The figures so far; from this call on, draw times include the GL work.
  NSViewFrameStatistics Read();

private:
  NSViewFrameStatistics mStats = {};
  double mTotalDrawMs = 0.0;
  double mTotalDirtyShare = 0.0;
  bool mWanted = false;
};

} // namespace iplug::igraphics
