/* Music devices (instruments): MIDI and SysEx input. */
#ifndef AudioUnit_MusicDevice_h
#define AudioUnit_MusicDevice_h

#include <AudioUnit/AUComponent.h>

CF_EXTERN_C_BEGIN

typedef UInt32 MusicDeviceInstrumentID;
typedef UInt32 MusicDeviceGroupID;
typedef UInt32 NoteInstanceID;
typedef AudioComponentInstance MusicDeviceComponent;

struct NoteParamsControlValue {
  AudioUnitParameterID mID;
  AudioUnitParameterValue mValue;
};
typedef struct NoteParamsControlValue NoteParamsControlValue;

struct MusicDeviceNoteParams {
  UInt32 argCount;                    /* 2 + number of controls */
  Float32 mPitch;                     /* MIDI note number, fractional allowed */
  Float32 mVelocity;
  NoteParamsControlValue mControls[1];
};
typedef struct MusicDeviceNoteParams MusicDeviceNoteParams;

enum {
  kMusicDeviceRange = 0x0100,
  kMusicDeviceMIDIEventSelect = 0x0101,
  kMusicDeviceSysExSelect = 0x0102,
  kMusicDevicePrepareInstrumentSelect = 0x0103,
  kMusicDeviceReleaseInstrumentSelect = 0x0104,
  kMusicDeviceStartNoteSelect = 0x0105,
  kMusicDeviceStopNoteSelect = 0x0106
};

typedef OSStatus (*MusicDeviceMIDIEventProc)(void* self, UInt32 inStatus, UInt32 inData1, UInt32 inData2, UInt32 inOffsetSampleFrame);
typedef OSStatus (*MusicDeviceSysExProc)(void* self, const UInt8* inData, UInt32 inLength);

/* Sends one MIDI channel message, inOffsetSampleFrame frames into the next render (selector 0x101). */
extern OSStatus MusicDeviceMIDIEvent(MusicDeviceComponent inUnit, UInt32 inStatus, UInt32 inData1, UInt32 inData2, UInt32 inOffsetSampleFrame);
/* Sends a complete SysEx message, F0 to F7 (selector 0x102). */
extern OSStatus MusicDeviceSysEx(MusicDeviceComponent inUnit, const UInt8* inData, UInt32 inLength);

CF_EXTERN_C_END

#endif
