#include "PropertyChecks.h"

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "CFStringUtf8.h"
#include "StatusText.h"
#include "StreamSetup.h"
#include "ValidationContext.h"

namespace
{
  constexpr AudioUnitPropertyID kLastSweptID = 63;
  constexpr AudioUnitPropertyID kUnknownID = 0x7FFF0001;
  // Bytes after the reported size that a get must leave alone.
  constexpr std::size_t kGuardBytes = 64;
  constexpr unsigned char kGuardByte = 0xA5;
  constexpr std::array<AudioUnitScope, 3> kScopes = {kAudioUnitScope_Global, kAudioUnitScope_Input, kAudioUnitScope_Output};

  const char* PropertyName(AudioUnitPropertyID id)
  {
    switch (id)
    {
      case kAudioUnitProperty_ClassInfo: return "ClassInfo";
      case kAudioUnitProperty_MakeConnection: return "MakeConnection";
      case kAudioUnitProperty_SampleRate: return "SampleRate";
      case kAudioUnitProperty_ParameterList: return "ParameterList";
      case kAudioUnitProperty_ParameterInfo: return "ParameterInfo";
      case kAudioUnitProperty_FastDispatch: return "FastDispatch";
      case kAudioUnitProperty_CPULoad: return "CPULoad";
      case kAudioUnitProperty_StreamFormat: return "StreamFormat";
      case kAudioUnitProperty_ElementCount: return "ElementCount";
      case kAudioUnitProperty_Latency: return "Latency";
      case kAudioUnitProperty_SupportedNumChannels: return "SupportedNumChannels";
      case kAudioUnitProperty_MaximumFramesPerSlice: return "MaximumFramesPerSlice";
      case kAudioUnitProperty_ParameterValueStrings: return "ParameterValueStrings";
      case kAudioUnitProperty_AudioChannelLayout: return "AudioChannelLayout";
      case kAudioUnitProperty_TailTime: return "TailTime";
      case kAudioUnitProperty_BypassEffect: return "BypassEffect";
      case kAudioUnitProperty_LastRenderError: return "LastRenderError";
      case kAudioUnitProperty_SetRenderCallback: return "SetRenderCallback";
      case kAudioUnitProperty_FactoryPresets: return "FactoryPresets";
      case kAudioUnitProperty_ContextName: return "ContextName";
      case kAudioUnitProperty_RenderQuality: return "RenderQuality";
      case kAudioUnitProperty_HostCallbacks: return "HostCallbacks";
      case kAudioUnitProperty_CurrentPreset: return "CurrentPreset";
      case kAudioUnitProperty_InPlaceProcessing: return "InPlaceProcessing";
      case kAudioUnitProperty_ElementName: return "ElementName";
      case kAudioUnitProperty_CocoaUI: return "CocoaUI";
      case kAudioUnitProperty_SupportedChannelLayoutTags: return "SupportedChannelLayoutTags";
      case kAudioUnitProperty_ParameterStringFromValue: return "ParameterStringFromValue";
      case kAudioUnitProperty_ParameterIDName: return "ParameterIDName";
      case kAudioUnitProperty_ParameterClumpName: return "ParameterClumpName";
      case kAudioUnitProperty_PresentPreset: return "PresentPreset";
      case kAudioUnitProperty_OfflineRender: return "OfflineRender";
      case kAudioUnitProperty_ParameterValueFromString: return "ParameterValueFromString";
      case kAudioUnitProperty_AUHostIdentifier: return "AUHostIdentifier";
      case kAudioUnitProperty_MIDIOutputCallbackInfo: return "MIDIOutputCallbackInfo";
      case kAudioUnitProperty_MIDIOutputCallback: return "MIDIOutputCallback";
      case kAudioUnitProperty_SupportsMPE: return "SupportsMPE";
      case kMusicDeviceProperty_InstrumentCount: return "InstrumentCount";
      default: return "property";
    }
  }

