#include "LinuxFrameStats.h"

#include <algorithm>

namespace iplug::igraphics {

void LinuxFrameStats::Drawn(double milliseconds, double dirtyShare)
{
  mStats.framesDrawn++;
  mTotalDrawMs += milliseconds;
  mTotalDirtyShare += dirtyShare;
  mStats.maxDrawMilliseconds = std::max(mStats.maxDrawMilliseconds, milliseconds);
}

NSViewFrameStatistics LinuxFrameStats::Read()
{
  mWanted = true;
  NSViewFrameStatistics stats = mStats;
  if (mStats.framesDrawn > 0)
  {
    stats.meanDrawMilliseconds = mTotalDrawMs / static_cast<double>(mStats.framesDrawn);
    stats.meanDirtyShare = mTotalDirtyShare / static_cast<double>(mStats.framesDrawn);
  }
  return stats;
}

} // namespace iplug::igraphics
