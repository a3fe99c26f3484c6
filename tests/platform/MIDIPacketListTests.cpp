// MIDI packet lists: same-time bytes join the last packet, SysEx keeps packets of its own, a full list
// answers null.

#include <CoreMIDI/CoreMIDI.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A packet list in a buffer of size bytes.
struct PacketBuffer {
  explicit PacketBuffer(size_t size)
    : bytes(size / 4 + 1)
    , size(size)
  {
  }
  MIDIPacketList* List() { return reinterpret_cast<MIDIPacketList*>(bytes.data()); }

  std::vector<UInt32> bytes;
  size_t size;
};

std::vector<Byte> BytesOf(const MIDIPacket* packet)
{
  return std::vector<Byte>(packet->data, packet->data + packet->length);
}

TEST(MIDIPacketLists, InitEmptiesTheListAndHandsOutItsFirstPacket)
{
  PacketBuffer buffer(512);
  buffer.List()->numPackets = 7;
  EXPECT_EQ(MIDIPacketListInit(buffer.List()), &buffer.List()->packet[0]);
  EXPECT_EQ(buffer.List()->numPackets, 0u);
  EXPECT_EQ(MIDIPacketListInit(nullptr), nullptr);
}

TEST(MIDIPacketLists, BytesDueAtTheSameTimeJoinTheLastPacket)
{
  PacketBuffer buffer(512);
  MIDIPacket* packet = MIDIPacketListInit(buffer.List());
  const Byte noteOn[] = {0x90, 0x3C, 0x64};
  for (Byte byte : noteOn)
    packet = MIDIPacketListAdd(buffer.List(), buffer.size, packet, 5, 1, &byte);
  const Byte noteOff[] = {0x80, 0x3C, 0x00};
  packet = MIDIPacketListAdd(buffer.List(), buffer.size, packet, 5, 3, noteOff);
  ASSERT_NE(packet, nullptr);
  EXPECT_EQ(buffer.List()->numPackets, 1u);
  const MIDITimeStamp time = packet->timeStamp; // packed: read by value, not by reference
  EXPECT_EQ(time, 5u);
  EXPECT_EQ(BytesOf(packet), (std::vector<Byte>{0x90, 0x3C, 0x64, 0x80, 0x3C, 0x00}));
}

TEST(MIDIPacketLists, AnotherTimeStartsTheNextPacket)
{
  PacketBuffer buffer(512);
  MIDIPacket* first = MIDIPacketListInit(buffer.List());
  const Byte a[] = {0x90, 0x3C, 0x64};
  const Byte b[] = {0xB0, 0x07};
  first = MIDIPacketListAdd(buffer.List(), buffer.size, first, 0, 3, a);
  MIDIPacket* second = MIDIPacketListAdd(buffer.List(), buffer.size, first, 10, 2, b);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(buffer.List()->numPackets, 2u);
  EXPECT_EQ(second, MIDIPacketNext(first));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(second) % 4, 0u) << "packets start on 4-byte boundaries";
  const MIDITimeStamp time = second->timeStamp;
  EXPECT_EQ(time, 10u);
  EXPECT_EQ(BytesOf(second), (std::vector<Byte>{0xB0, 0x07}));
}

TEST(MIDIPacketLists, SysExPiecesKeepPacketsOfTheirOwn)
{
  PacketBuffer buffer(2048);
  MIDIPacket* packet = MIDIPacketListInit(buffer.List());
  std::vector<Byte> sysex(300, 0x11);
  sysex.front() = 0xF0;
  sysex.back() = 0xF7;
  packet = MIDIPacketListAdd(buffer.List(), buffer.size, packet, 3, 256, sysex.data());
  packet = MIDIPacketListAdd(buffer.List(), buffer.size, packet, 3, 44, sysex.data() + 256);
  const Byte note[] = {0x90, 0x40, 0x40};
  packet = MIDIPacketListAdd(buffer.List(), buffer.size, packet, 3, 3, note);
  ASSERT_NE(packet, nullptr);
  EXPECT_EQ(buffer.List()->numPackets, 3u);
  const MIDIPacket* first = &buffer.List()->packet[0];
  const UInt16 firstLength = first->length;
  EXPECT_EQ(firstLength, 256);
  const UInt16 secondLength = MIDIPacketNext(first)->length;
  EXPECT_EQ(secondLength, 44);
  EXPECT_EQ(BytesOf(MIDIPacketNext(MIDIPacketNext(first))), (std::vector<Byte>{0x90, 0x40, 0x40}));
}

TEST(MIDIPacketLists, AFullListAnswersNullAndStaysAsItWas)
{
  const size_t size = offsetof(MIDIPacketList, packet) + offsetof(MIDIPacket, data) + 4;
  PacketBuffer buffer(size);
  MIDIPacket* packet = MIDIPacketListInit(buffer.List());
  const Byte bytes[] = {0x90, 0x3C, 0x64, 0x80, 0x3C};
  packet = MIDIPacketListAdd(buffer.List(), size, packet, 0, 3, bytes);
  ASSERT_NE(packet, nullptr);
  EXPECT_EQ(MIDIPacketListAdd(buffer.List(), size, packet, 0, 2, bytes + 3), nullptr) << "no room to join";
  EXPECT_EQ(MIDIPacketListAdd(buffer.List(), size, packet, 1, 1, bytes), nullptr) << "no room for another packet";
  EXPECT_EQ(MIDIPacketListAdd(buffer.List(), size, packet, 0, 1, bytes + 3), packet) << "one more byte still fits";
  EXPECT_EQ(buffer.List()->numPackets, 1u);
  const UInt16 length = packet->length;
  EXPECT_EQ(length, 4);
}

TEST(MIDIPacketLists, BadArgumentsAnswerNull)
{
  PacketBuffer buffer(512);
  MIDIPacket* packet = MIDIPacketListInit(buffer.List());
  const Byte note[] = {0x90, 0x3C, 0x64};
  EXPECT_EQ(MIDIPacketListAdd(nullptr, 512, packet, 0, 3, note), nullptr);
  EXPECT_EQ(MIDIPacketListAdd(buffer.List(), 512, nullptr, 0, 3, note), nullptr);
  EXPECT_EQ(MIDIPacketListAdd(buffer.List(), 512, packet, 0, 3, nullptr), nullptr);
  EXPECT_EQ(MIDIPacketListAdd(buffer.List(), 512, packet, 0, 0, note), nullptr);
  EXPECT_EQ(MIDIPacketListAdd(buffer.List(), 2, packet, 0, 3, note), nullptr);
  PacketBuffer elsewhere(512);
  EXPECT_EQ(MIDIPacketListAdd(buffer.List(), 512, &elsewhere.List()->packet[0], 0, 3, note), nullptr);
  EXPECT_EQ(buffer.List()->numPackets, 0u);
}

}
