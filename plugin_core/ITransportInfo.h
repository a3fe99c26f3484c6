#pragma once

namespace iplug
{
// The host's time information, refreshed by the host adapter before each block. -1 means unknown.
struct ITransportInfo
{
  double mTempo = 120.0;              // beats per minute
  double mSamplePos = -1.0;           // position in the timeline, in samples
  double mPPQPos = -1.0;              // position in quarter notes
  double mLastBar = -1.0;             // downbeat of the current bar, in quarter notes
  double mCycleStart = -1.0;          // loop start, in quarter notes
  double mCycleEnd = -1.0;            // loop end, in quarter notes
  int mNumerator = 4;                 // time-signature numerator
  int mDenominator = 4;               // time-signature denominator
  bool mTransportIsRunning = false;   // the host is playing
  bool mTransportLoopEnabled = false; // the host is looping
};
} // namespace iplug