  const char* ScopeName(AudioUnitScope scope)
  {
    return scope == kAudioUnitScope_Global ? "global" : scope == kAudioUnitScope_Input ? "input" : "output";
  }

  // One property in one scope, asked in both forms.
  struct Probe
  {
    OSStatus infoStatus = noErr;
    UInt32 infoSize = 0;
    Boolean writable = false;
    OSStatus getStatus = noErr;
    UInt32 getSize = 0;
    bool guardIntact = true;
    bool objectsValid = true;
  };

  template <class T>
  T ReadAt(const std::vector<unsigned char>& bytes, std::size_t offset)
  {
    T value{};
    if (offset + sizeof(T) <= bytes.size())
      std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
  }

  template <class T>
  void WriteAt(std::vector<unsigned char>& bytes, std::size_t offset, const T& value)
  {
    if (offset + sizeof(T) <= bytes.size())
      std::memcpy(bytes.data() + offset, &value, sizeof(T));
  }

  // Takes over an object a get handed out: true when it is null (nothing handed out) or of the
  // expected type; released either way.
  bool AdoptObject(CFTypeRef object, CFTypeID expected, bool required)
  {
    if (!object)
      return !required;
    const bool valid = CFGetTypeID(object) == expected;
    CFRelease(object);
    return valid;
  }

  // Fills the input half of the records whose get takes one, so the get has something to convert.
  void PrepareRequest(AudioUnitPropertyID id, std::vector<unsigned char>& bytes, const AudioUnitParameterValue& value, CFStringRef text)
  {
    switch (id)
    {
      case kAudioUnitProperty_ParameterStringFromValue: WriteAt(bytes, 0, AudioUnitParameterStringFromValue{0, &value, nullptr}); break;
      case kAudioUnitProperty_ParameterIDName: WriteAt(bytes, 0, AudioUnitParameterNameInfo{0, kAudioUnitParameterName_Full, nullptr}); break;
      case kAudioUnitProperty_ParameterClumpName: WriteAt(bytes, 0, AudioUnitParameterNameInfo{kAudioUnitClumpID_System, kAudioUnitParameterName_Full, nullptr}); break;
      case kAudioUnitProperty_ParameterValueFromString: WriteAt(bytes, 0, AudioUnitParameterValueFromString{0, text, 0.f}); break;
      default: break;
    }
  }

  // Releases what a successful get handed over and checks its types.
  bool AdoptResult(AudioUnitPropertyID id, const std::vector<unsigned char>& bytes)
  {
    switch (id)
    {
      case kAudioUnitProperty_ClassInfo: return AdoptObject(ReadAt<CFTypeRef>(bytes, 0), CFDictionaryGetTypeID(), true);
      case kAudioUnitProperty_ParameterValueStrings:
      case kAudioUnitProperty_FactoryPresets:
      case kAudioUnitProperty_MIDIOutputCallbackInfo: return AdoptObject(ReadAt<CFTypeRef>(bytes, 0), CFArrayGetTypeID(), true);
      case kAudioUnitProperty_ElementName: return AdoptObject(ReadAt<CFTypeRef>(bytes, 0), CFStringGetTypeID(), true);
      case kAudioUnitProperty_CocoaUI:
      {
        const bool url = AdoptObject(ReadAt<CFTypeRef>(bytes, 0), CFURLGetTypeID(), true);
        return AdoptObject(ReadAt<CFTypeRef>(bytes, sizeof(CFURLRef)), CFStringGetTypeID(), true) && url;
      }
      case kAudioUnitProperty_CurrentPreset:
      case kAudioUnitProperty_PresentPreset: return AdoptObject(ReadAt<AUPreset>(bytes, 0).presetName, CFStringGetTypeID(), false);
      case kAudioUnitProperty_ParameterInfo:
      {
        const auto info = ReadAt<AudioUnitParameterInfo>(bytes, 0);
        bool valid = true;
        if (info.flags & kAudioUnitParameterFlag_CFNameRelease)
          valid = AdoptObject(info.cfNameString, CFStringGetTypeID(), false);
        if (info.unit == kAudioUnitParameterUnit_CustomUnit)
          valid = AdoptObject(info.unitName, CFStringGetTypeID(), false) && valid;
        return valid;
      }
      case kAudioUnitProperty_ParameterStringFromValue: return AdoptObject(ReadAt<AudioUnitParameterStringFromValue>(bytes, 0).outString, CFStringGetTypeID(), false);
      case kAudioUnitProperty_ParameterIDName:
      case kAudioUnitProperty_ParameterClumpName: return AdoptObject(ReadAt<AudioUnitParameterNameInfo>(bytes, 0).outName, CFStringGetTypeID(), false);
      default: return true;
    }
  }

