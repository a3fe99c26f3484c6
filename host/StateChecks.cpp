#include "StateChecks.h"

#include <vector>

#include "CFStringUtf8.h"
#include "StatusText.h"
#include "ValidationContext.h"

namespace
{
  constexpr int kRounds = 20;

  std::vector<AudioUnitParameterValue> Values(const ValidationContext& context, const HostComponent& unit)
  {
    std::vector<AudioUnitParameterValue> values;
    for (const ParameterDescription& parameter : context.parameters.All())
    {
      AudioUnitParameterValue value = NAN;
      unit.GetParameter(parameter.id, value);
      values.push_back(value);
    }
    return values;
  }

  void Randomise(ValidationContext& context, HostComponent& unit)
  {
    for (const ParameterDescription& parameter : context.parameters.All())
      unit.SetParameter(parameter.id, context.RandomValue(parameter));
  }

  // The XML bytes of a saved state; empty when the unit gives none.
  std::vector<UInt8> SavedBytes(const HostComponent& unit, CFRef<CFPropertyListRef>& state)
  {
    if (unit.SaveState(state) != noErr || !state)
      return {};
    CFRef<CFDataRef> data(CFPropertyListCreateData(nullptr, state.Get(), kCFPropertyListXMLFormat_v1_0, 0, nullptr));
    if (!data)
      return {};
    const UInt8* bytes = CFDataGetBytePtr(data.Get());
    return std::vector<UInt8>(bytes, bytes + CFDataGetLength(data.Get()));
  }

  SInt32 NumberFor(CFDictionaryRef dictionary, const char* key)
  {
    SInt32 value = 0;
    CFRef<CFStringRef> name = MakeCFString(key);
    const auto number = static_cast<CFNumberRef>(CFDictionaryGetValue(dictionary, name.Get()));
    if (!number || CFGetTypeID(number) != CFNumberGetTypeID() || !CFNumberGetValue(number, kCFNumberSInt32Type, &value))
      return 0;
    return value;
  }

  void CheckDictionary(ValidationContext& context, const HostComponent& unit)
  {
    CFRef<CFPropertyListRef> state;
    const OSStatus status = unit.SaveState(state);
    const auto dictionary = static_cast<CFDictionaryRef>(state.Get());
    const bool isDictionary = status == noErr && dictionary && CFGetTypeID(dictionary) == CFDictionaryGetTypeID();
    if (!context.report.Check(isDictionary, "ClassInfo is a dictionary", StatusText(status)))
      return;
    const AudioComponentDescription& wanted = context.wanted;
    UInt32 version = 0;
    AudioComponentGetVersion(unit.Component(), &version);
    CFRef<CFStringRef> nameKey = MakeCFString(kAUPresetNameKey);
    CFRef<CFStringRef> dataKey = MakeCFString(kAUPresetDataKey);
    const auto name = static_cast<CFStringRef>(CFDictionaryGetValue(dictionary, nameKey.Get()));
    const auto data = static_cast<CFDataRef>(CFDictionaryGetValue(dictionary, dataKey.Get()));
    const bool identity = static_cast<OSType>(NumberFor(dictionary, kAUPresetTypeKey)) == wanted.componentType
                          && static_cast<OSType>(NumberFor(dictionary, kAUPresetSubtypeKey)) == wanted.componentSubType
                          && static_cast<OSType>(NumberFor(dictionary, kAUPresetManufacturerKey)) == wanted.componentManufacturer
                          && static_cast<UInt32>(NumberFor(dictionary, kAUPresetVersionKey)) == version;
    const bool typed = name && CFGetTypeID(name) == CFStringGetTypeID() && data && CFGetTypeID(data) == CFDataGetTypeID();
    context.report.Check(identity && typed, "ClassInfo keys: version, type, subtype, manufacturer, name, data",
                         Format("version 0x%08X, name \"%s\", %ld data bytes", static_cast<UInt32>(NumberFor(dictionary, kAUPresetVersionKey)),
                                iplug::CFStringUtf8(name).c_str(), static_cast<long>(CFDataGetLength(data))));
  }

