#pragma once

#include <AudioUnit/AudioUnit.h>
#include <CoreFoundation/CoreFoundation.h>

namespace iplug
{
// One factory preset as handed to the host in the kAudioUnitProperty_FactoryPresets array: it starts with
// the platform's AUPreset, so the host reads it as one. Reference counted through CFAUPresetRetain and
// CFAUPresetRelease; the array's callbacks use them.
struct CFAUPreset
{
  AUPreset auPreset;        // preset number and name (the name is a copy made at creation; may be null)
  UInt32 version;           // 0
  CFAllocatorRef allocator; // the allocator the record was made with
  CFIndex retainCount;      // 1 at creation
};
// A reference to a preset record, as the platform hands it out.
typedef CFAUPreset* CFAUPresetRef;

// A new preset record made with allocator (null: the default), holding a copy of name; null when memory ran out.
CFAUPresetRef CFAUPresetCreate(CFAllocatorRef allocator, SInt32 presetNumber, CFStringRef presetName);
// Adds one reference to the record and to its name; returns presetRef.
const void* CFAUPresetRetain(const void* presetRef);
// Drops one reference from the record and its name; the last one clears and frees the record. A record
// already at 0 references is left alone.
void CFAUPresetRelease(const void* presetRef);
// A new text "AUPreset:\npreset number = <n>\npreset name = <name>" (caller owns).
CFStringRef CFAUPresetCopyDescription(const void* presetRef);
// Whether two records have equal numbers and equal names.
Boolean CFAUPresetEqual(const void* presetRef1, const void* presetRef2);
// Fills array callbacks (version 0) that retain, release, describe and compare CFAUPreset records.
void CFAUPresetArrayCallBacks_Init(CFArrayCallBacks* callBacks);
} // namespace iplug
