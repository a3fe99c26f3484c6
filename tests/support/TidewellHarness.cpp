#include "TidewellHarness.h"

#include <algorithm>

using iplug::kInput;
using iplug::kOutput;
using iplug::sample;

TidewellHarness::TidewellHarness(int nChans, double sampleRate, int blockSize)
  : mBlockSize(blockSize)
{
  mPlug.SetSampleRate(sampleRate);
  mPlug.SetBlockSize(blockSize);
  mPlug.SetChannelConnections(kInput, 0, 2, false);
  mPlug.SetChannelConnections(kOutput, 0, 2, false);
  mPlug.SetChannelConnections(kInput, 0, nChans, true);
  mPlug.SetChannelConnections(kOutput, 0, nChans, true);
  mPlug.OnReset();
}

void TidewellHarness::SetParam(int paramIdx, double value)
{
  mPlug.GetParam(paramIdx)->Set(value);
  mPlug.OnParamChange(paramIdx);
}

std::vector<double> TidewellHarness::RunBlock(int nFrames, double input)
{
  const auto size = static_cast<std::size_t>(std::max(nFrames, 1));
  sample* ins[2];
  sample* outs[2];
  for (int c = 0; c < 2; ++c)
  {
    mIn[c].assign(size, input);
    mOut[c].assign(size, -99.0);
    ins[c] = mIn[c].data();
    outs[c] = mOut[c].data();
  }
  mPlug.ProcessBlock(ins, outs, nFrames);
  return std::vector<double>(mOut[0].begin(), mOut[0].begin() + std::max(nFrames, 0));
}

std::vector<double> TidewellHarness::Run(int nFrames, double input)
{
  std::vector<double> out;
  out.reserve(static_cast<std::size_t>(nFrames));
  for (int done = 0; done < nFrames; done += mBlockSize)
  {
    const auto block = RunBlock(std::min(mBlockSize, nFrames - done), input);
    out.insert(out.end(), block.begin(), block.end());
  }
  return out;
}

long FirstDucked(const std::vector<double>& gains, long from)
{
  for (auto i = static_cast<std::size_t>(from); i < gains.size(); ++i)
    if (gains[i] < 1.0)
      return static_cast<long>(i);
  return -1;
}
