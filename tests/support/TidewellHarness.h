#pragma once

#include <vector>

#include "Tidewell.h"

// Drives a Tidewell engine the way a host adapter does, with a constant or given input, and
// records what comes out of channel 0 (and 1).
class TidewellHarness
{
public:
  // Prepares sample rate, block size and connected channels (1 or 2 of each route), then resets.
  explicit TidewellHarness(int nChans = 2, double sampleRate = 48000.0, int blockSize = 512);

  // Sets a parameter the way the host does: store the value, then tell the engine.
  void SetParam(int paramIdx, double value);

  // Processes nFrames of a constant input in blocks of the harness block size; returns channel 0's output.
  std::vector<double> Run(int nFrames, double input = 1.0);
  // Processes exactly one block of nFrames (may be 0) of a constant input; returns channel 0's output.
  std::vector<double> RunBlock(int nFrames, double input = 1.0);

  Tidewell& Plug() { return mPlug; }
  // Channel 1's output of the last block.
  const std::vector<double>& LastRight() const { return mOut[1]; }

private:
  Tidewell mPlug;
  int mBlockSize;
  std::vector<double> mIn[2];
  std::vector<double> mOut[2];
};

// Index of the first sample below 1 (ducked), or -1.
long FirstDucked(const std::vector<double>& gains, long from = 0);
