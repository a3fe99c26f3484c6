// The adapter as a host drives it from several threads at once: one thread renders without pause while the
// main thread toggles bypass, resets, changes sample rate, formats (uninitialised and back) and the slice
// size, adds and removes render notifications and saves and restores the state, and two more threads set
// parameters. Run under ThreadSanitizer in CI; here every render either succeeds with finite output no
// louder than its input or turns back with silence, and nothing set or added is lost.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

using namespace au_test;

namespace
{
constexpr UInt32 kFrames = 256;

// Counts its calls; added before and removed after the threads run.
struct NotifyCounter
{
  std::atomic<long> calls{0};

  static OSStatus Count(void* refCon, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32, UInt32,
                        AudioBufferList*)
  {
    static_cast<NotifyCounter*>(refCon)->calls.fetch_add(1);
    return noErr;
  }
};

// What the render thread saw.
struct RenderRecord
{
  long rendered = 0;     // renders that ran
  long turnedBack = 0;   // renders that met a reconfiguration
  long otherStatus = 0;  // renders that failed otherwise
  bool finite = true;    // every rendered sample was finite
  bool bounded = true;   // and no louder than the input
  bool silenced = true;  // every turned-back render left silence
};

// Renders blocks of kFrames stereo frames until stop is set.
RenderRecord RenderUntil(AudioUnit unit, const InputSource& source, const std::atomic<bool>& stop)
{
  RenderRecord record;
  const float loudest = source.value + static_cast<float>(kFrames - 1) / 1000.f;
  HostBuffers out(2, kFrames);
  for (long block = 0; !stop.load(); ++block)
  {
    const AudioTimeStamp time = SampleTime(static_cast<Float64>(block) * kFrames);
    const OSStatus status = AudioUnitRender(unit, nullptr, &time, 0, kFrames, out.List());
    if (status == kAudioUnitErr_CannotDoInCurrentContext)
      ++record.turnedBack;
    else if (status != noErr)
      ++record.otherStatus;
    else
      ++record.rendered;
    for (int c = 0; c < 2; ++c)
      for (UInt32 i = 0; i < kFrames; ++i)
      {
        const float sample = out.Channel(c)[i];
        record.finite = record.finite && std::isfinite(sample);
        record.bounded = record.bounded && std::fabs(sample) <= loudest;
        record.silenced = record.silenced && (status != kAudioUnitErr_CannotDoInCurrentContext || sample == 0.f);
      }
  }
  return record;
}

// One round of everything the main thread of a host does to a playing unit.
void ReconfigureOnce(AudioUnit unit, InputSource& source, int round)
{
  SetProp(unit, kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, UInt32(round % 2));
  AudioUnitReset(unit, kAudioUnitScope_Global, 0);
  SetProp(unit, kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0, round % 3 ? 48000.0 : 44100.0);
  SetProp(unit, kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 0, UInt32(round % 2 ? 1024 : 512));

  NotifyCounter passing;
  AudioUnitAddRenderNotify(unit, NotifyCounter::Count, &passing);

  AudioUnitUninitialize(unit);
  const AudioStreamBasicDescription format = FloatFormat(round % 4 == 0 ? 1 : 2);
  SetProp(unit, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 0, format);
  SetProp(unit, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Output, 0, format);
  AURenderCallbackStruct callback = source.Callback();
  SetProp(unit, kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, callback);
  AudioUnitInitialize(unit);

  CFPropertyListRef state = nullptr;
  if (GetProp(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, state) == noErr && state)
  {
    SetProp(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, state);
    CFRelease(state);
  }
  AudioUnitRemoveRenderNotify(unit, NotifyCounter::Count, &passing);
}

// Sets parameter paramID to a changing value at least rounds times and until done is set, ending with last.
void SetParameterRepeatedly(AudioUnit unit, AudioUnitParameterID paramID, int rounds, float last,
                            const std::atomic<bool>& done)
{
  for (int i = 0; i < rounds || !done.load(); ++i)
    AudioUnitSetParameter(unit, paramID, kAudioUnitScope_Global, 0, static_cast<float>(i % 100) / 100.f, 0);
  AudioUnitSetParameter(unit, paramID, kAudioUnitScope_Global, 0, last, 0);
}
} // namespace

TEST(AdapterThreads, RenderingStaysSoundWhileTheHostChangesEverythingElse)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  NotifyCounter staying;
  ASSERT_EQ(AudioUnitAddRenderNotify(unit, NotifyCounter::Count, &staying), noErr);

  std::atomic<bool> stop{false};
  std::atomic<bool> reconfigured{false};
  RenderRecord record;
  std::thread renderer([&] { record = RenderUntil(unit, source, stop); });
  // The last values are set after the last state restore, which would otherwise put older ones back.
  std::thread depth([&] { SetParameterRepeatedly(unit, 4, 1000, 0.25f, reconfigured); });
  std::thread duration([&] { SetParameterRepeatedly(unit, 3, 1000, 0.75f, reconfigured); });
  for (int round = 0; round < 200; ++round)
    ReconfigureOnce(unit, source, round);
  reconfigured = true;
  depth.join();
  duration.join();
  stop = true;
  renderer.join();

  EXPECT_GT(record.rendered, 0);
  EXPECT_EQ(record.otherStatus, 0);
  EXPECT_TRUE(record.finite);
  EXPECT_TRUE(record.bounded);
  EXPECT_TRUE(record.silenced);
  EXPECT_EQ(staying.calls.load(), 2 * record.rendered) << "every render that ran told the notification twice";
  EXPECT_FLOAT_EQ(Param(unit, 4), 0.25f);
  EXPECT_FLOAT_EQ(Param(unit, 3), 0.75f);
}

TEST(AdapterThreads, ParametersSetFromTwoThreadsDuringRenderingAllLand)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  std::atomic<bool> stop{false};
  const std::atomic<bool> noLongerThanTheRounds{true};
  RenderRecord record;
  std::thread renderer([&] { record = RenderUntil(unit, source, stop); });
  std::thread first([&] { SetParameterRepeatedly(unit, 1, 50000, 0.5f, noLongerThanTheRounds); });
  std::thread second([&] { SetParameterRepeatedly(unit, 2, 50000, 0.125f, noLongerThanTheRounds); });
  first.join();
  second.join();
  stop = true;
  renderer.join();

  EXPECT_EQ(record.turnedBack, 0) << "parameter changes never hold renders off";
  EXPECT_TRUE(record.finite);
  EXPECT_TRUE(record.bounded);
  EXPECT_FLOAT_EQ(Param(unit, 1), 0.5f);
  EXPECT_FLOAT_EQ(Param(unit, 2), 0.125f);
}
