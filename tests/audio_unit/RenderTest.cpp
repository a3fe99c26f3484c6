// Rendering Tidewell as a host does: time stamps and frame counts, inputs from callbacks and upstream
// units, buffers the unit provides, bypass, and the calls it must refuse.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace au_test;

namespace
{
// Counts render notifications, to show that a refused render runs none.
OSStatus CountNotify(void* refCon, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32, UInt32, AudioBufferList*)
{
  ++*static_cast<int*>(refCon);
  return noErr;
}

OSStatus FailingSource(void*, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32, UInt32, AudioBufferList*)
{
  return -1234;
}

OSStatus Render(AudioUnit unit, Float64 sampleTime, UInt32 nFrames, HostBuffers& out, UInt32 bus = 0)
{
  const AudioTimeStamp time = SampleTime(sampleTime);
  return AudioUnitRender(unit, nullptr, &time, bus, nFrames, out.List());
}
} // namespace

TEST(Render, RefusesATimeStampWithoutSampleTime)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  int notifications = 0;
  AudioUnitAddRenderNotify(unit, CountNotify, &notifications);
  HostBuffers out(2, 64, -7.f);
  AudioTimeStamp time = SampleTime(0);
  time.mFlags = kAudioTimeStampHostTimeValid;
  EXPECT_EQ(AudioUnitRender(unit, nullptr, &time, 0, 64, out.List()), kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(notifications, 0);
  EXPECT_EQ(source.calls, 0);
  EXPECT_EQ(out.Channel(0)[0], -7.f);
}

TEST(Render, RefusesMoreFramesThanTheMaximum)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  HostBuffers big(2, 2048);
  EXPECT_EQ(Render(unit, 0, kDefaultMaxFrames, big), noErr);
  EXPECT_EQ(Render(unit, 512, kDefaultMaxFrames + 1, big), kAudioUnitErr_InvalidPropertyValue);

  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 0, UInt32(2048)), noErr);
  EXPECT_EQ(Render(unit, 1024, 2048, big), noErr);
  EXPECT_EQ(big.Channel(1)[2047], 0.5f + 2047 / 1000.f);
  EXPECT_EQ(Render(unit, 4096, 2049, big), kAudioUnitErr_InvalidPropertyValue);
}

TEST(Render, OutsideADipTheOutputIsTheInput)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  HostBuffers out(2, 256);
  ASSERT_EQ(Render(unit, 0, 256, out), noErr);
  for (int c = 0; c < 2; ++c)
    for (int i = 0; i < 256; i += 51)
      EXPECT_EQ(out.Channel(c)[i], 0.5f + i / 1000.f);
}

TEST(Render, BypassPassesTheInputThroughBitForBit)
{
  Unit unit;
  InputSource source;
  source.value = 0.1234567f;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, UInt32(1)), noErr);
  HostBuffers out(2, 128);
  ASSERT_EQ(Render(unit, 0, 128, out), noErr);
  for (int i = 0; i < 128; ++i)
    ASSERT_EQ(out.Channel(1)[i], 0.1234567f + static_cast<float>(i) / 1000.f);
}

TEST(Render, RendersMonoThroughOneBuffer)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source, 1), noErr);
  HostBuffers out(1, 64);
  ASSERT_EQ(Render(unit, 0, 64, out), noErr);
  EXPECT_EQ(out.Channel(0)[63], 0.5f + 63 / 1000.f);
}

TEST(Render, ProvidesBuffersTheHostLeftNull)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  HostBuffers out(2, 64);
  out.ClearPointers();
  ASSERT_EQ(Render(unit, 0, 64, out), noErr);
  ASSERT_NE(out.Channel(0), nullptr);
  ASSERT_NE(out.Channel(1), nullptr);
  EXPECT_NE(out.Channel(0), out.Channel(1));
  EXPECT_EQ(out.List()->mBuffers[1].mDataByteSize, 256u);
  EXPECT_EQ(out.Channel(1)[10], 0.5f + 10 / 1000.f);
}

TEST(Render, PullsInputsOncePerTimeStamp)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  HostBuffers out(2, 64);
  ASSERT_EQ(Render(unit, 0, 64, out), noErr);
  ASSERT_EQ(Render(unit, 0, 64, out), noErr);
  EXPECT_EQ(source.calls, 1);
  EXPECT_EQ(source.lastBus, 0u);
  ASSERT_EQ(Render(unit, 64, 64, out), noErr);
  EXPECT_EQ(source.calls, 2);
  const Float64 nan = std::numeric_limits<Float64>::quiet_NaN();
  ASSERT_EQ(Render(unit, nan, 64, out), noErr);
  ASSERT_EQ(Render(unit, nan, 64, out), noErr);
  EXPECT_EQ(source.calls, 4);
}

TEST(Render, AFailingPullEndsTheRenderWithItsStatus)
{
  Unit unit;
  InputSource unused;
  ASSERT_EQ(PrepareStereo(unit, unused), noErr);
  const AURenderCallbackStruct failing = {FailingSource, nullptr};
  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, failing), noErr);
  int notifications = 0;
  AudioUnitAddRenderNotify(unit, CountNotify, &notifications);
  HostBuffers out(2, 64);
  EXPECT_EQ(Render(unit, 0, 64, out), -1234);
  EXPECT_EQ(notifications, 1);
}

TEST(Render, PullsFromAnUpstreamUnit)
{
  Unit upstream;
  InputSource source;
  source.value = 0.25f;
  ASSERT_EQ(PrepareStereo(upstream, source), noErr);
  Unit unit;
  const AudioUnitConnection connection = {upstream, 0, 0};
  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_MakeConnection, kAudioUnitScope_Input, 0, connection), noErr);
  ASSERT_EQ(AudioUnitInitialize(unit), noErr);
  HostBuffers out(2, 64);
  ASSERT_EQ(Render(unit, 0, 64, out), noErr);
  EXPECT_EQ(source.calls, 1);
  EXPECT_EQ(out.Channel(0)[20], 0.25f + 20 / 1000.f);

  const AudioUnitConnection toItself = {unit, 0, 0};
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_MakeConnection, kAudioUnitScope_Input, 0, toItself),
            kAudioUnitErr_InvalidProperty);
  const AudioUnitConnection toMissingBus = {upstream, 0, 1};
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_MakeConnection, kAudioUnitScope_Input, 0, toMissingBus),
            kAudioUnitErr_InvalidProperty);
}

TEST(Render, ABadOutputBusTouchesNothing)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  int notifications = 0;
  AudioUnitAddRenderNotify(unit, CountNotify, &notifications);
  HostBuffers out(2, 64, -7.f);
  EXPECT_EQ(Render(unit, 0, 64, out, 1), kAudioUnitErr_InvalidElement);
  EXPECT_EQ(Render(unit, 0, 64, out, 0xFFFFFFFF), kAudioUnitErr_InvalidElement);
  EXPECT_EQ(notifications, 0);
  EXPECT_EQ(source.calls, 0);
  EXPECT_EQ(out.Channel(0)[0], -7.f);
  EXPECT_EQ(Render(unit, 0, 64, out), noErr);
  EXPECT_EQ(source.calls, 1);
}

TEST(Render, RefusesBufferListsItCannotFill)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  HostBuffers tooMany(3, 64);
  EXPECT_EQ(Render(unit, 0, 64, tooMany), kAudio_ParamError);
  HostBuffers tooShort(2, 32);
  EXPECT_EQ(Render(unit, 0, 64, tooShort), kAudio_ParamError);
  EXPECT_EQ(source.calls, 0);
}
