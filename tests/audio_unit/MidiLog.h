#pragma once

// A host MIDI output callback that keeps every packet list the unit sends.

#include <CoreMIDI/CoreMIDI.h>
#include <AudioToolbox/AudioToolbox.h>

#include <vector>

namespace au_test
{
struct MidiLog
{
  struct Packet
  {
    MIDITimeStamp time;
    std::vector<Byte> bytes;
  };

  std::vector<std::vector<Packet>> lists; // one entry per call, in order
  UInt32 lastOutput = 0xFFFFFFFF;

  static OSStatus Receive(void* userData, const AudioTimeStamp*, UInt32 midiOutNum, const MIDIPacketList* packets)
  {
    auto* log = static_cast<MidiLog*>(userData);
    log->lastOutput = midiOutNum;
    std::vector<Packet> list;
    const MIDIPacket* packet = &packets->packet[0];
    for (UInt32 i = 0; i < packets->numPackets; ++i)
    {
      list.push_back({packet->timeStamp, std::vector<Byte>(packet->data, packet->data + packet->length)});
      packet = MIDIPacketNext(packet);
    }
    log->lists.push_back(list);
    return noErr;
  }

  AUMIDIOutputCallbackStruct Callback() { return {Receive, this}; }
};
} // namespace au_test