  Probe Ask(const HostComponent& unit, AudioUnitPropertyID id, AudioUnitScope scope)
  {
    Probe probe;
    probe.infoStatus = AudioUnitGetPropertyInfo(unit.Unit(), id, scope, 0, &probe.infoSize, &probe.writable);

    std::vector<unsigned char> bytes(probe.infoSize + kGuardBytes, kGuardByte);
    const AudioUnitParameterValue value = 0.f;
    CFRef<CFStringRef> text = MakeCFString("0");
    PrepareRequest(id, bytes, value, text.Get());
    const std::vector<unsigned char> before = bytes;
    probe.getSize = probe.infoSize;
    probe.getStatus = AudioUnitGetProperty(unit.Unit(), id, scope, 0, bytes.data(), &probe.getSize);
    probe.guardIntact = std::equal(bytes.begin() + probe.infoSize, bytes.end(), before.begin() + probe.infoSize);
    if (probe.getStatus == noErr && probe.getSize <= probe.infoSize)
      probe.objectsValid = AdoptResult(id, bytes);
    return probe;
  }

  std::string Describe(AudioUnitScope scope, const Probe& probe)
  {
    std::string text = std::string(ScopeName(scope)) + ": ";
    if (probe.infoStatus == noErr)
      text += Format("%u bytes%s", probe.infoSize, probe.writable ? " writable" : "");
    else
      text += "info " + std::to_string(probe.infoStatus);
    text += probe.getStatus == noErr ? ", get ok" : ", get " + std::to_string(probe.getStatus);
    return text;
  }

  // Every ID from 0 to kLastSweptID and the instrument count, in the three scopes, in both forms.
  void Sweep(ValidationContext& context, const HostComponent& unit)
  {
    std::vector<AudioUnitPropertyID> ids;
    for (AudioUnitPropertyID id = 0; id <= kLastSweptID; ++id)
      ids.push_back(id);
    ids.push_back(kMusicDeviceProperty_InstrumentCount);

    int silent = 0;
    for (AudioUnitPropertyID id : ids)
    {
      bool answered = false;
      bool sound = true;
      std::string figures;
      for (AudioUnitScope scope : kScopes)
      {
        const Probe probe = Ask(unit, id, scope);
        answered = answered || probe.infoStatus == noErr || probe.getStatus == noErr;
        sound = sound && probe.guardIntact && probe.objectsValid && probe.getSize <= probe.infoSize;
        figures += (figures.empty() ? "" : "; ") + Describe(scope, probe);
        if (!probe.guardIntact || probe.getSize > probe.infoSize)
          figures += " WRITES PAST THE REPORTED SIZE";
        if (!probe.objectsValid)
          figures += " HANDS OUT AN OBJECT OF THE WRONG TYPE";
      }
      if (answered || !sound)
        context.report.Check(sound, Format("%s (%u)", PropertyName(id), id), figures);
      else
        ++silent;
    }
    context.report.Note(Format("%d more IDs answer neither form in any scope", silent));
  }

