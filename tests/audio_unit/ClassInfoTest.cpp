// Saving and restoring a unit through the ClassInfo dictionary, and every way a dictionary is refused.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace au_test;

namespace
{
const std::vector<float> kDefaults = {1.f, 0.5f, 0.5f, 0.5f, 1.f};

// The unit's ClassInfo dictionary, copied into one the test may edit (caller owns).
CFMutableDictionaryRef SaveState(AudioUnit unit)
{
  CFPropertyListRef plist = nullptr;
  EXPECT_EQ(GetProp(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, plist), noErr);
  CFOwned<CFPropertyListRef> saved(plist);
  const auto dict = static_cast<CFDictionaryRef>(plist);
  std::vector<const void*> keys(static_cast<std::size_t>(CFDictionaryGetCount(dict)));
  std::vector<const void*> values(keys.size());
  CFDictionaryGetKeysAndValues(dict, keys.data(), values.data());
  CFMutableDictionaryRef copy =
    CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
  for (std::size_t i = 0; i < keys.size(); ++i)
    CFDictionarySetValue(copy, keys[i], values[i]);
  return copy;
}

OSStatus RestoreState(AudioUnit unit, CFPropertyListRef plist)
{
  return SetProp(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, plist);
}

void SetValue(CFMutableDictionaryRef dict, const char* key, CFTypeRef value)
{
  CFOwned<CFStringRef> keyString(NewString(key));
  CFDictionarySetValue(dict, keyString, value);
  CFRelease(value);
}

void SetNumber(CFMutableDictionaryRef dict, const char* key, SInt32 value)
{
  SetValue(dict, key, CFNumberCreate(nullptr, kCFNumberSInt32Type, &value));
}

void SetData(CFMutableDictionaryRef dict, const std::vector<double>& values, int extraBytes = 0)
{
  std::vector<UInt8> bytes(values.size() * sizeof(double) + static_cast<std::size_t>(std::max(extraBytes, 0)));
  if (!values.empty())
    std::memcpy(bytes.data(), values.data(), values.size() * sizeof(double));
  const auto length = static_cast<CFIndex>(bytes.size()) + std::min(extraBytes, 0);
  SetValue(dict, "data", CFDataCreate(nullptr, bytes.data(), length));
}

void RemoveKey(CFMutableDictionaryRef dict, const char* key)
{
  CFOwned<CFStringRef> keyString(NewString(key));
  CFDictionaryRemoveValue(dict, keyString);
}

const std::vector<double> kOtherValues = {0.0, 0.25, 0.75, 0.1, 0.6};
} // namespace

TEST(ClassInfo, SavesIdentityNameAndFortyLittleEndianBytes)
{
  Unit unit;
  ASSERT_EQ(AudioUnitSetParameter(unit, 2, kAudioUnitScope_Global, 0, 0.25f, 0), noErr);
  CFOwned<CFMutableDictionaryRef> dict(SaveState(unit));
  ASSERT_NE(dict.get(), nullptr);

  const auto number = [&](const char* key) {
    CFOwned<CFStringRef> keyString(NewString(key));
    SInt32 value = 0;
    CFNumberGetValue(static_cast<CFNumberRef>(CFDictionaryGetValue(dict, keyString)), kCFNumberSInt32Type, &value);
    return value;
  };
  EXPECT_EQ(number("version"), 0x00010102);
  EXPECT_EQ(number("type"), static_cast<SInt32>(FourCC("aufx")));
  EXPECT_EQ(number("subtype"), static_cast<SInt32>(FourCC("xhm2")));
  EXPECT_EQ(number("manufacturer"), static_cast<SInt32>(FourCC("Klvn")));

  CFOwned<CFStringRef> nameKey(NewString("name"));
  EXPECT_EQ(Utf8(CFDictionaryGetValue(dict, nameKey)), "");

  CFOwned<CFStringRef> dataKey(NewString("data"));
  const auto data = static_cast<CFDataRef>(CFDictionaryGetValue(dict, dataKey));
  ASSERT_EQ(CFDataGetLength(data), 40);
  const UInt8* bytes = CFDataGetBytePtr(data);
  const UInt8 quarterLittleEndian[8] = {0, 0, 0, 0, 0, 0, 0xD0, 0x3F};
  EXPECT_EQ(std::memcmp(bytes + 16, quarterLittleEndian, 8), 0);
  double duck = 0.0;
  std::memcpy(&duck, bytes, 8);
  EXPECT_EQ(duck, 1.0);
}

TEST(ClassInfo, RoundTripRestoresEveryParameter)
{
  Unit unit;
  CFOwned<CFMutableDictionaryRef> dict(SaveState(unit));
  SetData(dict, kOtherValues);
  ASSERT_EQ(RestoreState(unit, dict), noErr);
  EXPECT_EQ(Params(unit, kTidewellParams), (std::vector<float>{0.f, 0.25f, 0.75f, 0.1f, 0.6f}));

  Unit other;
  CFOwned<CFMutableDictionaryRef> saved(SaveState(unit));
  ASSERT_EQ(RestoreState(other, saved), noErr);
  EXPECT_EQ(Params(other, kTidewellParams), Params(unit, kTidewellParams));
}

TEST(ClassInfo, RestoresWhenTheNameMatchesNoPreset)
{
  Unit unit;
  CFOwned<CFMutableDictionaryRef> dict(SaveState(unit));
  SetData(dict, kOtherValues);
  SetValue(dict, "name", NewString("My favourite setting"));
  EXPECT_EQ(RestoreState(unit, dict), noErr);
  SetValue(dict, "name", NewString(std::string(200, 'x').c_str()));
  EXPECT_EQ(RestoreState(unit, dict), noErr);
  EXPECT_EQ(Params(unit, kTidewellParams), (std::vector<float>{0.f, 0.25f, 0.75f, 0.1f, 0.6f}));
}

