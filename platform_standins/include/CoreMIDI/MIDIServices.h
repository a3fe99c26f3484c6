/* MIDI packet lists: timed MIDI bytes as hosts and units exchange them. */
#ifndef __MIDIServices_h__
#define __MIDIServices_h__

#include <CoreFoundation/CFBase.h>
#include <assert.h>
#include <stddef.h>
#include <stdint.h>

CF_EXTERN_C_BEGIN

typedef UInt64 MIDITimeStamp;

#pragma pack(push, 4)
struct MIDIPacket {
  MIDITimeStamp timeStamp; /* when the bytes are due (units choose the time base; Audio Units use the sample offset) */
  UInt16 length;           /* bytes in data; a packet may be longer than the declared 256 */
  Byte data[256];
};
typedef struct MIDIPacket MIDIPacket;

struct MIDIPacketList {
  UInt32 numPackets;
  MIDIPacket packet[1]; /* really numPackets packets, each at the first 4-byte boundary after the previous one's data */
};
typedef struct MIDIPacketList MIDIPacketList;
#pragma pack(pop)

/* The packet that follows pkt in its list: packets start on 4-byte boundaries, as on the platform's
   64-bit ARM systems, so that their fields are always aligned. */
static inline MIDIPacket* MIDIPacketNext(const MIDIPacket* pkt)
{
  return (MIDIPacket*)(((uintptr_t)&pkt->data[pkt->length] + 3) & ~(uintptr_t)3);
}

/* Empties pktlist and returns its first packet, to pass to MIDIPacketListAdd. */
extern MIDIPacket* MIDIPacketListInit(MIDIPacketList* pktlist);
/* Adds nData bytes due at time to a list of listSize bytes. Bytes due at the time of curPacket (the
   last packet added) join it, unless they start a SysEx message (0xF0) or curPacket holds SysEx (it
   starts with 0xF0, or with a data byte as a SysEx continuation does): SysEx pieces keep a packet each. Returns the packet that now holds the bytes, to pass as curPacket next time, or NULL when
   the list has no room left (or for bad arguments: NULL pointers, nData 0 or above 65535, a curPacket
   outside the list). */
extern MIDIPacket* MIDIPacketListAdd(MIDIPacketList* pktlist, ByteCount listSize, MIDIPacket* curPacket, MIDITimeStamp time, ByteCount nData, const Byte* data);

static_assert(offsetof(MIDIPacket, data) == 10, "MIDIPacket data follows the 10-byte header");
static_assert(sizeof(MIDIPacket) == 268, "MIDIPacket is 268 bytes");
static_assert(offsetof(MIDIPacketList, packet) == 4, "MIDIPacketList packets follow the count");

CF_EXTERN_C_END

#endif
