// The processor's transport record, filled before every block from the host's callbacks. The test
// plug-in writes the record into its first output channel when "Mode" is "C".

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace au_test;

namespace
{
// tempo, sample position, quarter notes, last bar, cycle start, cycle end, numerator, denominator, running, looping
std::vector<float> RenderTransport(const HostCallbackInfo* callbacks)
{
  Unit unit(kTestPlug);
  InputSource source;
  AudioUnitSetParameter(unit, 2, kAudioUnitScope_Global, 0, 2.f, 0);
  if (callbacks)
    SetProp(unit, kAudioUnitProperty_HostCallbacks, kAudioUnitScope_Global, 0, *callbacks);
  SetProp(unit, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 0, FloatFormat(2));
  SetProp(unit, kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, source.Callback());
  AudioUnitInitialize(unit);
  HostBuffers out(2, 16);
  const AudioTimeStamp time = SampleTime(0);
  if (AudioUnitRender(unit, nullptr, &time, 0, 16, out.List()) != noErr)
    return {};
  return std::vector<float>(out.Channel(0), out.Channel(0) + 10);
}

struct Host
{
  static OSStatus Beat(void*, Float64* beat, Float64* tempo)
  {
    *beat = 8.5;
    *tempo = 90.0;
    return noErr;
  }
  static OSStatus Time(void*, UInt32* toNextBeat, Float32* numerator, UInt32* denominator, Float64* downbeat)
  {
    *toNextBeat = 10;
    *numerator = 3.9f;
    *denominator = 8;
    *downbeat = 6.0;
    return noErr;
  }
  static OSStatus Transport(void*, Boolean* playing, Boolean* changed, Float64* sample, Boolean* cycling,
                            Float64* cycleStart, Float64* cycleEnd)
  {
    *playing = true;
    *changed = false;
    *sample = 44100.0;
    *cycling = true;
    *cycleStart = 4.0;
    *cycleEnd = 12.0;
    return noErr;
  }
  // A host at the very start of a stopped timeline with no tempo yet.
  static OSStatus ZeroBeat(void*, Float64* beat, Float64* tempo)
  {
    *beat = -0.5;
    *tempo = 0.0;
    return noErr;
  }
  static OSStatus ZeroTransport(void*, Boolean* playing, Boolean*, Float64* sample, Boolean* cycling, Float64* cycleStart,
                                Float64* cycleEnd)
  {
    *playing = false;
    *cycling = false;
    *sample = *cycleStart = *cycleEnd = 0.0;
    return noErr;
  }
};
} // namespace

TEST(Transport, WithoutHostCallbacksIs120BpmInFourFourAtUnknownPositions)
{
  EXPECT_EQ(RenderTransport(nullptr), (std::vector<float>{120.f, -1.f, -1.f, -1.f, -1.f, -1.f, 4.f, 4.f, 0.f, 0.f}));
}

TEST(Transport, HostCallbacksFillTheRecord)
{
  const HostCallbackInfo callbacks = {nullptr, Host::Beat, Host::Time, Host::Transport, nullptr};
  EXPECT_EQ(RenderTransport(&callbacks), (std::vector<float>{90.f, 44100.f, 8.5f, 6.f, 4.f, 12.f, 3.f, 8.f, 1.f, 1.f}));
}

TEST(Transport, ValuesOutsideTheirRangeStayUnknown)
{
  const HostCallbackInfo callbacks = {nullptr, Host::ZeroBeat, nullptr, Host::ZeroTransport, nullptr};
  EXPECT_EQ(RenderTransport(&callbacks), (std::vector<float>{120.f, -1.f, -1.f, -1.f, -1.f, -1.f, 4.f, 4.f, 0.f, 0.f}));
}
