// IPlugAU, file 1 of 4: construction, the selector methods, the lifecycle calls, parameters, listeners and
// the notifications sent to the host. Properties and state live in IPlugAU_Properties.cpp, the render path
// and buses in IPlugAU_Render.cpp, the legacy Component Manager entry in IPlugAU_Entry.cpp.

#include "IPlugAU.h"

#include <cmath>
#include <cstdlib>

#include "CFHelpers.h"

namespace iplug
{
const char* AUInputTypeStr(int type)
{
  switch (type)
  {
  case eDirectFastProc: return "DirectFastProc";
  case eDirectNoFastProc: return "DirectNoFastProc";
  case eRenderCallback: return "RenderCallback";
  default: return "NotConnected";
  }
}

int ParseHostBundleVersion(const char* versionStr)
{
  if (!versionStr || !versionStr[0])
    return 0;
  char* stop = nullptr;
  const long major = std::strtol(versionStr, &stop, 10);
  long minor = 0;
  long revision = 0;
  if (*stop)
  {
    minor = std::strtol(stop + 1, &stop, 10);
    if (*stop)
      revision = std::strtol(stop + 1, &stop, 10);
  }
  const auto packed = (static_cast<uint32_t>(major) & 0xFFFF) << 16 | (static_cast<uint32_t>(minor) & 0xFF) << 8 |
                      (static_cast<uint32_t>(revision) & 0xFF);
  return static_cast<int>(packed);
}

IPlugAU::IPlugAU(const InstanceInfo& info, const Config& config)
  : IPlugAPIBase(config, kAPIAU)
  , IPlugProcessor(config)
  , mRenderNotify(mRenderGate)
{
  mViewFactoryClassName.Set(info.mCocoaViewFactoryClassName.Get());

  int nInBuses = MaxNBuses(kInput);
  if (nInBuses == 1 && MaxNChannelsForBus(kInput, 0) == 0)
    nInBuses = 0;
  CreateBuses(kInput, nInBuses);
  CreateBuses(kOutput, MaxNBuses(kOutput));
  AssessInputConnections();

  // Without scratch memory for a block, no block may be rendered.
  SetBlockSize(kDefaultBlockSize);
  if (!ResizeScratchBuffers())
    SetBlockSize(0);
  // Room for a 512-byte SysEx or ~200 messages per list; longer output goes out in several lists.
  mMidiPacketBuf.Resize(kMidiPacketListBytes);
  CreateTimer();
}

IPlugAU::~IPlugAU() = default;

void IPlugAU::CreateBuses(ERoute route, int nBuses)
{
  int start = 0;
  for (int i = 0; i < nBuses; ++i)
  {
    auto* bus = Buses(route).Add(new BusChannels());
    bus->mPlugChannelStart = start;
    bus->mNPlugChannels = std::abs(MaxNChannelsForBus(route, i));
    start += bus->mNPlugChannels;
    if (route == kInput)
      mInBusConnections.Add(new InputBusConnection());
  }
}

IPlugAU* IPlugAU::PlugFromBlock(void* block)
{
  return reinterpret_cast<IPlugAU*>(static_cast<unsigned char*>(block) + sizeof(AUInstanceHeader));
}

// Selector methods: each finds its object behind the block's header and runs the shared operation.

OSStatus IPlugAU::AUMethodInitialize(void* self)
{
  return DoInitialize(PlugFromBlock(self));
}

OSStatus IPlugAU::AUMethodUninitialize(void* self)
{
  return DoUninitialize(PlugFromBlock(self));
}

OSStatus IPlugAU::AUMethodGetPropertyInfo(void* self, AudioUnitPropertyID propID, AudioUnitScope scope,
                                          AudioUnitElement element, UInt32* outDataSize, Boolean* outWritable)
{
  UInt32 dataSize = 0;
  Boolean writable = false;
  UInt32* pDataSize = outDataSize ? outDataSize : &dataSize;
  Boolean* pWritable = outWritable ? outWritable : &writable;
  *pWritable = false;
  return PlugFromBlock(self)->GetProperty(propID, scope, element, pDataSize, pWritable, nullptr);
}

OSStatus IPlugAU::AUMethodGetProperty(void* self, AudioUnitPropertyID propID, AudioUnitScope scope,
                                      AudioUnitElement element, void* outData, UInt32* ioDataSize)
{
  UInt32 dataSize = 0;
  Boolean writable = false;
  return PlugFromBlock(self)->GetProperty(propID, scope, element, ioDataSize ? ioDataSize : &dataSize, &writable,
                                          outData);
}

OSStatus IPlugAU::AUMethodSetProperty(void* self, AudioUnitPropertyID propID, AudioUnitScope scope,
                                      AudioUnitElement element, const void* inData, UInt32 inDataSize)
{
  return PlugFromBlock(self)->SetProperty(propID, scope, element, &inDataSize, inData);
}

OSStatus IPlugAU::AUMethodAddPropertyListener(void* self, AudioUnitPropertyID propID,
                                              AudioUnitPropertyListenerProc proc, void* userData)
{
  return DoAddPropertyListener(PlugFromBlock(self), propID, proc, userData);
}

OSStatus IPlugAU::AUMethodRemovePropertyListener(void* self, AudioUnitPropertyID propID,
                                                 AudioUnitPropertyListenerProc proc)
{
  return DoRemovePropertyListener(PlugFromBlock(self), propID, proc);
}

OSStatus IPlugAU::AUMethodRemovePropertyListenerWithUserData(void* self, AudioUnitPropertyID propID,
                                                             AudioUnitPropertyListenerProc proc, void* userData)
{
  return DoRemovePropertyListenerWithUserData(PlugFromBlock(self), propID, proc, userData);
}

OSStatus IPlugAU::AUMethodAddRenderNotify(void* self, AURenderCallback proc, void* refCon)
{
  return DoAddRenderNotify(PlugFromBlock(self), proc, refCon);
}

OSStatus IPlugAU::AUMethodRemoveRenderNotify(void* self, AURenderCallback proc, void* refCon)
{
  return DoRemoveRenderNotify(PlugFromBlock(self), proc, refCon);
}

OSStatus IPlugAU::AUMethodGetParameter(void* self, AudioUnitParameterID paramID, AudioUnitScope scope,
                                       AudioUnitElement element, AudioUnitParameterValue* value)
{
  return DoGetParameter(PlugFromBlock(self), paramID, scope, element, value);
}

OSStatus IPlugAU::AUMethodSetParameter(void* self, AudioUnitParameterID paramID, AudioUnitScope scope,
                                       AudioUnitElement element, AudioUnitParameterValue value, UInt32 offsetFrames)
{
  return DoSetParameter(PlugFromBlock(self), paramID, scope, element, value, offsetFrames);
}

OSStatus IPlugAU::AUMethodScheduleParameters(void* self, const AudioUnitParameterEvent* events, UInt32 nEvents)
{
  return DoScheduleParameters(PlugFromBlock(self), events, nEvents);
}

OSStatus IPlugAU::AUMethodRender(void* self, AudioUnitRenderActionFlags* flags, const AudioTimeStamp* time,
                                 UInt32 outputBusNumber, UInt32 nFrames, AudioBufferList* ioData)
{
  return RenderProc(PlugFromBlock(self), flags, time, outputBusNumber, nFrames, ioData);
}

OSStatus IPlugAU::AUMethodReset(void* self, AudioUnitScope /*scope*/, AudioUnitElement /*element*/)
{
  return DoReset(PlugFromBlock(self));
}

OSStatus IPlugAU::AUMethodMIDIEvent(void* self, UInt32 status, UInt32 data1, UInt32 data2, UInt32 offsetSampleFrame)
{
  return DoMIDIEvent(PlugFromBlock(self), status, data1, data2, offsetSampleFrame);
}

OSStatus IPlugAU::AUMethodSysEx(void* self, const UInt8* data, UInt32 length)
{
  return DoSysEx(PlugFromBlock(self), data, length);
}

// Lifecycle.

void IPlugAU::IdentifyHostFromMainBundle()
{
  WDL_String name;
  int version = 0;
  if (CFBundleRef mainBundle = CFBundleGetMainBundle())
  {
    name = CFStringToUtf8(CFBundleGetIdentifier(mainBundle));
    const auto versionStr = static_cast<CFStringRef>(CFBundleGetValueForInfoDictionaryKey(mainBundle, kCFBundleVersionKey));
    version = ParseHostBundleVersion(CFStringToUtf8(versionStr).Get());
  }
  SetHost(name.Get(), version);
}

bool IPlugAU::CheckLegalIO() const
{
  const int nIn = NHostChannelsConnected(mInBuses, -1);
  const int nOut = NHostChannelsConnected(mOutBuses, -1);
  return (nIn == 0 && nOut == 0) || LegalIO(nIn, nOut);
}

OSStatus IPlugAU::DoInitialize(IPlugAU* plug)
{
  if (plug->GetHost() == kHostUninit)
    plug->IdentifyHostFromMainBundle();
  if (!plug->CheckLegalIO())
    return badComponentSelector;
  plug->mActive = true;
  plug->OnParamReset(kReset);
  plug->RequestActivate(true);
  return noErr;
}

OSStatus IPlugAU::DoUninitialize(IPlugAU* plug)
{
  plug->mActive = false;
  plug->RequestActivate(false);
  return noErr;
}

OSStatus IPlugAU::DoReset(IPlugAU* plug)
{
  plug->RequestReset();
  return noErr;
}

void IPlugAU::GetTrackName(WDL_String& str)
{
  str.Set(mTrackName.Get());
}

// Parameters.

OSStatus IPlugAU::DoGetParameter(IPlugAU* plug, AudioUnitParameterID paramID, AudioUnitScope scope,
                                 AudioUnitElement /*element*/, AudioUnitParameterValue* value)
{
  if (scope != kAudioUnitScope_Global)
    return kAudioUnitErr_InvalidProperty;
  const IParam* param = plug->GetParam(static_cast<int>(paramID));
  if (!param)
    return kAudioUnitErr_InvalidParameter;
  if (!value)
    return kAudio_ParamError;
  *value = static_cast<AudioUnitParameterValue>(param->Value());
  return noErr;
}

OSStatus IPlugAU::DoSetParameter(IPlugAU* plug, AudioUnitParameterID paramID, AudioUnitScope scope,
                                 AudioUnitElement /*element*/, AudioUnitParameterValue value, UInt32 /*offsetFrames*/)
{
  return plug->SetParameterFromHost(paramID, scope, value);
}

OSStatus IPlugAU::DoScheduleParameters(IPlugAU* plug, const AudioUnitParameterEvent* events, UInt32 nEvents)
{
  if (!events && nEvents > 0)
    return kAudio_ParamError;
  for (UInt32 i = 0; i < nEvents; ++i)
  {
    const AudioUnitParameterEvent& event = events[i];
    if (event.eventType != kParameterEvent_Immediate)
      continue;
    const OSStatus status = plug->SetParameterFromHost(event.parameter, event.scope, event.eventValues.immediate.value);
    if (status != noErr)
      return status;
  }
  return noErr;
}

OSStatus IPlugAU::SetParameterFromHost(AudioUnitParameterID paramID, AudioUnitScope scope,
                                       AudioUnitParameterValue value)
{
  if (scope != kAudioUnitScope_Global)
    return kAudioUnitErr_InvalidProperty;
  IParam* param = GetParam(static_cast<int>(paramID));
  if (!param)
    return kAudioUnitErr_InvalidParameter;
  // Clamping would turn a value that is no number into the minimum: it is refused and changes nothing.
  if (!std::isfinite(value))
    return kAudio_ParamError;
  const int paramIdx = static_cast<int>(paramID);
  param->Set(value);
  SendParameterValueFromAPI(paramIdx, value, false);
  OnParamChange(paramIdx, kHost, -1);
  return noErr;
}

// Listeners and render notifications.

OSStatus IPlugAU::DoAddPropertyListener(IPlugAU* plug, AudioUnitPropertyID propID, AudioUnitPropertyListenerProc proc,
                                        void* userData)
{
  if (!proc)
    return kAudio_ParamError;
  for (int i = 0; i < plug->mPropertyListeners.GetSize(); ++i)
  {
    const PropertyListener* listener = plug->mPropertyListeners.Get(i);
    if (listener->mPropID == propID && listener->mListenerProc == proc)
      return noErr;
  }
  plug->mPropertyListeners.Add(new PropertyListener{propID, proc, userData});
  return noErr;
}

OSStatus IPlugAU::DoRemovePropertyListener(IPlugAU* plug, AudioUnitPropertyID propID,
                                           AudioUnitPropertyListenerProc proc)
{
  for (int i = 0; i < plug->mPropertyListeners.GetSize(); ++i)
  {
    const PropertyListener* listener = plug->mPropertyListeners.Get(i);
    if (listener->mPropID == propID && listener->mListenerProc == proc)
    {
      plug->mPropertyListeners.Delete(i, true);
      break;
    }
  }
  return noErr;
}

OSStatus IPlugAU::DoRemovePropertyListenerWithUserData(IPlugAU* plug, AudioUnitPropertyID propID,
                                                       AudioUnitPropertyListenerProc proc, void* userData)
{
  for (int i = 0; i < plug->mPropertyListeners.GetSize(); ++i)
  {
    const PropertyListener* listener = plug->mPropertyListeners.Get(i);
    if (listener->mPropID == propID && listener->mListenerProc == proc && listener->mProcArgs == userData)
    {
      plug->mPropertyListeners.Delete(i, true);
      break;
    }
  }
  return noErr;
}

OSStatus IPlugAU::DoAddRenderNotify(IPlugAU* plug, AURenderCallback proc, void* refCon)
{
  if (!proc)
    return kAudio_ParamError;
  plug->mRenderNotify.Add({proc, refCon});
  return noErr;
}

OSStatus IPlugAU::DoRemoveRenderNotify(IPlugAU* plug, AURenderCallback proc, void* refCon)
{
  plug->mRenderNotify.Remove(proc, refCon);
  return noErr;
}

void IPlugAU::InformListeners(AudioUnitPropertyID propID, AudioUnitScope scope)
{
  // A listener may remove itself while it is told, so the list is re-read at every step.
  for (int i = 0; i < mPropertyListeners.GetSize(); ++i)
  {
    const PropertyListener* listener = mPropertyListeners.Get(i);
    if (listener && listener->mPropID == propID)
      listener->mListenerProc(listener->mProcArgs, mComponentInstance, propID, scope, 0);
  }
}

// Notifications to the host.

void IPlugAU::NotifyParameterEvent(AudioUnitEventType type, int paramIdx)
{
  AudioUnitEvent event = {};
  event.mEventType = type;
  event.mArgument.mParameter.mAudioUnit = mComponentInstance;
  event.mArgument.mParameter.mParameterID = static_cast<AudioUnitParameterID>(paramIdx);
  event.mArgument.mParameter.mScope = kAudioUnitScope_Global;
  event.mArgument.mParameter.mElement = 0;
  AUEventListenerNotify(nullptr, nullptr, &event);
}

void IPlugAU::BeginInformHostOfParamChange(int paramIdx)
{
  NotifyParameterEvent(kAudioUnitEvent_BeginParameterChangeGesture, paramIdx);
}

void IPlugAU::InformHostOfParamChange(int paramIdx, double /*normalizedValue*/)
{
  NotifyParameterEvent(kAudioUnitEvent_ParameterValueChange, paramIdx);
}

void IPlugAU::EndInformHostOfParamChange(int paramIdx)
{
  NotifyParameterEvent(kAudioUnitEvent_EndParameterChangeGesture, paramIdx);
}

void IPlugAU::InformHostOfPresetChange()
{
  InformListeners(kAudioUnitProperty_PresentPreset, kAudioUnitScope_Global);
}

void IPlugAU::InformHostOfParameterDetailsChange()
{
  InformListeners(kAudioUnitProperty_ParameterList, kAudioUnitScope_Global);
  InformListeners(kAudioUnitProperty_ParameterInfo, kAudioUnitScope_Global);
}

void IPlugAU::SetLatency(int samples)
{
  InformListeners(kAudioUnitProperty_Latency, kAudioUnitScope_Global);
  IPlugProcessor::SetLatency(samples);
}
} // namespace iplug
