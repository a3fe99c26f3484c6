// Thousands of seeded random sequences of host calls with hostile values (formats of every kind, slice sizes,
// sample rates, parameter values, buffer lists of every shape, invalid time stamps, lifecycle calls in any
// order), each on a fresh unit. After every render that succeeds, every buffer the host handed over holds
// finite samples, all written, none louder than the input; no call crashes. A failing sequence names its seed.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <sstream>

using namespace au_test;

namespace
{
constexpr float kMarker = 1234.5f;
constexpr int kSequences = 2000;
constexpr int kCallsPerSequence = 24;

// Plays a host that calls a unit at random; draws come from one seeded generator.
class RandomHost
{
public:
  // The input is one level for the whole sequence: a host may render one time stamp twice, and the unit
  // then reuses what it pulled the first time.
  explicit RandomHost(unsigned seed) : mRandom(seed) { mSource.value = static_cast<float>(Draw(1000)) / 1000.f; }

  // Makes one random call; false with a description when a render broke an invariant.
  bool Step(AudioUnit unit, std::string& failure)
  {
    switch (Draw(10))
    {
    case 0: SetFormat(unit); return true;
    case 1: SetInput(unit); return true;
    case 2: Lifecycle(unit); return true;
    case 3: SetProperty(unit); return true;
    case 4: SetParameter(unit); return true;
    default: return Render(unit, failure);
    }
  }

private:
  int Draw(int count) { return std::uniform_int_distribution<int>(0, count - 1)(mRandom); }

  AudioStreamBasicDescription RandomFormat()
  {
    AudioStreamBasicDescription format = FloatFormat(static_cast<UInt32>(Draw(4)), Draw(2) ? 48000.0 : 1e300);
    switch (Draw(6))
    {
    case 0: format.mFormatFlags = kAudioFormatFlagsNativeFloatPacked; break;
    case 1: format.mBitsPerChannel = 16; break;
    case 2: format.mFormatFlags = kAudioFormatFlagIsSignedInteger; break;
    case 3: format.mBitsPerChannel = 64; format.mBytesPerFrame = 8; break;
    default: break;
    }
    return format;
  }

  void SetFormat(AudioUnit unit)
  {
    const AudioUnitScope scope = Draw(2) ? kAudioUnitScope_Input : kAudioUnitScope_Output;
    SetProp(unit, kAudioUnitProperty_StreamFormat, scope, static_cast<AudioUnitElement>(Draw(3) / 2), RandomFormat());
  }

  void SetInput(AudioUnit unit)
  {
    AURenderCallbackStruct callback = Draw(4) ? mSource.Callback() : AURenderCallbackStruct{nullptr, nullptr};
    SetProp(unit, kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, callback);
  }

  void Lifecycle(AudioUnit unit)
  {
    switch (Draw(3))
    {
    case 0: AudioUnitInitialize(unit); break;
    case 1: AudioUnitUninitialize(unit); break;
    default: AudioUnitReset(unit, kAudioUnitScope_Global, 0); break;
    }
  }

  void SetProperty(AudioUnit unit)
  {
    switch (Draw(3))
    {
    case 0: SetProp(unit, kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, UInt32(Draw(2))); break;
    case 1:
    {
      const UInt32 sizes[] = {0, 1, 64, 512, 4097, 1u << 20};
      SetProp(unit, kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 0, sizes[Draw(6)]);
      break;
    }
    default:
    {
      const Float64 rates[] = {44100.0, 96000.0, 1.0, 0.0, -1.0, std::numeric_limits<Float64>::infinity()};
      SetProp(unit, kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0, rates[Draw(6)]);
      break;
    }
    }
  }

  void SetParameter(AudioUnit unit)
  {
    const float values[] = {0.f, 1.f, 0.5f, -1e9f, 1e9f, std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(), 1e-40f};
    AudioUnitSetParameter(unit, static_cast<AudioUnitParameterID>(Draw(6)), kAudioUnitScope_Global, 0,
                          values[Draw(8)], 0);
  }

  bool Render(AudioUnit unit, std::string& failure)
  {
    const int nBuffers = Draw(4);
    const UInt32 frameChoices[] = {0, 1, 64, 512, 513};
    const UInt32 nFrames = frameChoices[Draw(5)];
    HostBuffers out(nBuffers, std::max<UInt32>(nFrames, 1), kMarker);
    if (Draw(2))
      out.ClearPointers();
    AudioTimeStamp time = SampleTime(mSampleTime);
    if (Draw(20) == 0)
      time.mFlags = 0;
    mSampleTime += nFrames;
    if (AudioUnitRender(unit, nullptr, &time, 0, nFrames, out.List()) != noErr)
      return true;

    const float loudest = mSource.value + 513.f / 1000.f;
    for (int c = 0; c < nBuffers; ++c)
      for (UInt32 i = 0; i < nFrames; ++i)
      {
        const float sample = out.Channel(c)[i];
        if (sample == kMarker || !std::isfinite(sample) || std::fabs(sample) > loudest)
        {
          std::ostringstream text;
          text << "buffer " << c << " of " << nBuffers << ", frame " << i << " of " << nFrames << ": " << sample;
          failure = text.str();
          return false;
        }
      }
    return true;
  }

  std::mt19937 mRandom;
  InputSource mSource;
  Float64 mSampleTime = 0.0;
};
} // namespace

TEST(HostCallSequence, EveryRenderWritesEveryBufferNoLouderThanTheInput)
{
  for (unsigned seed = 1; seed <= kSequences; ++seed)
  {
    Unit unit;
    ASSERT_EQ(unit.Status(), noErr);
    RandomHost host(seed);
    for (int call = 0; call < kCallsPerSequence; ++call)
    {
      std::string failure;
      ASSERT_TRUE(host.Step(unit, failure)) << "seed " << seed << ", call " << call << ": " << failure;
    }
  }
}