  void CheckUnknownProperty(ValidationContext& context, const HostComponent& unit)
  {
    UInt32 size = 0;
    const OSStatus infoStatus = AudioUnitGetPropertyInfo(unit.Unit(), kUnknownID, kAudioUnitScope_Global, 0, &size, nullptr);
    unsigned char data[16] = {};
    size = sizeof(data);
    const OSStatus getStatus = AudioUnitGetProperty(unit.Unit(), kUnknownID, kAudioUnitScope_Global, 0, data, &size);
    const OSStatus setStatus = AudioUnitSetProperty(unit.Unit(), kUnknownID, kAudioUnitScope_Global, 0, data, sizeof(data));
    context.report.Check(infoStatus != noErr && getStatus != noErr && setStatus != noErr, "an unknown property is refused",
                         Format("info %d, get %d, set %d", infoStatus, getStatus, setStatus));
  }

  void CheckStreamFormats(ValidationContext& context, const HostComponent& unit)
  {
    UInt32 counts[2] = {};
    const AudioUnitScope scopes[2] = {kAudioUnitScope_Input, kAudioUnitScope_Output};
    for (int i = 0; i < 2; ++i)
    {
      const OSStatus countStatus = unit.Get(kAudioUnitProperty_ElementCount, scopes[i], 0, counts[i]);
      AudioStreamBasicDescription format{};
      const OSStatus status = unit.Get(kAudioUnitProperty_StreamFormat, scopes[i], 0, format);
      const bool canonical = status == noErr && format.mFormatID == kAudioFormatLinearPCM && (format.mFormatFlags & kAudioFormatFlagIsFloat)
                             && (format.mFormatFlags & kAudioFormatFlagIsNonInterleaved) && format.mBitsPerChannel == 32
                             && format.mChannelsPerFrame > 0 && format.mSampleRate > 0.0;
      context.report.Check(countStatus == noErr && counts[i] >= 1 && canonical, std::string(ScopeName(scopes[i])) + " bus and its format",
                           Format("%u bus(es); %u ch at %.0f Hz, flags 0x%X, %u bits", counts[i], format.mChannelsPerFrame, format.mSampleRate,
                                  format.mFormatFlags, format.mBitsPerChannel));
      AudioStreamBasicDescription beyond{};
      const OSStatus beyondStatus = unit.Get(kAudioUnitProperty_StreamFormat, scopes[i], counts[i], beyond);
      context.report.Check(beyondStatus != noErr, std::string(ScopeName(scopes[i])) + " bus beyond the element count is refused",
                           Format("element %u: %s", counts[i], StatusText(beyondStatus).c_str()));
    }
    AudioStreamBasicDescription group{};
    const OSStatus groupStatus = unit.Get(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Group, 0, group);
    context.report.Check(groupStatus != noErr, "a stream format in the group scope is refused", StatusText(groupStatus));
  }

  void CheckScalars(ValidationContext& context, const HostComponent& unit)
  {
    Float64 latency = -1.0;
    Float64 tail = -1.0;
    UInt32 bypass = 99;
    OSStatus lastError = -1;
    const OSStatus latencyStatus = unit.Get(kAudioUnitProperty_Latency, kAudioUnitScope_Global, 0, latency);
    const OSStatus tailStatus = unit.Get(kAudioUnitProperty_TailTime, kAudioUnitScope_Global, 0, tail);
    const OSStatus bypassStatus = unit.Get(kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, bypass);
    const OSStatus lastErrorStatus = unit.Get(kAudioUnitProperty_LastRenderError, kAudioUnitScope_Global, 0, lastError);
    context.report.Check(latencyStatus == noErr && std::isfinite(latency) && latency >= 0.0, "latency", Format("%g s", latency));
    context.report.Check(tailStatus == noErr && std::isfinite(tail) && tail >= 0.0, "tail time", Format("%g s", tail));
    context.report.Check(bypassStatus == noErr && bypass == 0, "not bypassed when opened", Format("BypassEffect %u", bypass));
    context.report.Check(lastErrorStatus == noErr && lastError == noErr, "no render error before rendering", Format("LastRenderError %d", lastError));

    CFArrayRef presets = nullptr;
    const OSStatus presetsStatus = unit.Get(kAudioUnitProperty_FactoryPresets, kAudioUnitScope_Global, 0, presets);
    CFRef<CFArrayRef> owned(presets);
    std::string names;
    for (CFIndex i = 0; i < CFArrayGetCount(presets); ++i)
    {
      const auto* preset = static_cast<const AUPreset*>(CFArrayGetValueAtIndex(presets, i));
      names += Format("%s%d \"%s\"", names.empty() ? "" : ", ", preset ? preset->presetNumber : -1, preset ? iplug::CFStringUtf8(preset->presetName).c_str() : "");
    }
    context.report.Check(presetsStatus == noErr && presets && CFGetTypeID(presets) == CFArrayGetTypeID(), "factory presets",
                         names.empty() ? std::string("none") : names);
  }