  void CheckRoundTrips(ValidationContext& context, HostComponent& unit)
  {
    int restored = 0;
    int identical = 0;
    int intoFresh = 0;
    for (int round = 0; round < kRounds; ++round)
    {
      Randomise(context, unit);
      const std::vector<AudioUnitParameterValue> saved = Values(context, unit);
      CFRef<CFPropertyListRef> state;
      const std::vector<UInt8> bytes = SavedBytes(unit, state);
      Randomise(context, unit);
      if (bytes.empty() || unit.RestoreState(state.Get()) != noErr)
        continue;
      restored += Values(context, unit) == saved;
      CFRef<CFPropertyListRef> again;
      identical += SavedBytes(unit, again) == bytes;
      if (std::unique_ptr<HostComponent> fresh = context.Open("a restore into a fresh instance"))
        intoFresh += fresh->RestoreState(state.Get()) == noErr && Values(context, *fresh) == saved;
    }
    context.report.Check(restored == kRounds, "save -> randomise -> restore gives the saved values", Format("%d of %d rounds", restored, kRounds));
    context.report.Check(identical == kRounds, "re-saving a restored state gives identical bytes", Format("%d of %d rounds", identical, kRounds));
    context.report.Check(intoFresh == kRounds, "a saved state restores into a fresh instance", Format("%d of %d rounds", intoFresh, kRounds));
  }

  // A copy of the unit's state with one key replaced by a number, or removed when value is null.
  CFRef<CFPropertyListRef> AlteredState(const HostComponent& unit, const char* key, const SInt32* value)
  {
    CFRef<CFPropertyListRef> state;
    unit.SaveState(state);
    const auto source = static_cast<CFDictionaryRef>(state.Get());
    CFMutableDictionaryRef copy = CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
    CFRef<CFPropertyListRef> result(copy);
    std::vector<const void*> keys(static_cast<std::size_t>(CFDictionaryGetCount(source)));
    std::vector<const void*> values(keys.size());
    CFDictionaryGetKeysAndValues(source, keys.data(), values.data());
    for (std::size_t i = 0; i < keys.size(); ++i)
      CFDictionarySetValue(copy, keys[i], values[i]);
    CFRef<CFStringRef> name = MakeCFString(key);
    if (value)
    {
      CFRef<CFNumberRef> number(CFNumberCreate(nullptr, kCFNumberSInt32Type, value));
      CFDictionarySetValue(copy, name.Get(), number.Get());
    }
    else
    {
      CFDictionaryRemoveValue(copy, name.Get());
    }
    return result;
  }

  void CheckForeignState(ValidationContext& context, HostComponent& unit)
  {
    const SInt32 otherSubtype = 0x6F746872; // 'othr'
    const struct
    {
      const char* name;
      const char* key;
      const SInt32* value;
      bool keepsValues; // refused before anything is applied
    } cases[] = {
      {"the state of another component is refused", kAUPresetSubtypeKey, &otherSubtype, true},
      {"a state without data is refused", kAUPresetDataKey, nullptr, false},
    };
    for (const auto& altered : cases)
    {
      Randomise(context, unit);
      const std::vector<AudioUnitParameterValue> before = Values(context, unit);
      CFRef<CFPropertyListRef> state = AlteredState(unit, altered.key, altered.value);
      const OSStatus status = unit.RestoreState(state.Get());
      const bool unchanged = Values(context, unit) == before;
      context.report.Check(status != noErr && (unchanged || !altered.keepsValues), altered.name,
                           StatusText(status) + (unchanged ? ", parameters unchanged" : ", parameters changed"));
    }
  }
}

void StateChecks::Run(ValidationContext& context)
{
  context.report.Section("state");
  std::unique_ptr<HostComponent> unit = context.Open("the state checks");
  if (!unit)
    return;
  CheckDictionary(context, *unit);
  CheckRoundTrips(context, *unit);
  CheckForeignState(context, *unit);
}
