#include "Export.h"
#include "InstanceTable.h"

#include <AudioUnit/AudioUnit.h>

namespace {

// The method a unit serves for a selector, and the self to call it with.
OSStatus FindMethod(AudioUnit unit, SInt16 selector, AudioComponentMethod& method, void*& self)
{
  if (!unit)
    return kAudio_ParamError;
  AudioComponentPlugInInterface* plugin = standin::InstanceTable::Instance().Plugin(unit);
  if (!plugin)
    return badComponentInstance;
  method = plugin->Lookup(selector);
  if (!method)
    return badComponentSelector;
  self = plugin;
  return noErr;
}

// Plug-ins hand their methods out through the variadic AudioComponentMethod type; each is called
// through the full signature of its selector.
template <class Proc>
Proc As(AudioComponentMethod method)
{
  return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(method));
}

// Calls the method unit serves for selector, as Proc, with the unit's self and args; the lookup's status
// when there is no such method.
template <class Proc, class... Args>
OSStatus Dispatch(AudioUnit unit, SInt16 selector, Args... args)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(unit, selector, method, self);
  return status != noErr ? status : As<Proc>(method)(self, args...);
}

}

STANDIN_EXPORT OSStatus AudioUnitInitialize(AudioUnit inUnit)
{
  return Dispatch<AudioUnitInitializeProc>(inUnit, kAudioUnitInitializeSelect);
}

STANDIN_EXPORT OSStatus AudioUnitUninitialize(AudioUnit inUnit)
{
  return Dispatch<AudioUnitUninitializeProc>(inUnit, kAudioUnitUninitializeSelect);
}

STANDIN_EXPORT OSStatus AudioUnitGetPropertyInfo(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitScope inScope, AudioUnitElement inElement, UInt32* outDataSize, Boolean* outWritable)
{
  return Dispatch<AudioUnitGetPropertyInfoProc>(inUnit, kAudioUnitGetPropertyInfoSelect, inID, inScope, inElement, outDataSize, outWritable);
}

STANDIN_EXPORT OSStatus AudioUnitGetProperty(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitScope inScope, AudioUnitElement inElement, void* outData, UInt32* ioDataSize)
{
  if (!ioDataSize)
    return kAudio_ParamError;
  return Dispatch<AudioUnitGetPropertyProc>(inUnit, kAudioUnitGetPropertySelect, inID, inScope, inElement, outData, ioDataSize);
}

STANDIN_EXPORT OSStatus AudioUnitSetProperty(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitScope inScope, AudioUnitElement inElement, const void* inData, UInt32 inDataSize)
{
  return Dispatch<AudioUnitSetPropertyProc>(inUnit, kAudioUnitSetPropertySelect, inID, inScope, inElement, inData, inDataSize);
}

STANDIN_EXPORT OSStatus AudioUnitAddPropertyListener(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitPropertyListenerProc inProc, void* inProcUserData)
{
  return Dispatch<AudioUnitAddPropertyListenerProc>(inUnit, kAudioUnitAddPropertyListenerSelect, inID, inProc, inProcUserData);
}

STANDIN_EXPORT OSStatus AudioUnitRemovePropertyListener(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitPropertyListenerProc inProc)
{
  return Dispatch<AudioUnitRemovePropertyListenerProc>(inUnit, kAudioUnitRemovePropertyListenerSelect, inID, inProc);
}

STANDIN_EXPORT OSStatus AudioUnitRemovePropertyListenerWithUserData(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitPropertyListenerProc inProc, void* inProcUserData)
{
  return Dispatch<AudioUnitRemovePropertyListenerWithUserDataProc>(inUnit, kAudioUnitRemovePropertyListenerWithUserDataSelect, inID, inProc, inProcUserData);
}

STANDIN_EXPORT OSStatus AudioUnitAddRenderNotify(AudioUnit inUnit, AURenderCallback inProc, void* inProcUserData)
{
  return Dispatch<AudioUnitAddRenderNotifyProc>(inUnit, kAudioUnitAddRenderNotifySelect, inProc, inProcUserData);
}

STANDIN_EXPORT OSStatus AudioUnitRemoveRenderNotify(AudioUnit inUnit, AURenderCallback inProc, void* inProcUserData)
{
  return Dispatch<AudioUnitRemoveRenderNotifyProc>(inUnit, kAudioUnitRemoveRenderNotifySelect, inProc, inProcUserData);
}

STANDIN_EXPORT OSStatus AudioUnitGetParameter(AudioUnit inUnit, AudioUnitParameterID inID, AudioUnitScope inScope, AudioUnitElement inElement, AudioUnitParameterValue* outValue)
{
  if (!outValue)
    return kAudio_ParamError;
  return Dispatch<AudioUnitGetParameterProc>(inUnit, kAudioUnitGetParameterSelect, inID, inScope, inElement, outValue);
}

STANDIN_EXPORT OSStatus AudioUnitSetParameter(AudioUnit inUnit, AudioUnitParameterID inID, AudioUnitScope inScope, AudioUnitElement inElement, AudioUnitParameterValue inValue, UInt32 inBufferOffsetInFrames)
{
  return Dispatch<AudioUnitSetParameterProc>(inUnit, kAudioUnitSetParameterSelect, inID, inScope, inElement, inValue, inBufferOffsetInFrames);
}

STANDIN_EXPORT OSStatus AudioUnitScheduleParameters(AudioUnit inUnit, const AudioUnitParameterEvent* inParameterEvent, UInt32 inNumParamEvents)
{
  if (!inParameterEvent && inNumParamEvents > 0)
    return kAudio_ParamError;
  return Dispatch<AudioUnitScheduleParametersProc>(inUnit, kAudioUnitScheduleParametersSelect, inParameterEvent, inNumParamEvents);
}

STANDIN_EXPORT OSStatus AudioUnitRender(AudioUnit inUnit, AudioUnitRenderActionFlags* ioActionFlags, const AudioTimeStamp* inTimeStamp, UInt32 inOutputBusNumber, UInt32 inNumberFrames, AudioBufferList* ioData)
{
  if (!inTimeStamp || !ioData)
    return kAudio_ParamError;
  return Dispatch<AudioUnitRenderProc>(inUnit, kAudioUnitRenderSelect, ioActionFlags, inTimeStamp, inOutputBusNumber, inNumberFrames, ioData);
}

STANDIN_EXPORT OSStatus AudioUnitReset(AudioUnit inUnit, AudioUnitScope inScope, AudioUnitElement inElement)
{
  return Dispatch<AudioUnitResetProc>(inUnit, kAudioUnitResetSelect, inScope, inElement);
}

STANDIN_EXPORT OSStatus MusicDeviceMIDIEvent(MusicDeviceComponent inUnit, UInt32 inStatus, UInt32 inData1, UInt32 inData2, UInt32 inOffsetSampleFrame)
{
  return Dispatch<MusicDeviceMIDIEventProc>(inUnit, kMusicDeviceMIDIEventSelect, inStatus, inData1, inData2, inOffsetSampleFrame);
}

STANDIN_EXPORT OSStatus MusicDeviceSysEx(MusicDeviceComponent inUnit, const UInt8* inData, UInt32 inLength)
{
  if (!inData && inLength > 0)
    return kAudio_ParamError;
  return Dispatch<MusicDeviceSysExProc>(inUnit, kMusicDeviceSysExSelect, inData, inLength);
}