  // Sets a writable property to a new value and reads it back.
  template <class T>
  void CheckRoundTrip(ValidationContext& context, HostComponent& unit, const char* name, AudioUnitPropertyID id, AudioUnitScope scope, const T& value,
                      bool (*same)(const T&, const T&))
  {
    const OSStatus setStatus = unit.Set(id, scope, 0, value);
    T readBack{};
    const OSStatus getStatus = unit.Get(id, scope, 0, readBack);
    context.report.Check(setStatus == noErr && getStatus == noErr && same(value, readBack), std::string(name) + " reads back what was set",
                         Format("set %s, get %s", StatusText(setStatus).c_str(), StatusText(getStatus).c_str()));
  }

  void CheckWritable(ValidationContext& context)
  {
    std::unique_ptr<HostComponent> unit = context.Open("the writable properties");
    if (!unit)
      return;
    CheckRoundTrip<Float64>(context, *unit, "SampleRate 96000 Hz", kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 96000.0,
                            [](const Float64& a, const Float64& b) { return a == b; });
    AudioStreamBasicDescription output{};
    unit->Get(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Output, 0, output);
    context.report.Check(output.mSampleRate == 96000.0, "the output format follows the sample rate", Format("%.0f Hz", output.mSampleRate));

    CheckRoundTrip<UInt32>(context, *unit, "MaximumFramesPerSlice 2048", kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 2048,
                           [](const UInt32& a, const UInt32& b) { return a == b; });
    StreamSetup setup;
    setup.sampleRate = 44100.0;
    for (UInt32 channels : {1u, 2u})
    {
      const auto same = [](const AudioStreamBasicDescription& a, const AudioStreamBasicDescription& b) {
        return a.mSampleRate == b.mSampleRate && a.mChannelsPerFrame == b.mChannelsPerFrame && a.mFormatID == b.mFormatID;
      };
      CheckRoundTrip<AudioStreamBasicDescription>(context, *unit, Format("input StreamFormat %u ch", channels).c_str(), kAudioUnitProperty_StreamFormat,
                                                  kAudioUnitScope_Input, setup.Format(channels), same);
      CheckRoundTrip<AudioStreamBasicDescription>(context, *unit, Format("output StreamFormat %u ch", channels).c_str(), kAudioUnitProperty_StreamFormat,
                                                  kAudioUnitScope_Output, setup.Format(channels), same);
    }
    CFRef<CFStringRef> track = MakeCFString("Validator track");
    const CFStringRef trackName = track.Get();
    const OSStatus contextStatus = unit->Set(kAudioUnitProperty_ContextName, kAudioUnitScope_Global, 0, trackName);
    context.report.Check(contextStatus == noErr, "ContextName is taken", StatusText(contextStatus));
  }
}

void PropertyChecks::Run(ValidationContext& context)
{
  context.report.Section("properties: every ID, info and get forms");
  std::unique_ptr<HostComponent> unit = context.Open("the property sweep");
  if (!unit)
    return;
  Sweep(context, *unit);
  CheckUnknownProperty(context, *unit);

  context.report.Section("properties a host relies on");
  CheckStreamFormats(context, *unit);
  CheckScalars(context, *unit);
  CheckWritable(context);
}
