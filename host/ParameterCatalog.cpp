#include "ParameterCatalog.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <strings.h>
#include <utility>

#include "CFRef.h"
#include "CFStringUtf8.h"
#include "HostComponent.h"
#include "StatusText.h"

namespace
{
  constexpr std::array<std::pair<AudioUnitParameterUnit, const char*>, 27> kUnitWords = {{
    {kAudioUnitParameterUnit_Generic, "generic"},
    {kAudioUnitParameterUnit_Indexed, "indexed"},
    {kAudioUnitParameterUnit_Boolean, "on/off"},
    {kAudioUnitParameterUnit_Percent, "percent"},
    {kAudioUnitParameterUnit_Seconds, "seconds"},
    {kAudioUnitParameterUnit_SampleFrames, "samples"},
    {kAudioUnitParameterUnit_Phase, "phase"},
    {kAudioUnitParameterUnit_Rate, "rate"},
    {kAudioUnitParameterUnit_Hertz, "Hz"},
    {kAudioUnitParameterUnit_Cents, "cents"},
    {kAudioUnitParameterUnit_RelativeSemiTones, "semitones"},
    {kAudioUnitParameterUnit_MIDINoteNumber, "MIDI note"},
    {kAudioUnitParameterUnit_MIDIController, "MIDI controller"},
    {kAudioUnitParameterUnit_Decibels, "dB"},
    {kAudioUnitParameterUnit_LinearGain, "linear gain"},
    {kAudioUnitParameterUnit_Degrees, "degrees"},
    {kAudioUnitParameterUnit_EqualPowerCrossfade, "equal-power crossfade"},
    {kAudioUnitParameterUnit_MixerFaderCurve1, "fader"},
    {kAudioUnitParameterUnit_Pan, "pan"},
    {kAudioUnitParameterUnit_Meters, "meters"},
    {kAudioUnitParameterUnit_AbsoluteCents, "absolute cents"},
    {kAudioUnitParameterUnit_Octaves, "octaves"},
    {kAudioUnitParameterUnit_BPM, "BPM"},
    {kAudioUnitParameterUnit_Beats, "beats"},
    {kAudioUnitParameterUnit_Milliseconds, "ms"},
    {kAudioUnitParameterUnit_Ratio, "ratio"},
    {kAudioUnitParameterUnit_CustomUnit, "custom"},
  }};

  std::vector<std::string> ReadValueTexts(const HostComponent& unit, AudioUnitParameterID id)
  {
    std::vector<std::string> texts;
    CFArrayRef array = nullptr;
    if (unit.Get(kAudioUnitProperty_ParameterValueStrings, kAudioUnitScope_Global, id, array) != noErr || !array)
      return texts;
    CFRef<CFArrayRef> owned(array);
    if (CFGetTypeID(array) != CFArrayGetTypeID())
      return texts;
    for (CFIndex i = 0; i < CFArrayGetCount(array); ++i)
      texts.push_back(iplug::CFStringUtf8(static_cast<CFStringRef>(CFArrayGetValueAtIndex(array, i))));
    return texts;
  }
}

bool ParameterDescription::Stepped() const
{
  return unit == kAudioUnitParameterUnit_Indexed || unit == kAudioUnitParameterUnit_Boolean;
}

std::string ParameterDescription::UnitText() const
{
  if (unit == kAudioUnitParameterUnit_CustomUnit && !customUnit.empty())
    return customUnit;
  for (const auto& [code, word] : kUnitWords)
  {
    if (code == unit)
      return word;
  }
  return "unit " + std::to_string(unit);
}

