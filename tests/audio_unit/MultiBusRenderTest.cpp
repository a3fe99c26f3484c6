// A unit with two output buses renders one bus per call; the processor runs once per cycle, when the
// host asks for the last connected bus. The test plug-in reports each run through a MIDI control change
// carrying its connected output and input channel counts.

#include "AUHostSupport.h"
#include "MidiLog.h"

#include <gtest/gtest.h>

using namespace au_test;

namespace
{
class MultiBusUnit
{
public:
  MultiBusUnit()
  {
    mStatus = SetProp(mUnit, kAudioUnitProperty_MIDIOutputCallback, kAudioUnitScope_Global, 0, midi.Callback());
    if (mStatus == noErr)
      mStatus = SetProp(mUnit, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 0, FloatFormat(2));
    if (mStatus == noErr)
      mStatus = SetProp(mUnit, kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, source.Callback());
    if (mStatus == noErr)
      mStatus = AudioUnitInitialize(mUnit);
  }

  OSStatus Render(Float64 sampleTime, UInt32 bus, HostBuffers& out)
  {
    const AudioTimeStamp time = SampleTime(sampleTime);
    return AudioUnitRender(mUnit, nullptr, &time, bus, 64, out.List());
  }
  // The connected output channel count each processor run reported, in order.
  std::vector<int> Runs() const
  {
    std::vector<int> outputs;
    for (const auto& list : midi.lists)
      outputs.push_back(list.at(0).bytes.at(1));
    return outputs;
  }
  OSStatus Status() const { return mStatus; }

  InputSource source;
  MidiLog midi;

private:
  Unit mUnit{kTestPlug};
  OSStatus mStatus = noErr;
};

const float kSentinel = -7.f;
float Input(int frame) { return 0.5f + static_cast<float>(frame) / 1000.f; }
} // namespace

TEST(MultiBusRender, FirstRenderOfBusZeroRunsTheProcessorAndDisconnectsTheLaterBuses)
{
  MultiBusUnit unit;
  ASSERT_EQ(unit.Status(), noErr);
  HostBuffers bus0(2, 64, kSentinel);
  ASSERT_EQ(unit.Render(0, 0, bus0), noErr);
  EXPECT_EQ(bus0.Channel(1)[5], Input(5));
  EXPECT_EQ(unit.Runs(), (std::vector<int>{2}));
  EXPECT_EQ(unit.midi.lists.at(0).at(0).bytes, (std::vector<Byte>{0xB0, 2, 2}));
}

TEST(MultiBusRender, WithBothBusesConnectedOnlyTheLastOneRunsTheProcessor)
{
  MultiBusUnit unit;
  ASSERT_EQ(unit.Status(), noErr);
  HostBuffers first0(2, 64, kSentinel), first1(2, 64, kSentinel);
  ASSERT_EQ(unit.Render(0, 0, first0), noErr);
  ASSERT_EQ(unit.Render(0, 1, first1), noErr);
  EXPECT_EQ(first1.Channel(0)[5], 2 * Input(5));
  EXPECT_EQ(unit.source.calls, 1);

  HostBuffers next0(2, 64, kSentinel), next1(2, 64, kSentinel);
  ASSERT_EQ(unit.Render(64, 0, next0), noErr);
  EXPECT_EQ(next0.Channel(0)[5], kSentinel);
  EXPECT_EQ(unit.Runs(), (std::vector<int>{2, 4}));

  ASSERT_EQ(unit.Render(64, 1, next1), noErr);
  EXPECT_EQ(next0.Channel(0)[5], Input(5));
  EXPECT_EQ(next1.Channel(1)[5], 2 * Input(5));
  EXPECT_EQ(unit.Runs(), (std::vector<int>{2, 4, 4}));
  EXPECT_EQ(unit.source.calls, 2);
}

TEST(MultiBusRender, BusesOfOtherLayoutsCarryTheirOwnChannelCounts)
{
  MultiBusUnit unit;
  HostBuffers fourChannels(4, 64);
  EXPECT_EQ(unit.Render(0, 2, fourChannels), noErr);
  HostBuffers fiveChannels(5, 64);
  EXPECT_EQ(unit.Render(64, 2, fiveChannels), kAudio_ParamError);
}
