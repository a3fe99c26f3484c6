// A unit reconfigured between mono and stereo (Uninitialize, new formats, Initialize) writes every output
// buffer of the new format at every render, and never louder than its input: with the host's buffers (filled
// with a marker first) and with buffers the unit supplies, bypassed or not, with Duck on or off.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace au_test;

namespace
{
constexpr float kMarker = 1234.5f;
constexpr UInt32 kFrames = 256;

struct Reconfiguration
{
  UInt32 firstChannels;
  UInt32 secondChannels;
  bool unitBuffers;
  bool bypassed;
  bool duckOn;
};

std::string Name(const testing::TestParamInfo<Reconfiguration>& info)
{
  const Reconfiguration& r = info.param;
  return (r.firstChannels == 1 ? std::string("MonoToStereo") : std::string("StereoToMono")) +
         (r.unitBuffers ? "_UnitBuffers" : "_HostBuffers") + (r.bypassed ? "_Bypassed" : "") +
         (r.duckOn ? "_DuckOn" : "_DuckOff");
}

// Declares nChannels in and out, feeds the input from source and initialises; then applies bypass and Duck.
OSStatus Configure(AudioUnit unit, InputSource& source, UInt32 nChannels, const Reconfiguration& r)
{
  OSStatus status = PrepareStereo(unit, source, nChannels);
  if (status == noErr)
    status = SetProp(unit, kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, UInt32(r.bypassed ? 1 : 0));
  if (status == noErr)
    status = AudioUnitSetParameter(unit, 0, kAudioUnitScope_Global, 0, r.duckOn ? 1.f : 0.f, 0);
  if (status == noErr)
    status = AudioUnitSetParameter(unit, 1, kAudioUnitScope_Global, 0, 0.f, 0);
  return status;
}

class ReconfigurationTest : public testing::TestWithParam<Reconfiguration>
{
protected:
  // Renders one block of nChannels buffers with an input quieter than every earlier one, and checks every
  // sample of every buffer: written, finite, and no louder than the input.
  void RenderAndCheck(AudioUnit unit, UInt32 nChannels)
  {
    mSource.value = 0.5f / static_cast<float>(++mBlock);
    HostBuffers out(static_cast<int>(nChannels), kFrames, kMarker);
    if (GetParam().unitBuffers)
      out.ClearPointers();
    const AudioTimeStamp time = SampleTime(mBlock * kFrames);
    ASSERT_EQ(AudioUnitRender(unit, nullptr, &time, 0, kFrames, out.List()), noErr);
    const float loudest = mSource.value + static_cast<float>(kFrames - 1) / 1000.f;
    for (UInt32 c = 0; c < nChannels; ++c)
    {
      const float* samples = out.Channel(static_cast<int>(c));
      ASSERT_NE(samples, nullptr);
      for (UInt32 i = 0; i < kFrames; ++i)
      {
        ASSERT_NE(samples[i], kMarker) << "block " << mBlock << " channel " << c << " frame " << i << " not written";
        ASSERT_TRUE(std::isfinite(samples[i]));
        ASSERT_LE(std::fabs(samples[i]), loudest) << "block " << mBlock << " channel " << c << " frame " << i;
      }
    }
  }

  InputSource mSource;
  int mBlock = 0;
};

TEST_P(ReconfigurationTest, EveryOutputBufferIsWrittenAndNoLouderThanTheInput)
{
  const Reconfiguration& r = GetParam();
  Unit unit;
  ASSERT_EQ(Configure(unit, mSource, r.firstChannels, r), noErr);
  for (int i = 0; i < 3; ++i)
    RenderAndCheck(unit, r.firstChannels);

  ASSERT_EQ(AudioUnitUninitialize(unit), noErr);
  ASSERT_EQ(Configure(unit, mSource, r.secondChannels, r), noErr);
  for (int i = 0; i < 3; ++i)
    RenderAndCheck(unit, r.secondChannels);

  ASSERT_EQ(AudioUnitReset(unit, kAudioUnitScope_Global, 0), noErr);
  RenderAndCheck(unit, r.secondChannels);
}

INSTANTIATE_TEST_SUITE_P(Reconfigurations, ReconfigurationTest,
                         testing::Values(Reconfiguration{1, 2, false, false, true}, Reconfiguration{1, 2, true, false, true},
                                         Reconfiguration{1, 2, false, true, true}, Reconfiguration{1, 2, true, true, true},
                                         Reconfiguration{1, 2, false, false, false}, Reconfiguration{1, 2, true, false, false},
                                         Reconfiguration{2, 1, false, false, true}, Reconfiguration{2, 1, true, false, true},
                                         Reconfiguration{2, 1, false, true, true}, Reconfiguration{2, 1, true, true, true},
                                         Reconfiguration{2, 1, false, false, false}, Reconfiguration{2, 1, true, false, false}),
                         Name);

TEST(ReconfigurationFirstRender, AFirstRenderWithFewerBuffersDoesNotFixTheChannelCount)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  HostBuffers mono(1, kFrames, kMarker);
  AudioTimeStamp time = SampleTime(0);
  ASSERT_EQ(AudioUnitRender(unit, nullptr, &time, 0, kFrames, mono.List()), noErr);

  HostBuffers none(0, kFrames);
  time.mSampleTime = kFrames;
  ASSERT_EQ(AudioUnitRender(unit, nullptr, &time, 0, kFrames, none.List()), noErr);

  HostBuffers stereo(2, kFrames, kMarker);
  time.mSampleTime = 2 * kFrames;
  ASSERT_EQ(AudioUnitRender(unit, nullptr, &time, 0, kFrames, stereo.List()), noErr);
  for (int c = 0; c < 2; ++c)
    EXPECT_FLOAT_EQ(stereo.Channel(c)[10], source.value + 0.01f) << "channel " << c;
}

TEST(ReconfigurationFirstRender, ARefusedEmptyFormatBeforeTheFirstRenderDoesNotSilenceTheRightChannel)
{
  Unit unit;
  InputSource source;
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Output, 0, FloatFormat(0)),
            kAudioUnitErr_InvalidProperty);
  HostBuffers first(0, kFrames);
  AudioTimeStamp time = SampleTime(0);
  ASSERT_EQ(AudioUnitRender(unit, nullptr, &time, 0, kFrames, first.List()), noErr);

  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  HostBuffers stereo(2, kFrames, kMarker);
  time.mSampleTime = kFrames;
  ASSERT_EQ(AudioUnitRender(unit, nullptr, &time, 0, kFrames, stereo.List()), noErr);
  EXPECT_FLOAT_EQ(stereo.Channel(1)[10], source.value + 0.01f);
}
} // namespace
