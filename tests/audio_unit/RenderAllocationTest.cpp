// After the first render, rendering allocates nothing: not through a dip, not with parameter changes
// between blocks, not when the unit provides the output buffers.

#include "AUHostSupport.h"
#include "realtime/AllocationCounter.h"

#include <gtest/gtest.h>

using namespace au_test;

TEST(RenderAllocation, RenderingAllocatesNothingAfterTheFirstRender)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  ASSERT_EQ(AudioUnitSetParameter(unit, 1, kAudioUnitScope_Global, 0, 0.f, 0), noErr);
  HostBuffers out(2, kDefaultMaxFrames);
  AudioTimeStamp time = SampleTime(0);
  ASSERT_EQ(AudioUnitRender(unit, nullptr, &time, 0, kDefaultMaxFrames, out.List()), noErr);

  // Ten seconds to the first dip, one and a half seconds of dip.
  constexpr int kBlocks = 11500 * 48 / 512;
  long allocations = -1;
  bool rendered = true;
  {
    ScopedAllocationCounter counter;
    for (int block = 1; block <= kBlocks; ++block)
    {
      time.mSampleTime = block * 512.0;
      AudioUnitSetParameter(unit, 4, kAudioUnitScope_Global, 0, (block % 10) / 10.f, 0);
      if (block == kBlocks / 2)
        out.ClearPointers();
      rendered = AudioUnitRender(unit, nullptr, &time, 0, kDefaultMaxFrames, out.List()) == noErr && rendered;
    }
    allocations = counter.Count();
  }
  EXPECT_TRUE(rendered);
  EXPECT_EQ(allocations, 0);
  EXPECT_LT(out.Channel(0)[0], 0.5f) << "the last block lies inside a dip";
}

TEST(RenderAllocation, TheCounterSeesAllocationsInsideThePlugIn)
{
  Unit unit;
  CFPropertyListRef state = nullptr;
  UInt32 size = sizeof(state);
  long allocations = 0;
  {
    ScopedAllocationCounter counter;
    ASSERT_EQ(AudioUnitGetProperty(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, &state, &size), noErr);
    allocations = counter.Count();
  }
  CFRelease(state);
  EXPECT_GT(allocations, 0) << "the plug-in's state chunk is allocated through the counted operator new";
}