bool ParameterCatalog::Describe(const HostComponent& unit, AudioUnitParameterID id, ParameterDescription& description)
{
  AudioUnitParameterInfo info{};
  if (unit.Get(kAudioUnitProperty_ParameterInfo, kAudioUnitScope_Global, id, info) != noErr)
    return false;
  CFRef<CFStringRef> cfName((info.flags & kAudioUnitParameterFlag_CFNameRelease) ? info.cfNameString : nullptr);
  CFRef<CFStringRef> unitName(info.unit == kAudioUnitParameterUnit_CustomUnit ? info.unitName : nullptr);

  description = ParameterDescription{};
  description.id = id;
  const bool hasCFName = (info.flags & kAudioUnitParameterFlag_HasCFNameString) && info.cfNameString;
  description.name = hasCFName ? iplug::CFStringUtf8(info.cfNameString) : std::string(info.name, strnlen(info.name, sizeof(info.name)));
  description.unit = info.unit;
  description.customUnit = iplug::CFStringUtf8(unitName.Get());
  description.minValue = info.minValue;
  description.maxValue = info.maxValue;
  description.defaultValue = info.defaultValue;
  description.flags = info.flags;
  if (info.flags & kAudioUnitParameterFlag_ValuesHaveStrings)
    description.valueTexts = ReadValueTexts(unit, id);
  return true;
}

bool ParameterCatalog::Read(const HostComponent& unit, std::string& error)
{
  mParameters.clear();
  UInt32 size = 0;
  OSStatus status = AudioUnitGetPropertyInfo(unit.Unit(), kAudioUnitProperty_ParameterList, kAudioUnitScope_Global, 0, &size, nullptr);
  if (status != noErr)
  {
    error = "the component publishes no parameter list: " + StatusText(status);
    return false;
  }
  std::vector<AudioUnitParameterID> ids(size / sizeof(AudioUnitParameterID));
  size = static_cast<UInt32>(ids.size() * sizeof(AudioUnitParameterID));
  status = ids.empty() ? noErr : AudioUnitGetProperty(unit.Unit(), kAudioUnitProperty_ParameterList, kAudioUnitScope_Global, 0, ids.data(), &size);
  if (status != noErr)
  {
    error = "the component's parameter list cannot be read: " + StatusText(status);
    return false;
  }
  for (AudioUnitParameterID id : ids)
  {
    ParameterDescription description;
    if (!Describe(unit, id, description))
    {
      error = "the component does not describe its parameter " + std::to_string(id);
      return false;
    }
    mParameters.push_back(std::move(description));
  }
  return true;
}

const ParameterDescription* ParameterCatalog::Find(const std::string& name) const
{
  const auto found = std::find_if(mParameters.begin(), mParameters.end(),
                                  [&](const ParameterDescription& parameter) { return strcasecmp(parameter.name.c_str(), name.c_str()) == 0; });
  return found == mParameters.end() ? nullptr : &*found;
}

std::string ParameterCatalog::Names() const
{
  std::string names;
  for (const ParameterDescription& parameter : mParameters)
    names += (names.empty() ? "" : ", ") + parameter.name;
  return names;
}

bool ParameterCatalog::TextForValue(const HostComponent& unit, AudioUnitParameterID id, AudioUnitParameterValue value, std::string& text)
{
  AudioUnitParameterStringFromValue request{id, &value, nullptr};
  if (unit.Get(kAudioUnitProperty_ParameterStringFromValue, kAudioUnitScope_Global, 0, request) != noErr || !request.outString)
    return false;
  CFRef<CFStringRef> owned(request.outString);
  text = iplug::CFStringUtf8(request.outString);
  return true;
}

bool ParameterCatalog::ValueForText(const HostComponent& unit, AudioUnitParameterID id, const std::string& text, AudioUnitParameterValue& value)
{
  CFRef<CFStringRef> string = MakeCFString(text);
  if (!string)
    return false;
  AudioUnitParameterValueFromString request{id, string.Get(), 0.f};
  if (unit.Get(kAudioUnitProperty_ParameterValueFromString, kAudioUnitScope_Global, 0, request) != noErr)
    return false;
  value = request.outValue;
  return true;
}
