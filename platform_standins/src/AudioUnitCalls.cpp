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

}

STANDIN_EXPORT OSStatus AudioUnitInitialize(AudioUnit inUnit)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitInitializeSelect, method, self);
  return status != noErr ? status : As<AudioUnitInitializeProc>(method)(self);
}

STANDIN_EXPORT OSStatus AudioUnitUninitialize(AudioUnit inUnit)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitUninitializeSelect, method, self);
  return status != noErr ? status : As<AudioUnitUninitializeProc>(method)(self);
}

STANDIN_EXPORT OSStatus AudioUnitGetPropertyInfo(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitScope inScope, AudioUnitElement inElement, UInt32* outDataSize, Boolean* outWritable)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitGetPropertyInfoSelect, method, self);
  return status != noErr ? status : As<AudioUnitGetPropertyInfoProc>(method)(self, inID, inScope, inElement, outDataSize, outWritable);
}

STANDIN_EXPORT OSStatus AudioUnitGetProperty(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitScope inScope, AudioUnitElement inElement, void* outData, UInt32* ioDataSize)
{
  if (!ioDataSize)
    return kAudio_ParamError;
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitGetPropertySelect, method, self);
  return status != noErr ? status : As<AudioUnitGetPropertyProc>(method)(self, inID, inScope, inElement, outData, ioDataSize);
}

STANDIN_EXPORT OSStatus AudioUnitSetProperty(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitScope inScope, AudioUnitElement inElement, const void* inData, UInt32 inDataSize)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitSetPropertySelect, method, self);
  return status != noErr ? status : As<AudioUnitSetPropertyProc>(method)(self, inID, inScope, inElement, inData, inDataSize);
}

STANDIN_EXPORT OSStatus AudioUnitAddPropertyListener(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitPropertyListenerProc inProc, void* inProcUserData)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitAddPropertyListenerSelect, method, self);
  return status != noErr ? status : As<AudioUnitAddPropertyListenerProc>(method)(self, inID, inProc, inProcUserData);
}

STANDIN_EXPORT OSStatus AudioUnitRemovePropertyListener(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitPropertyListenerProc inProc)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitRemovePropertyListenerSelect, method, self);
  return status != noErr ? status : As<AudioUnitRemovePropertyListenerProc>(method)(self, inID, inProc);
}

STANDIN_EXPORT OSStatus AudioUnitRemovePropertyListenerWithUserData(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitPropertyListenerProc inProc, void* inProcUserData)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitRemovePropertyListenerWithUserDataSelect, method, self);
  return status != noErr ? status : As<AudioUnitRemovePropertyListenerWithUserDataProc>(method)(self, inID, inProc, inProcUserData);
}

STANDIN_EXPORT OSStatus AudioUnitAddRenderNotify(AudioUnit inUnit, AURenderCallback inProc, void* inProcUserData)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitAddRenderNotifySelect, method, self);
  return status != noErr ? status : As<AudioUnitAddRenderNotifyProc>(method)(self, inProc, inProcUserData);
}

STANDIN_EXPORT OSStatus AudioUnitRemoveRenderNotify(AudioUnit inUnit, AURenderCallback inProc, void* inProcUserData)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitRemoveRenderNotifySelect, method, self);
  return status != noErr ? status : As<AudioUnitRemoveRenderNotifyProc>(method)(self, inProc, inProcUserData);
}

STANDIN_EXPORT OSStatus AudioUnitGetParameter(AudioUnit inUnit, AudioUnitParameterID inID, AudioUnitScope inScope, AudioUnitElement inElement, AudioUnitParameterValue* outValue)
{
  if (!outValue)
    return kAudio_ParamError;
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitGetParameterSelect, method, self);
  return status != noErr ? status : As<AudioUnitGetParameterProc>(method)(self, inID, inScope, inElement, outValue);
}

STANDIN_EXPORT OSStatus AudioUnitSetParameter(AudioUnit inUnit, AudioUnitParameterID inID, AudioUnitScope inScope, AudioUnitElement inElement, AudioUnitParameterValue inValue, UInt32 inBufferOffsetInFrames)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitSetParameterSelect, method, self);
  return status != noErr ? status : As<AudioUnitSetParameterProc>(method)(self, inID, inScope, inElement, inValue, inBufferOffsetInFrames);
}

STANDIN_EXPORT OSStatus AudioUnitScheduleParameters(AudioUnit inUnit, const AudioUnitParameterEvent* inParameterEvent, UInt32 inNumParamEvents)
{
  if (!inParameterEvent && inNumParamEvents > 0)
    return kAudio_ParamError;
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitScheduleParametersSelect, method, self);
  return status != noErr ? status : As<AudioUnitScheduleParametersProc>(method)(self, inParameterEvent, inNumParamEvents);
}

STANDIN_EXPORT OSStatus AudioUnitRender(AudioUnit inUnit, AudioUnitRenderActionFlags* ioActionFlags, const AudioTimeStamp* inTimeStamp, UInt32 inOutputBusNumber, UInt32 inNumberFrames, AudioBufferList* ioData)
{
  if (!inTimeStamp || !ioData)
    return kAudio_ParamError;
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitRenderSelect, method, self);
  return status != noErr ? status : As<AudioUnitRenderProc>(method)(self, ioActionFlags, inTimeStamp, inOutputBusNumber, inNumberFrames, ioData);
}

STANDIN_EXPORT OSStatus AudioUnitReset(AudioUnit inUnit, AudioUnitScope inScope, AudioUnitElement inElement)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kAudioUnitResetSelect, method, self);
  return status != noErr ? status : As<AudioUnitResetProc>(method)(self, inScope, inElement);
}

STANDIN_EXPORT OSStatus MusicDeviceMIDIEvent(MusicDeviceComponent inUnit, UInt32 inStatus, UInt32 inData1, UInt32 inData2, UInt32 inOffsetSampleFrame)
{
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kMusicDeviceMIDIEventSelect, method, self);
  return status != noErr ? status : As<MusicDeviceMIDIEventProc>(method)(self, inStatus, inData1, inData2, inOffsetSampleFrame);
}

STANDIN_EXPORT OSStatus MusicDeviceSysEx(MusicDeviceComponent inUnit, const UInt8* inData, UInt32 inLength)
{
  if (!inData && inLength > 0)
    return kAudio_ParamError;
  AudioComponentMethod method = nullptr;
  void* self = nullptr;
  const OSStatus status = FindMethod(inUnit, kMusicDeviceSysExSelect, method, self);
  return status != noErr ? status : As<MusicDeviceSysExProc>(method)(self, inData, inLength);
}
