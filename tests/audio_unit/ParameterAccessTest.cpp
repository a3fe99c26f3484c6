// Host parameter get, set and schedule calls.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace au_test;

namespace
{
AudioUnitParameterEvent Immediate(AudioUnitParameterID id, float value, AudioUnitScope scope = kAudioUnitScope_Global)
{
  AudioUnitParameterEvent event = {};
  event.scope = scope;
  event.parameter = id;
  event.eventType = kParameterEvent_Immediate;
  event.eventValues.immediate.value = value;
  return event;
}
} // namespace

TEST(ParameterAccess, StartsAtTheDefaults)
{
  Unit unit;
  EXPECT_EQ(Params(unit, kTidewellParams), (std::vector<float>{1.f, 0.5f, 0.5f, 0.5f, 1.f}));
}

TEST(ParameterAccess, SetValuesAreClampedAndSteppedWhereStepped)
{
  Unit unit;
  ASSERT_EQ(AudioUnitSetParameter(unit, 1, kAudioUnitScope_Global, 0, 0.333f, 0), noErr);
  EXPECT_EQ(Param(unit, 1), 0.333f);
  ASSERT_EQ(AudioUnitSetParameter(unit, 4, kAudioUnitScope_Global, 0, 5.f, 17), noErr);
  EXPECT_EQ(Param(unit, 4), 1.f);
  ASSERT_EQ(AudioUnitSetParameter(unit, 0, kAudioUnitScope_Global, 0, 0.2f, 0), noErr);
  EXPECT_EQ(Param(unit, 0), 0.f);
  ASSERT_EQ(AudioUnitSetParameter(unit, 0, kAudioUnitScope_Global, 0, 0.7f, 0), noErr);
  EXPECT_EQ(Param(unit, 0), 1.f);
}

TEST(ParameterAccess, ValuesThatAreNoNumbersAreRefusedAndChangeNothing)
{
  Unit unit;
  for (const float value : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()})
  {
    EXPECT_EQ(AudioUnitSetParameter(unit, 4, kAudioUnitScope_Global, 0, value, 0), kAudio_ParamError) << value;
    const AudioUnitParameterEvent event = Immediate(1, value);
    EXPECT_EQ(AudioUnitScheduleParameters(unit, &event, 1), kAudio_ParamError) << value;
  }
  EXPECT_EQ(Params(unit, kTidewellParams), (std::vector<float>{1.f, 0.5f, 0.5f, 0.5f, 1.f}));
}

TEST(ParameterAccess, OnlyGlobalExistingParametersAreServed)
{
  Unit unit;
  AudioUnitParameterValue value = 0.f;
  EXPECT_EQ(AudioUnitGetParameter(unit, 1, kAudioUnitScope_Input, 0, &value), kAudioUnitErr_InvalidProperty);
  EXPECT_EQ(AudioUnitSetParameter(unit, 1, kAudioUnitScope_Output, 0, 0.f, 0), kAudioUnitErr_InvalidProperty);
  EXPECT_EQ(AudioUnitGetParameter(unit, 5, kAudioUnitScope_Global, 0, &value), kAudioUnitErr_InvalidParameter);
  EXPECT_EQ(AudioUnitSetParameter(unit, 0xFFFFFFFF, kAudioUnitScope_Global, 0, 0.f, 0), kAudioUnitErr_InvalidParameter);
  EXPECT_EQ(Params(unit, kTidewellParams), (std::vector<float>{1.f, 0.5f, 0.5f, 0.5f, 1.f}));
}

TEST(ParameterAccess, ScheduledImmediateEventsApplyInOrderAndRampsAreIgnored)
{
  Unit unit;
  AudioUnitParameterEvent ramp = Immediate(3, 0.f);
  ramp.eventType = kParameterEvent_Ramped;
  const AudioUnitParameterEvent events[] = {Immediate(1, 0.1f), Immediate(1, 0.2f), ramp, Immediate(2, 0.9f)};
  EXPECT_EQ(AudioUnitScheduleParameters(unit, events, 4), noErr);
  EXPECT_EQ(Params(unit, kTidewellParams), (std::vector<float>{1.f, 0.2f, 0.9f, 0.5f, 1.f}));
}

TEST(ParameterAccess, ScheduleStopsAtTheFirstEventOutsideGlobalScope)
{
  Unit unit;
  const AudioUnitParameterEvent events[] = {Immediate(1, 0.1f), Immediate(2, 0.2f, kAudioUnitScope_Input),
                                            Immediate(3, 0.3f)};
  EXPECT_EQ(AudioUnitScheduleParameters(unit, events, 3), kAudioUnitErr_InvalidProperty);
  EXPECT_EQ(Params(unit, kTidewellParams), (std::vector<float>{1.f, 0.1f, 0.5f, 0.5f, 1.f}));
}
