// MIDI and SysEx into a unit that takes MIDI, and out again through the host's MIDI output callback.

#include "AUHostSupport.h"
#include "MidiLog.h"

#include <gtest/gtest.h>

#include <vector>

using namespace au_test;

namespace
{
// A SysEx message of size bytes: F0, counting data bytes, F7.
std::vector<Byte> SysExMessage(std::size_t size)
{
  std::vector<Byte> message(size);
  for (std::size_t i = 0; i < size; ++i)
    message[i] = static_cast<Byte>(i % 0x80);
  message.front() = 0xF0;
  message.back() = 0xF7;
  return message;
}
} // namespace

TEST(Midi, TheUnitNamesOneOutput)
{
  Unit unit(kTestPlug);
  CFArrayRef names = nullptr;
  ASSERT_EQ(GetProp(unit, kAudioUnitProperty_MIDIOutputCallbackInfo, kAudioUnitScope_Global, 0, names), noErr);
  CFOwned<CFArrayRef> owned(names);
  ASSERT_EQ(CFArrayGetCount(names), 1);
  EXPECT_EQ(Utf8(CFArrayGetValueAtIndex(names, 0)), "midiOut");
}

TEST(Midi, EventsComeBackAsOnePacketAtTheirOffset)
{
  Unit unit(kTestPlug);
  MidiLog log;
  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_MIDIOutputCallback, kAudioUnitScope_Global, 0, log.Callback()), noErr);
  ASSERT_EQ(MusicDeviceMIDIEvent(unit, 0x90, 60, 100, 7), noErr);
  ASSERT_EQ(log.lists.size(), 1u);
  ASSERT_EQ(log.lists[0].size(), 1u);
  EXPECT_EQ(log.lists[0][0].time, 7u);
  EXPECT_EQ(log.lists[0][0].bytes, (std::vector<Byte>{0x90, 60, 100}));
  EXPECT_EQ(log.lastOutput, 0u);
}

TEST(Midi, LongSysExLeavesInPiecesOfAtMost256Bytes)
{
  Unit unit(kTestPlug);
  MidiLog log;
  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_MIDIOutputCallback, kAudioUnitScope_Global, 0, log.Callback()), noErr);
  const std::vector<Byte> message = SysExMessage(600);
  ASSERT_EQ(MusicDeviceSysEx(unit, message.data(), static_cast<UInt32>(message.size())), noErr);
  ASSERT_EQ(log.lists.size(), 1u);
  const auto& packets = log.lists[0];
  ASSERT_EQ(packets.size(), 3u);
  EXPECT_EQ(packets[0].bytes.size(), 256u);
  EXPECT_EQ(packets[1].bytes.size(), 256u);
  EXPECT_EQ(packets[2].bytes.size(), 88u);
  std::vector<Byte> joined;
  for (const auto& packet : packets)
    joined.insert(joined.end(), packet.bytes.begin(), packet.bytes.end());
  EXPECT_EQ(joined, message);
}

TEST(Midi, SysExLongerThanOnePacketListGoesOutInSeveralWholeAndInOrder)
{
  Unit unit(kTestPlug);
  MidiLog log;
  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_MIDIOutputCallback, kAudioUnitScope_Global, 0, log.Callback()), noErr);
  const std::vector<Byte> message = SysExMessage(20000);
  ASSERT_EQ(MusicDeviceSysEx(unit, message.data(), static_cast<UInt32>(message.size())), noErr);
  EXPECT_GT(log.lists.size(), 1u) << "the unit's packet list has a fixed size and is sent when full";
  std::vector<Byte> joined;
  for (const auto& list : log.lists)
    for (const auto& packet : list)
    {
      EXPECT_LE(packet.bytes.size(), 256u);
      joined.insert(joined.end(), packet.bytes.begin(), packet.bytes.end());
    }
  EXPECT_EQ(joined, message);
}

TEST(Midi, AnEffectWithoutMidiInputRefusesIt)
{
  Unit unit;
  EXPECT_EQ(MusicDeviceMIDIEvent(unit, 0x90, 60, 100, 0), badComponentSelector);
  const Byte sysEx[] = {0xF0, 0x7E, 0xF7};
  EXPECT_EQ(MusicDeviceSysEx(unit, sysEx, sizeof(sysEx)), badComponentSelector);
}
