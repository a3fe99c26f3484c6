// IPlugAU, file 2 of 4: the property calls (info and get forms, set), parameter descriptions and conversions,
// factory presets and the ClassInfo state. The bus, stream-format and connection properties are answered
// in IPlugAU_Render.cpp.

#include "IPlugAU.h"
#include "ControlValueProperty.h"
#include "PropertyRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "CFAUPreset.h"
#include "CFHelpers.h"
#include "IPreset.h"

namespace iplug
{
namespace
{
constexpr int kPresetNameSize = 64;  // bytes of the ClassInfo name buffer, terminator included
constexpr int kParamNameSize = 32;   // bytes of a parameter name, terminator included
constexpr UInt32 kBaseParamFlags = kAudioUnitParameterFlag_IsReadable | kAudioUnitParameterFlag_IsWritable |
                                   kAudioUnitParameterFlag_HasCFNameString |
                                   kAudioUnitParameterFlag_IsHighResolution | kAudioUnitParameterFlag_CFNameRelease;

// The host's units for the parameter units percentage .. beats, in IParam::EParamUnit order.
constexpr AudioUnitParameterUnit kAUUnits[] = {
  kAudioUnitParameterUnit_Percent,       kAudioUnitParameterUnit_Seconds,
  kAudioUnitParameterUnit_Milliseconds,  kAudioUnitParameterUnit_SampleFrames,
  kAudioUnitParameterUnit_Decibels,      kAudioUnitParameterUnit_LinearGain,
  kAudioUnitParameterUnit_Pan,           kAudioUnitParameterUnit_Phase,
  kAudioUnitParameterUnit_Degrees,       kAudioUnitParameterUnit_Meters,
  kAudioUnitParameterUnit_Rate,          kAudioUnitParameterUnit_Ratio,
  kAudioUnitParameterUnit_Hertz,         kAudioUnitParameterUnit_Octaves,
  kAudioUnitParameterUnit_Cents,         kAudioUnitParameterUnit_AbsoluteCents,
  kAudioUnitParameterUnit_RelativeSemiTones, kAudioUnitParameterUnit_MIDINoteNumber,
  kAudioUnitParameterUnit_MIDIController, kAudioUnitParameterUnit_BPM,
  kAudioUnitParameterUnit_Beats};
static_assert(sizeof(kAUUnits) / sizeof(kAUUnits[0]) == IParam::kUnitCustom, "one host unit per parameter unit");

// Answers a property of one fixed-size value: reports its size and, in the get form, checks the host's
// buffer (whose capacity *dataSize holds on entry) and copies the value that makeValue builds into it.
template <class T, class MakeValue>
OSStatus Reply(UInt32* dataSize, void* data, MakeValue&& makeValue)
{
  if (data)
  {
    if (*dataSize < sizeof(T))
      return kAudioUnitErr_InvalidPropertyValue;
    const T value = makeValue();
    std::memcpy(data, &value, sizeof(T));
  }
  *dataSize = sizeof(T);
  return noErr;
}

// Like Reply for a new Core Foundation object handed to the host: coreFoundationUnknownErr when it cannot be made.
template <class Ref, class MakeObject>
OSStatus ReplyNew(UInt32* dataSize, void* data, MakeObject&& makeObject)
{
  if (data)
  {
    if (*dataSize < sizeof(Ref))
      return kAudioUnitErr_InvalidPropertyValue;
    const Ref object = makeObject();
    if (!object)
      return coreFoundationUnknownErr;
    std::memcpy(data, &object, sizeof(Ref));
  }
  *dataSize = sizeof(Ref);
  return noErr;
}

// Answers a property whose record the host fills in and the unit completes (the string/value and name
// conversions): reports the record's size, and in the get form reads the host's record, lets complete
// fill it (returning a status) and copies it back on success. Only the global scope answers.
template <class Record, class Complete>
OSStatus ReplyToRecord(AudioUnitScope scope, UInt32* dataSize, void* data, Complete&& complete)
{
  const UInt32 capacity = *dataSize;
  *dataSize = sizeof(Record);
  if (!data || scope != kAudioUnitScope_Global)
    return noErr;
  Record record;
  if (!ReadRecord(data, capacity, record))
    return kAudioUnitErr_InvalidPropertyValue;
  const OSStatus status = complete(record);
  if (status == noErr)
    std::memcpy(data, &record, sizeof(record));
  return status;
}

AudioUnitParameterOptions DisplayFlags(IParam::EDisplayType displayType)
{
  switch (displayType)
  {
  case IParam::kDisplayLog: return kAudioUnitParameterFlag_DisplayLogarithmic;
  case IParam::kDisplayExp: return kAudioUnitParameterFlag_DisplayExponential;
  case IParam::kDisplaySquared: return kAudioUnitParameterFlag_DisplaySquared;
  case IParam::kDisplaySquareRoot: return kAudioUnitParameterFlag_DisplaySquareRoot;
  case IParam::kDisplayCubed: return kAudioUnitParameterFlag_DisplayCubed;
  case IParam::kDisplayCubeRoot: return kAudioUnitParameterFlag_DisplayCubeRoot;
  default: return 0;
  }
}

AudioUnitParameterOptions ParamFlags(const IParam& param)
{
  AudioUnitParameterOptions flags = kBaseParamFlags;
  if (param.GetMeta())
  {
    flags |= kAudioUnitParameterFlag_IsElementMeta;
    if (!param.GetCanAutomate())
      flags |= kAudioUnitParameterFlag_NonRealTime;
  }
  else if (!param.GetCanAutomate())
  {
    flags |= kAudioUnitParameterFlag_NonRealTime;
  }
  if (param.NDisplayTexts() > 0)
    flags |= kAudioUnitParameterFlag_ValuesHaveStrings;
  return flags | DisplayFlags(param.GetDisplayType());
}

// Cuts UTF-8 text after maxChars characters.
void CutAfterCharacters(char* text, int maxChars)
{
  int chars = 0;
  for (char* p = text; *p; ++p)
  {
    const bool startsCharacter = (static_cast<unsigned char>(*p) & 0xC0) != 0x80;
    if (startsCharacter && chars++ == maxChars)
    {
      *p = '\0';
      return;
    }
  }
}

// A new one-element array naming the unit's MIDI output.
CFArrayRef NewMidiOutputNames()
{
  CFStringRef name = NewCFString("midiOut");
  if (!name)
    return nullptr;
  const void* values[] = {name};
  CFArrayRef names = CFArrayCreate(kCFAllocatorDefault, values, 1, &kCFTypeArrayCallBacks);
  CFRelease(name);
  return names;
}
} // namespace

OSStatus IPlugAU::GetProperty(AudioUnitPropertyID propID, AudioUnitScope scope, AudioUnitElement element,
                              UInt32* dataSize, Boolean* writable, void* data)
{
  const bool global = scope == kAudioUnitScope_Global;
  switch (propID)
  {
  case kPlugInstancePropertyID: return Reply<IPlugAU*>(dataSize, data, [this] { return this; });
  case kControlValuePropertyID:
    // Write-only: its size and writability can be asked for, its value cannot.
    if (!global)
      return kAudioUnitErr_InvalidProperty;
    *dataSize = sizeof(ControlValue);
    *writable = true;
    return data ? static_cast<OSStatus>(kAudioUnitErr_InvalidPropertyValue) : static_cast<OSStatus>(noErr);
  case kAudioUnitProperty_ClassInfo: return GetClassInfo(dataSize, writable, data);
  case kAudioUnitProperty_MakeConnection:
    if (!global && scope != kAudioUnitScope_Input)
      return kAudioUnitErr_InvalidProperty;
    *dataSize = sizeof(AudioUnitConnection);
    *writable = true;
    return noErr;
  case kAudioUnitProperty_SampleRate:
    *writable = true;
    return Reply<Float64>(dataSize, data, [this] { return GetSampleRate(); });
  case kAudioUnitProperty_ParameterList: return GetParameterList(scope, dataSize, data);
  case kAudioUnitProperty_ParameterInfo: return GetParameterInfo(scope, element, dataSize, data);
  case kAudioUnitProperty_FastDispatch: return kAudioUnitErr_InvalidElement;
  case kAudioUnitProperty_StreamFormat: return GetStreamFormat(scope, element, dataSize, writable, data);
  case kAudioUnitProperty_ElementCount: return GetElementCount(scope, dataSize, data);
  case kAudioUnitProperty_Latency:
    if (!global)
      return kAudioUnitErr_InvalidProperty;
    return Reply<Float64>(dataSize, data, [this] { return GetLatency() / GetSampleRate(); });
  case kAudioUnitProperty_SupportedNumChannels: return GetSupportedNumChannels(scope, dataSize, data);
  case kAudioUnitProperty_MaximumFramesPerSlice:
    if (!global)
      return kAudioUnitErr_InvalidProperty;
    *writable = true;
    return Reply<UInt32>(dataSize, data, [this] { return static_cast<UInt32>(GetBlockSize()); });
  case kAudioUnitProperty_ParameterValueStrings: return GetParameterValueStrings(scope, element, dataSize, data);
  case kAudioUnitProperty_AudioChannelLayout: return kAudioUnitErr_InvalidPropertyValue;
  case kAudioUnitProperty_TailTime: return GetTailTime(scope, dataSize, writable, data);
  case kAudioUnitProperty_BypassEffect:
    if (!global)
      return kAudioUnitErr_InvalidProperty;
    *writable = true;
    return Reply<UInt32>(dataSize, data, [this] { return GetBypassed() ? 1u : 0u; });
  case kAudioUnitProperty_LastRenderError:
    if (!global)
      return kAudioUnitErr_InvalidProperty;
    return Reply<OSStatus>(dataSize, data, [] { return OSStatus(noErr); });
  case kAudioUnitProperty_SetRenderCallback:
    if ((!global && scope != kAudioUnitScope_Input) || element >= static_cast<UInt32>(mInBuses.GetSize()))
      return kAudioUnitErr_InvalidProperty;
    *dataSize = sizeof(AURenderCallbackStruct);
    *writable = true;
    return noErr;
  case kAudioUnitProperty_FactoryPresets: return GetFactoryPresets(dataSize, data);
  case kAudioUnitProperty_HostCallbacks:
    if (!global)
      return kAudioUnitErr_InvalidProperty;
    *dataSize = sizeof(HostCallbackInfo);
    *writable = true;
    return noErr;
  case kAudioUnitProperty_CurrentPreset:
  case kAudioUnitProperty_PresentPreset: return GetCurrentPreset(dataSize, writable, data);
  case kAudioUnitProperty_ElementName: return GetElementName(scope, element, dataSize, data);
  case kAudioUnitProperty_CocoaUI: return GetCocoaUI(dataSize, data);
  case kAudioUnitProperty_SupportedChannelLayoutTags:
    return GetSupportedChannelLayoutTags(scope, element, dataSize, writable, data);
  case kAudioUnitProperty_ParameterStringFromValue: return GetParameterStringFromValue(scope, dataSize, data);
  case kAudioUnitProperty_ParameterIDName: return GetParameterIDName(scope, dataSize, data);
  case kAudioUnitProperty_ParameterClumpName: return GetParameterClumpName(scope, dataSize, data);
  case kAudioUnitProperty_ParameterValueFromString: return GetParameterValueFromString(scope, dataSize, data);
  case kAudioUnitProperty_MIDIOutputCallbackInfo: return ReplyNew<CFArrayRef>(dataSize, data, NewMidiOutputNames);
  case kAudioUnitProperty_MIDIOutputCallback:
    if (data)
      return kAudioUnitErr_InvalidProperty;
    *dataSize = sizeof(AUMIDIOutputCallbackStruct);
    *writable = true;
    return noErr;
  case kAudioUnitProperty_SupportsMPE:
    return Reply<UInt32>(dataSize, data, [this] { return DoesMPE() ? 1u : 0u; });
  case kMusicDeviceProperty_InstrumentCount:
    if (!global || !IsInstrument())
      return kAudioUnitErr_InvalidProperty;
    return Reply<UInt32>(dataSize, data, [] { return 1u; });
  default: return kAudioUnitErr_InvalidProperty;
  }
}

OSStatus IPlugAU::SetProperty(AudioUnitPropertyID propID, AudioUnitScope scope, AudioUnitElement element,
                              UInt32* dataSize, const void* data)
{
  InformListeners(propID, scope);
  const UInt32 size = dataSize ? *dataSize : 0;
  switch (propID)
  {
  case kAudioUnitProperty_ClassInfo: return SetClassInfo(data, size);
  case kAudioUnitProperty_MakeConnection: return SetMakeConnection(scope, data, size);
  case kAudioUnitProperty_SampleRate: return SetSampleRateProperty(data, size);
  case kAudioUnitProperty_StreamFormat: return SetStreamFormat(scope, element, data, size);
  case kAudioUnitProperty_MaximumFramesPerSlice: return SetMaxFramesPerSlice(scope, data, size);
  case kAudioUnitProperty_BypassEffect: return SetBypass(scope, data, size);
  case kAudioUnitProperty_SetRenderCallback: return SetRenderCallback(scope, element, data, size);
  case kAudioUnitProperty_ContextName: return SetContextName(data, size);
  case kAudioUnitProperty_HostCallbacks: return SetHostCallbacks(scope, data, size);
  case kAudioUnitProperty_CurrentPreset:
  case kAudioUnitProperty_PresentPreset: return SetCurrentPreset(data, size);
  case kAudioUnitProperty_OfflineRender: return SetOfflineRender(data, size);
  case kAudioUnitProperty_AUHostIdentifier: return SetHostIdentifier(data, size);
  case kAudioUnitProperty_MIDIOutputCallback: return SetMIDIOutputCallback(data, size);
  case kControlValuePropertyID: return SetControlValue(scope, data, size);
  default: return kAudioUnitErr_InvalidProperty;
  }
}

OSStatus IPlugAU::SetControlValue(AudioUnitScope scope, const void* data, UInt32 size)
{
  ControlValue value{};
  if (scope != kAudioUnitScope_Global)
    return kAudioUnitErr_InvalidScope;
  if (!ReadRecord(data, size, value) || !std::isfinite(value.normalizedValue))
    return kAudioUnitErr_InvalidPropertyValue;
  SendControlValueFromDelegate(value.controlTag, std::clamp(value.normalizedValue, 0.0, 1.0));
  return noErr;
}

// Get handlers.

OSStatus IPlugAU::GetClassInfo(UInt32* dataSize, Boolean* writable, void* data)
{
  if (!data)
  {
    *dataSize = sizeof(CFPropertyListRef);
    return noErr;
  }
  if (*dataSize < sizeof(CFPropertyListRef))
    return kAudioUnitErr_InvalidPropertyValue;
  *writable = true;
  CFPropertyListRef plist = nullptr;
  const OSStatus status = GetState(&plist);
  if (status != noErr)
    return status;
  std::memcpy(data, &plist, sizeof(plist));
  *dataSize = sizeof(plist);
  return noErr;
}

OSStatus IPlugAU::GetParameterList(AudioUnitScope scope, UInt32* dataSize, void* data)
{
  if (scope != kAudioUnitScope_Global)
  {
    *dataSize = 0;
    return noErr;
  }
  const UInt32 size = static_cast<UInt32>(NParams()) * sizeof(AudioUnitParameterID);
  if (data)
  {
    if (*dataSize < size)
      return kAudioUnitErr_InvalidPropertyValue;
    for (int i = 0; i < NParams(); ++i)
    {
      const auto paramID = static_cast<AudioUnitParameterID>(i);
      std::memcpy(static_cast<AudioUnitParameterID*>(data) + i, &paramID, sizeof(paramID));
    }
  }
  *dataSize = size;
  return noErr;
}

OSStatus IPlugAU::GetParameterInfo(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize, void* data)
{
  if (scope != kAudioUnitScope_Global)
    return kAudioUnitErr_InvalidProperty;
  if (element >= static_cast<UInt32>(NParams()))
    return kAudioUnitErr_InvalidElement;
  return Reply<AudioUnitParameterInfo>(dataSize, data, [&] {
    AudioUnitParameterInfo info = {};
    FillParameterInfo(static_cast<int>(element), info);
    return info;
  });
}

void IPlugAU::FillParameterInfo(int paramIdx, AudioUnitParameterInfo& info)
{
  const IParam& param = *GetParam(paramIdx);
  info.flags = ParamFlags(param);
  CopyPresetName(info.name, sizeof(info.name), param.GetName());
  info.cfNameString = NewCFString(param.GetName());

  if (param.Type() == IParam::kTypeInt || param.Type() == IParam::kTypeEnum)
    info.unit = kAudioUnitParameterUnit_Indexed;
  else if (param.Type() == IParam::kTypeBool)
    info.unit = kAudioUnitParameterUnit_Boolean;
  else if (param.Unit() != IParam::kUnitCustom)
    info.unit = kAUUnits[param.Unit()];
  else if (param.GetLabel()[0])
  {
    info.unit = kAudioUnitParameterUnit_CustomUnit;
    info.unitName = NewCFString(param.GetLabel());
  }
  else
    info.unit = kAudioUnitParameterUnit_Generic;

  info.minValue = static_cast<AudioUnitParameterValue>(param.GetMin());
  info.maxValue = static_cast<AudioUnitParameterValue>(param.GetMax());
  info.defaultValue = static_cast<AudioUnitParameterValue>(param.GetDefault());

  if (param.GetGroup()[0])
  {
    info.flags |= kAudioUnitParameterFlag_HasClump;
    info.clumpID = static_cast<UInt32>(ClumpID(param.GetGroup()));
  }
}

int IPlugAU::ClumpID(const char* groupName)
{
  for (int i = NParamGroups() - 1; i >= 0; --i)
    if (std::strcmp(GetParamGroupName(i), groupName) == 0)
      return i + 1;
  return AddParamGroup(groupName);
}

OSStatus IPlugAU::GetElementCount(AudioUnitScope scope, UInt32* dataSize, void* data)
{
  return Reply<UInt32>(dataSize, data, [this, scope] {
    switch (scope)
    {
    case kAudioUnitScope_Global: return 1u;
    case kAudioUnitScope_Input: return static_cast<UInt32>(mInBuses.GetSize());
    case kAudioUnitScope_Output: return static_cast<UInt32>(mOutBuses.GetSize());
    default: return 0u;
    }
  });
}

OSStatus IPlugAU::GetParameterValueStrings(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize,
                                           void* data)
{
  if (scope != kAudioUnitScope_Global)
    return kAudioUnitErr_InvalidProperty;
  if (element >= static_cast<UInt32>(NParams()))
    return kAudioUnitErr_InvalidElement;
  const IParam& param = *GetParam(static_cast<int>(element));
  if (param.NDisplayTexts() == 0)
  {
    *dataSize = 0;
    return kAudioUnitErr_InvalidProperty;
  }
  return ReplyNew<CFArrayRef>(dataSize, data, [&param]() -> CFArrayRef {
    const int count = param.NDisplayTexts();
    CFMutableArrayRef texts = CFArrayCreateMutable(kCFAllocatorDefault, count, &kCFTypeArrayCallBacks);
    if (!texts)
      return nullptr;
    for (int i = 0; i < count; ++i)
    {
      CFStringRef text = NewCFString(param.GetDisplayText(static_cast<double>(i)));
      if (text)
      {
        CFArrayAppendValue(texts, text);
        CFRelease(text);
      }
    }
    return texts;
  });
}

OSStatus IPlugAU::GetTailTime(AudioUnitScope scope, UInt32* dataSize, Boolean* writable, void* data)
{
  if (scope != kAudioUnitScope_Global)
    return kAudioUnitErr_InvalidProperty;
  *writable = GetTailSize() > 0;
  return Reply<Float64>(dataSize, data, [this] { return GetTailSize() / GetSampleRate(); });
}

OSStatus IPlugAU::GetFactoryPresets(UInt32* dataSize, void* data)
{
  return ReplyNew<CFArrayRef>(dataSize, data, [this]() -> CFArrayRef {
    CFArrayCallBacks callBacks;
    CFAUPresetArrayCallBacks_Init(&callBacks);
    CFMutableArrayRef presets = CFArrayCreateMutable(kCFAllocatorDefault, NPresets(), &callBacks);
    if (!presets)
      return nullptr;
    for (int i = 0; i < NPresets(); ++i)
    {
      CFStringRef name = NewCFString(GetPresetName(i));
      CFAUPresetRef preset = CFAUPresetCreate(kCFAllocatorDefault, i, name);
      if (name)
        CFRelease(name);
      if (!preset)
        continue;
      CFArrayAppendValue(presets, preset);
      CFAUPresetRelease(preset);
    }
    return presets;
  });
}

OSStatus IPlugAU::GetCurrentPreset(UInt32* dataSize, Boolean* writable, void* data)
{
  *writable = true;
  if (data)
  {
    if (*dataSize < sizeof(AUPreset))
      return kAudioUnitErr_InvalidPropertyValue;
    const AUPreset preset = {GetCurrentPresetIdx(), NewCFString(GetPresetName(GetCurrentPresetIdx()))};
    if (!preset.presetName)
      return coreFoundationUnknownErr;
    std::memcpy(data, &preset, sizeof(preset));
  }
  *dataSize = sizeof(AUPreset);
  return noErr;
}

OSStatus IPlugAU::GetElementName(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize, void* data)
{
  if (!data)
  {
    *dataSize = sizeof(CFStringRef);
    return kAudioUnitErr_InvalidProperty;
  }
  if (scope != kAudioUnitScope_Input && scope != kAudioUnitScope_Output)
    return kAudioUnitErr_InvalidScope;
  const ERoute route = scope == kAudioUnitScope_Input ? kInput : kOutput;
  const int nBuses = MaxNBuses(route);
  if (element >= static_cast<UInt32>(nBuses))
    return kAudioUnitErr_InvalidElement;
  return ReplyNew<CFStringRef>(dataSize, data, [&] {
    WDL_String name;
    GetBusName(route, static_cast<int>(element), nBuses, name);
    return NewCFString(name.Get());
  });
}

OSStatus IPlugAU::GetCocoaUI(UInt32* dataSize, void* data)
{
  if (!HasUI() || mViewFactoryClassName.GetLength() == 0)
    return kAudioUnitErr_InvalidProperty;
  if (!data)
  {
    *dataSize = sizeof(AudioUnitCocoaViewInfo);
    return noErr;
  }
  if (*dataSize < sizeof(AudioUnitCocoaViewInfo))
    return kAudioUnitErr_InvalidPropertyValue;
  CFStringRef bundleID = NewCFString(GetBundleID());
  CFBundleRef bundle = bundleID ? CFBundleGetBundleWithIdentifier(bundleID) : nullptr;
  if (bundleID)
    CFRelease(bundleID);
  if (!bundle)
    return kAudioUnitErr_InvalidProperty;
  AudioUnitCocoaViewInfo info = {CFBundleCopyBundleURL(bundle), {NewCFString(mViewFactoryClassName.Get())}};
  if (!info.mCocoaAUViewBundleLocation || !info.mCocoaAUViewClass[0])
  {
    if (info.mCocoaAUViewBundleLocation)
      CFRelease(info.mCocoaAUViewBundleLocation);
    if (info.mCocoaAUViewClass[0])
      CFRelease(info.mCocoaAUViewClass[0]);
    return coreFoundationUnknownErr;
  }
  std::memcpy(data, &info, sizeof(info));
  *dataSize = sizeof(info);
  return noErr;
}

OSStatus IPlugAU::GetParameterStringFromValue(AudioUnitScope scope, UInt32* dataSize, void* data)
{
  return ReplyToRecord<AudioUnitParameterStringFromValue>(scope, dataSize, data, [&](AudioUnitParameterStringFromValue& record) -> OSStatus {
    const IParam* param = GetParam(static_cast<int>(record.inParamID));
    if (!param)
      return kAudioUnitErr_InvalidParameter;
    const double value = record.inValue ? *record.inValue : param->Value();
    param->GetDisplay(value, false, mParamDisplayStr, true);
    record.outString = NewCFString(mParamDisplayStr.Get());
    if (!record.outString)
      return coreFoundationUnknownErr;
    return noErr;
  });
}

OSStatus IPlugAU::GetParameterIDName(AudioUnitScope scope, UInt32* dataSize, void* data)
{
  return ReplyToRecord<AudioUnitParameterIDName>(scope, dataSize, data, [&](AudioUnitParameterIDName& record) -> OSStatus {
    const IParam* param = GetParam(static_cast<int>(record.inID));
    if (!param)
      return kAudioUnitErr_InvalidParameter;
    if (record.inDesiredLength < kAudioUnitParameterName_Full)
      return kAudioUnitErr_InvalidPropertyValue;
    char name[kParamNameSize];
    CopyPresetName(name, sizeof(name), param->GetName());
    if (record.inDesiredLength != kAudioUnitParameterName_Full)
      CutAfterCharacters(name, std::min<int>(record.inDesiredLength, kParamNameSize - 1));
    record.outName = NewCFString(name);
    if (!record.outName)
      return coreFoundationUnknownErr;
    return noErr;
  });
}

OSStatus IPlugAU::GetParameterClumpName(AudioUnitScope scope, UInt32* dataSize, void* data)
{
  return ReplyToRecord<AudioUnitParameterNameInfo>(scope, dataSize, data, [&](AudioUnitParameterNameInfo& record) -> OSStatus {
    const auto clumpID = static_cast<SInt32>(record.inID);
    if (clumpID <= 0 || clumpID > NParamGroups())
      return kAudioUnitErr_PropertyNotInUse;
    record.outName = NewCFString(GetParamGroupName(clumpID - 1));
    if (!record.outName)
      return coreFoundationUnknownErr;
    return noErr;
  });
}

OSStatus IPlugAU::GetParameterValueFromString(AudioUnitScope scope, UInt32* dataSize, void* data)
{
  return ReplyToRecord<AudioUnitParameterValueFromString>(scope, dataSize, data, [&](AudioUnitParameterValueFromString& record) -> OSStatus {
    const IParam* param = GetParam(static_cast<int>(record.inParamID));
    if (!param)
      return kAudioUnitErr_InvalidParameter;
    if (!record.inString || CFGetTypeID(record.inString) != CFStringGetTypeID())
      return kAudioUnitErr_InvalidPropertyValue;
    record.outValue = static_cast<AudioUnitParameterValue>(param->StringToValue(CFStringToUtf8(record.inString).Get()));
    return noErr;
  });
}

// Set handlers.

OSStatus IPlugAU::SetClassInfo(const void* data, UInt32 dataSize)
{
  CFPropertyListRef plist = nullptr;
  if (!ReadRecord(data, dataSize, plist))
    return kAudioUnitErr_InvalidPropertyValue;
  return SetState(plist);
}

OSStatus IPlugAU::SetSampleRateProperty(const void* data, UInt32 dataSize)
{
  Float64 sampleRate = 0.0;
  if (!ReadRecord(data, dataSize, sampleRate) || !std::isfinite(sampleRate) || sampleRate <= 0.0)
    return kAudioUnitErr_InvalidPropertyValue;
  SetSampleRate(sampleRate);
  RequestReset();
  return noErr;
}

OSStatus IPlugAU::SetBypass(AudioUnitScope scope, const void* data, UInt32 dataSize)
{
  if (scope != kAudioUnitScope_Global)
    return kAudioUnitErr_InvalidProperty;
  UInt32 bypass = 0;
  if (!ReadRecord(data, dataSize, bypass))
    return kAudioUnitErr_InvalidPropertyValue;
  SetBypassed(bypass != 0);
  RequestActivate(bypass == 0);
  RequestReset();
  return noErr;
}

OSStatus IPlugAU::SetContextName(const void* data, UInt32 dataSize)
{
  CFStringRef name = nullptr;
  if (!ReadRecord(data, dataSize, name))
    return kAudioUnitErr_InvalidPropertyValue;
  if (!name || CFGetTypeID(name) != CFStringGetTypeID())
    return noErr;
  const WDL_String text = CFStringToUtf8(name);
  if (text.GetLength() > 0 || CFStringGetLength(name) == 0)
    mTrackName.Set(text.Get());
  return noErr;
}

OSStatus IPlugAU::SetHostCallbacks(AudioUnitScope scope, const void* data, UInt32 dataSize)
{
  if (scope != kAudioUnitScope_Global)
    return kAudioUnitErr_InvalidProperty;
  if (!data)
    return kAudioUnitErr_InvalidPropertyValue;
  // Hosts built against older headers pass the record without its last callbacks; those stay null.
  HostCallbackInfo callbacks = {};
  std::memcpy(&callbacks, data, std::min<std::size_t>(dataSize, sizeof(callbacks)));
  const RenderGate::Reconfiguration reconfiguration(mRenderGate);
  mHostCallbacks = callbacks;
  return noErr;
}

OSStatus IPlugAU::SetCurrentPreset(const void* data, UInt32 dataSize)
{
  AUPreset preset = {};
  if (!ReadRecord(data, dataSize, preset))
    return kAudioUnitErr_InvalidPropertyValue;
  if (!RestorePreset(static_cast<int>(preset.presetNumber)))
    return kAudioUnitErr_InvalidPropertyValue;
  return noErr;
}

OSStatus IPlugAU::SetOfflineRender(const void* data, UInt32 dataSize)
{
  UInt32 offline = 0;
  if (!ReadRecord(data, dataSize, offline))
    return kAudioUnitErr_InvalidPropertyValue;
  SetRenderingOffline(offline != 0);
  return noErr;
}

OSStatus IPlugAU::SetHostIdentifier(const void* data, UInt32 dataSize)
{
  AUHostIdentifier host = {};
  if (!ReadRecord(data, dataSize, host))
    return kAudioUnitErr_InvalidPropertyValue;
  if (GetHost() != kHostUninit)
    return noErr;
  const WDL_String name = CFStringToUtf8(host.hostName);
  const AUNumVersion& version = host.hostVersion;
  SetHost(host.hostName ? name.Get() : nullptr,
          version.majorRev << 16 | (version.minorAndBugRev & 0xF0) << 4 | (version.minorAndBugRev & 0x0F));
  return noErr;
}

OSStatus IPlugAU::SetMIDIOutputCallback(const void* data, UInt32 dataSize)
{
  AUMIDIOutputCallbackStruct callback = {};
  if (!ReadRecord(data, dataSize, callback))
    return kAudioUnitErr_InvalidPropertyValue;
  const RenderGate::Reconfiguration reconfiguration(mRenderGate);
  mMidiCallback = callback;
  return noErr;
}

// State.

OSStatus IPlugAU::GetState(CFPropertyListRef* ppPropList)
{
  if (!ppPropList)
    return kAudio_ParamError;
  CFMutableDictionaryRef dict =
    CFDictionaryCreateMutable(kCFAllocatorDefault, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
  if (!dict)
    return coreFoundationUnknownErr;
  PutNumberInDict(dict, kAUPresetVersionKey, GetPluginVersion(false));
  PutNumberInDict(dict, kAUPresetTypeKey, static_cast<SInt32>(GetAUPluginType()));
  PutNumberInDict(dict, kAUPresetSubtypeKey, GetUniqueID());
  PutNumberInDict(dict, kAUPresetManufacturerKey, GetMfrID());
  PutStrInDict(dict, kAUPresetNameKey, GetPresetName(GetCurrentPresetIdx()));
  IByteChunk state;
  if (SerializeState(state))
    PutDataInDict(dict, kAUPresetDataKey, state);
  *ppPropList = dict;
  return noErr;
}

OSStatus IPlugAU::SetState(CFPropertyListRef pPropList)
{
  char presetName[kPresetNameSize];
  IByteChunk state;
  if (!ValidateClassInfo(pPropList, presetName, kPresetNameSize, state))
    return kAudioUnitErr_InvalidPropertyValue;

  // The name selects a preset only when this plug-in has one of that name; a saved session of a plug-in
  // without presets must still restore.
  if (presetName[0])
  {
    for (int i = 0; i < NPresets(); ++i)
    {
      if (std::strcmp(GetPresetName(i), presetName) != 0)
        continue;
      if (!RestorePreset(i))
        return kAudioUnitErr_InvalidPropertyValue;
      break;
    }
  }

  if (UnserializeState(state, 0) <= 0)
    return kAudioUnitErr_InvalidPropertyValue;
  OnRestoreState();
  return noErr;
}

bool IPlugAU::ValidateClassInfo(CFPropertyListRef pPropList, char* presetName, int presetNameSize,
                                IByteChunk& state) const
{
  if (!pPropList || CFGetTypeID(pPropList) != CFDictionaryGetTypeID())
    return false;
  const auto dict = static_cast<CFDictionaryRef>(pPropList);
  SInt32 version = 0, type = 0, subtype = 0, manufacturer = 0;
  if (!GetInt32FromDict(dict, kAUPresetVersionKey, version) || !GetInt32FromDict(dict, kAUPresetTypeKey, type) ||
      !GetInt32FromDict(dict, kAUPresetSubtypeKey, subtype) ||
      !GetInt32FromDict(dict, kAUPresetManufacturerKey, manufacturer) ||
      !GetStrFromDict(dict, kAUPresetNameKey, presetName, presetNameSize))
    return false;
  if (type != static_cast<SInt32>(GetAUPluginType()) || subtype != GetUniqueID() || manufacturer != GetMfrID())
    return false;
  return GetDataFromDict(dict, kAUPresetDataKey, state) && IsStateSize(state.Size());
}

bool IPlugAU::IsStateSize(int size) const
{
  // An opaque chunk can only be judged by the product's reader; a parameter list has one fixed length.
  if (DoesStateChunks())
    return size > 0;
  IByteChunk current;
  return SerializeState(current) && current.Size() == size;
}
} // namespace iplug
