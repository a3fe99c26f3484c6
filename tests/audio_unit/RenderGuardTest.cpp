// In builds with the render allocation guard, a plug-in that allocates inside a render stops the process
// with a message naming what it did, while ordinary renders (every other test of this suite) pass under it.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

using namespace au_test;

namespace
{
// Feeds the test plug-in's stereo input from callback and initialises it.
OSStatus PrepareTestPlug(AudioUnit unit, AURenderCallbackStruct callback)
{
  const OSStatus status = SetProp(unit, kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, callback);
  return status == noErr ? AudioUnitInitialize(unit) : status;
}
} // namespace

#ifdef TIDEWELL_RENDER_GUARD
namespace
{
// Supplies the input sample that makes the test plug-in allocate in its block.
OSStatus AllocatingInput(void*, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32, UInt32 nFrames,
                         AudioBufferList* ioData)
{
  for (UInt32 c = 0; c < ioData->mNumberBuffers; ++c)
    for (UInt32 i = 0; i < nFrames; ++i)
      static_cast<float*>(ioData->mBuffers[c].mData)[i] = -4096.f;
  return noErr;
}

void RenderAllocatingBlock()
{
  Unit unit(kTestPlug);
  PrepareTestPlug(unit, {AllocatingInput, nullptr});
  HostBuffers out(2, 64);
  const AudioTimeStamp time = SampleTime(0);
  AudioUnitRender(unit, nullptr, &time, 0, 64, out.List());
}
} // namespace

TEST(RenderGuardDeathTest, AnAllocationInsideARenderAborts)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(RenderAllocatingBlock(), "render guard: operator new inside AudioUnitRender");
}
#endif

TEST(RenderGuard, TheSameUnitRendersWhenNothingAllocates)
{
  Unit unit(kTestPlug);
  InputSource source;
  ASSERT_EQ(PrepareTestPlug(unit, source.Callback()), noErr);
  HostBuffers out(2, 64);
  const AudioTimeStamp time = SampleTime(0);
  EXPECT_EQ(AudioUnitRender(unit, nullptr, &time, 0, 64, out.List()), noErr);
  EXPECT_FLOAT_EQ(out.Channel(0)[2], source.value + 0.002f);
}