TEST(ClassInfo, IgnoresTheSavedVersion)
{
  Unit unit;
  CFOwned<CFMutableDictionaryRef> dict(SaveState(unit));
  SetData(dict, kOtherValues);
  SetNumber(dict, "version", 0x00090000);
  EXPECT_EQ(RestoreState(unit, dict), noErr);
}

TEST(ClassInfo, NameSelectsAPresetOfThatName)
{
  Unit unit(kTestPlug);
  CFOwned<CFMutableDictionaryRef> dict(SaveState(unit));
  SetValue(dict, "name", NewString("Second"));
  ASSERT_EQ(RestoreState(unit, dict), noErr);
  AUPreset preset = {};
  ASSERT_EQ(GetProp(unit, kAudioUnitProperty_PresentPreset, kAudioUnitScope_Global, 0, preset), noErr);
  CFOwned<CFStringRef> name(preset.presetName);
  EXPECT_EQ(preset.presetNumber, 1);
  EXPECT_EQ(Utf8(name), "Second");
}

TEST(ClassInfo, AnotherPlugInsDictionaryChangesNoPreset)
{
  Unit unit(kTestPlug);
  CFOwned<CFMutableDictionaryRef> dict(SaveState(unit));
  SetValue(dict, "name", NewString("Second"));
  SetNumber(dict, "subtype", static_cast<SInt32>(FourCC("tplh")));
  EXPECT_EQ(RestoreState(unit, dict), kAudioUnitErr_InvalidPropertyValue);
  AUPreset preset = {};
  ASSERT_EQ(GetProp(unit, kAudioUnitProperty_PresentPreset, kAudioUnitScope_Global, 0, preset), noErr);
  CFOwned<CFStringRef> name(preset.presetName);
  EXPECT_EQ(preset.presetNumber, 0);
  EXPECT_EQ(Utf8(name), "First");
}

// Each edit makes a dictionary the unit must refuse without touching a single parameter.
struct Rejection
{
  const char* what;
  std::function<void(CFMutableDictionaryRef)> edit;
};

TEST(ClassInfo, RefusedDictionariesLeaveParametersAsTheyWere)
{
  const Rejection rejections[] = {
    {"no version", [](CFMutableDictionaryRef d) { RemoveKey(d, "version"); }},
    {"no type", [](CFMutableDictionaryRef d) { RemoveKey(d, "type"); }},
    {"no subtype", [](CFMutableDictionaryRef d) { RemoveKey(d, "subtype"); }},
    {"no manufacturer", [](CFMutableDictionaryRef d) { RemoveKey(d, "manufacturer"); }},
    {"no name", [](CFMutableDictionaryRef d) { RemoveKey(d, "name"); }},
    {"no data", [](CFMutableDictionaryRef d) { RemoveKey(d, "data"); }},
    {"another subtype", [](CFMutableDictionaryRef d) { SetNumber(d, "subtype", static_cast<SInt32>(FourCC("xhm3"))); }},
    {"another manufacturer", [](CFMutableDictionaryRef d) { SetNumber(d, "manufacturer", 1); }},
    {"another type", [](CFMutableDictionaryRef d) { SetNumber(d, "type", static_cast<SInt32>(FourCC("aumf"))); }},
    {"version as text", [](CFMutableDictionaryRef d) { SetValue(d, "version", NewString("1.1.2")); }},
    {"type as text", [](CFMutableDictionaryRef d) { SetValue(d, "type", NewString("aufx")); }},
    {"fractional subtype",
     [](CFMutableDictionaryRef d) {
       const double subtype = FourCC("xhm2") + 0.5;
       SetValue(d, "subtype", CFNumberCreate(nullptr, kCFNumberFloat64Type, &subtype));
     }},
    {"name as number", [](CFMutableDictionaryRef d) { SetNumber(d, "name", 3); }},
    {"data as text", [](CFMutableDictionaryRef d) { SetValue(d, "data", NewString("AAAA")); }},
    {"data one byte short", [](CFMutableDictionaryRef d) { SetData(d, kOtherValues, -1); }},
    {"data one byte long", [](CFMutableDictionaryRef d) { SetData(d, kOtherValues, 1); }},
    {"three values", [](CFMutableDictionaryRef d) { SetData(d, {0.0, 0.25, 0.75}); }},
    {"empty data", [](CFMutableDictionaryRef d) { SetData(d, {}); }},
  };
  Unit unit;
  for (const Rejection& rejection : rejections)
  {
    CFOwned<CFMutableDictionaryRef> dict(SaveState(unit));
    SetData(dict, kOtherValues);
    rejection.edit(dict);
    EXPECT_EQ(RestoreState(unit, dict), kAudioUnitErr_InvalidPropertyValue) << rejection.what;
    EXPECT_EQ(Params(unit, kTidewellParams), kDefaults) << rejection.what;
  }
}

TEST(ClassInfo, RefusesWhatIsNotADictionary)
{
  Unit unit;
  CFOwned<CFStringRef> text(NewString("state"));
  CFOwned<CFArrayRef> array(CFArrayCreate(nullptr, nullptr, 0, &kCFTypeArrayCallBacks));
  EXPECT_EQ(RestoreState(unit, text.get()), kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(RestoreState(unit, array.get()), kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(RestoreState(unit, nullptr), kAudioUnitErr_InvalidPropertyValue);
  CFPropertyListRef plist = text.get();
  EXPECT_EQ(AudioUnitSetProperty(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, &plist, 4),
            kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(Params(unit, kTidewellParams), kDefaults);
}
