#include <gtest/gtest.h>

#include <vector>

#include "AllocationCounter.h"
#include "Tidewell.h"

using iplug::kInput;
using iplug::kOutput;
using iplug::sample;

namespace
{
  // A stereo instance prepared for blocks of nFrames, as a host adapter leaves it before rendering.
  void Prepare(Tidewell& plug, int nFrames)
  {
    plug.SetSampleRate(48000.0);
    plug.SetBlockSize(nFrames);
    plug.SetChannelConnections(kInput, 0, 2, true);
    plug.SetChannelConnections(kOutput, 0, 2, true);
    plug.OnReset();
  }
}

TEST(RealtimeSafety, CounterSeesAllocationsOnThisThread)
{
  ScopedAllocationCounter counter;
  std::vector<int> probe(16);
  EXPECT_GE(counter.Count(), 1);
}

TEST(RealtimeSafety, ProcessBlockNeverAllocatesThroughDipsAndParameterChanges)
{
  constexpr int kFrames = 4096;
  Tidewell plug;
  Prepare(plug, kFrames);
  std::vector<sample> left(kFrames, 0.5), right(kFrames, 0.5);
  sample* ins[2] = {left.data(), right.data()};
  sample* outs[2] = {left.data(), right.data()};

  ScopedAllocationCounter counter;
  // 70 s at 48 kHz: at least two dips, and parameter changes in between as a host would send them.
  for (int block = 0; block < 820; ++block)
  {
    if (block % 100 == 50)
    {
      plug.GetParam(kDuration)->Set((block % 300) / 300.0);
      plug.OnParamChange(kDuration);
    }
    plug.ProcessBlock(ins, outs, kFrames);
  }
  plug.ProcessBlock(ins, outs, 0);
  EXPECT_EQ(counter.Count(), 0);
}

TEST(RealtimeSafety, FloatPathNeverAllocates)
{
  constexpr int kFrames = 512;
  Tidewell plug;
  Prepare(plug, kFrames);
  std::vector<float> inL(kFrames, 0.25f), inR(kFrames, 0.25f), outL(kFrames), outR(kFrames);
  float* ins[2] = {inL.data(), inR.data()};
  float* outs[2] = {outL.data(), outR.data()};

  ScopedAllocationCounter counter;
  for (int block = 0; block < 3000; ++block)
  {
    plug.SetChannelConnections(kInput, 0, 2, true);
    plug.SetChannelConnections(kOutput, 0, 2, true);
    plug.AttachBuffers(kInput, 0, 2, ins, kFrames);
    plug.AttachBuffers(kOutput, 0, 2, outs, kFrames);
    if (block % 7 == 0)
      plug.PassThroughBuffers(0.f, kFrames);
    else
      plug.ProcessBuffers(0.f, kFrames);
  }
  EXPECT_EQ(counter.Count(), 0);
}
