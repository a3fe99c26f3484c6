#include "Export.h"

#include <CoreMIDI/MIDIServices.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr size_t kHeaderSize = offsetof(MIDIPacket, data);
constexpr size_t kLongestPacket = 0xFFFF;

Byte* AlignToPacket(Byte* position)
{
  const auto address = reinterpret_cast<uintptr_t>(position);
  return reinterpret_cast<Byte*>((address + 3) & ~uintptr_t(3));
}

// Writes a packet header and its bytes at position.
MIDIPacket* WritePacket(Byte* position, MIDITimeStamp time, ByteCount nData, const Byte* data)
{
  auto* packet = reinterpret_cast<MIDIPacket*>(position);
  packet->timeStamp = time;
  packet->length = static_cast<UInt16>(nData);
  std::memcpy(packet->data, data, nData);
  return packet;
}

}

STANDIN_EXPORT MIDIPacket* MIDIPacketListInit(MIDIPacketList* pktlist)
{
  if (!pktlist)
    return nullptr;
  pktlist->numPackets = 0;
  return &pktlist->packet[0];
}

STANDIN_EXPORT MIDIPacket* MIDIPacketListAdd(MIDIPacketList* pktlist, ByteCount listSize, MIDIPacket* curPacket, MIDITimeStamp time, ByteCount nData, const Byte* data)
{
  if (!pktlist || !curPacket || !data || nData == 0 || nData > kLongestPacket || listSize < offsetof(MIDIPacketList, packet))
    return nullptr;
  Byte* const end = reinterpret_cast<Byte*>(pktlist) + listSize;
  Byte* const first = reinterpret_cast<Byte*>(&pktlist->packet[0]);
  Byte* position = reinterpret_cast<Byte*>(curPacket);
  if (position < first || position >= end || reinterpret_cast<uintptr_t>(position) % 4 != 0)
    return nullptr;
  if (pktlist->numPackets > 0)
  {
    if (static_cast<size_t>(end - position) < kHeaderSize || static_cast<size_t>(end - position) - kHeaderSize < curPacket->length)
      return nullptr;
    Byte* const tail = curPacket->data + curPacket->length;
    // Packets never start with running status, so a packet that starts with a data byte carries the
    // continuation of a SysEx message.
    const bool packetIsSysEx = curPacket->length > 0 && (curPacket->data[0] == 0xF0 || curPacket->data[0] < 0x80);
    const bool joins = curPacket->timeStamp == time && !packetIsSysEx && data[0] != 0xF0 && curPacket->length + nData <= kLongestPacket;
    if (joins)
    {
      if (static_cast<size_t>(end - tail) < nData)
        return nullptr;
      std::memcpy(tail, data, nData);
      curPacket->length = static_cast<UInt16>(curPacket->length + nData);
      return curPacket;
    }
    position = AlignToPacket(tail);
  }
  if (position > end || static_cast<size_t>(end - position) < kHeaderSize + nData)
    return nullptr;
  MIDIPacket* packet = WritePacket(position, time, nData, data);
  ++pktlist->numPackets;
  return packet;
}
