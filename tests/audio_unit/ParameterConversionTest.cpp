// Conversions between values and texts, parameter names and value strings, including bad records.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace au_test;

namespace
{
std::string StringFromValue(AudioUnit unit, AudioUnitParameterID id, const float* value, OSStatus* status = nullptr)
{
  AudioUnitParameterStringFromValue record = {id, value, nullptr};
  const OSStatus result = GetProp(unit, kAudioUnitProperty_ParameterStringFromValue, kAudioUnitScope_Global, 0, record);
  if (status)
    *status = result;
  CFOwned<CFStringRef> text(record.outString);
  return record.outString ? Utf8(record.outString) : "";
}

float ValueFromString(AudioUnit unit, AudioUnitParameterID id, const char* text, OSStatus* status = nullptr)
{
  CFOwned<CFStringRef> input(NewString(text));
  AudioUnitParameterValueFromString record = {id, input, -1.f};
  const OSStatus result = GetProp(unit, kAudioUnitProperty_ParameterValueFromString, kAudioUnitScope_Global, 0, record);
  if (status)
    *status = result;
  return record.outValue;
}

std::string IDName(AudioUnit unit, AudioUnitParameterID id, SInt32 length, OSStatus* status = nullptr,
                   AudioUnitScope scope = kAudioUnitScope_Global)
{
  AudioUnitParameterIDName record = {id, length, nullptr};
  const OSStatus result = GetProp(unit, kAudioUnitProperty_ParameterIDName, scope, 0, record);
  if (status)
    *status = result;
  CFOwned<CFStringRef> name(record.outName);
  return record.outName ? Utf8(record.outName) : "<none>";
}
} // namespace

TEST(ParameterConversion, ValuesBecomeDisplayTexts)
{
  Unit unit;
  const float bypassed = 0.f;
  const float quarter = 0.25f;
  EXPECT_EQ(StringFromValue(unit, 0, &bypassed), "Bypassed");
  EXPECT_EQ(StringFromValue(unit, 1, &quarter), "0.25");
  EXPECT_EQ(StringFromValue(unit, 0, nullptr), "Ducking");
}

TEST(ParameterConversion, TextsBecomeValues)
{
  Unit unit;
  EXPECT_EQ(ValueFromString(unit, 0, "Bypassed"), 0.f);
  EXPECT_EQ(ValueFromString(unit, 0, "Ducking"), 1.f);
  EXPECT_FLOAT_EQ(ValueFromString(unit, 2, "0.3"), 0.3f);
  EXPECT_EQ(ValueFromString(unit, 4, "7"), 1.f);
}

TEST(ParameterConversion, IDNameIsCutToTheDesiredLength)
{
  Unit unit;
  EXPECT_EQ(IDName(unit, 3, kAudioUnitParameterName_Full), "Duration");
  EXPECT_EQ(IDName(unit, 3, 5), "Durat");
  EXPECT_EQ(IDName(unit, 3, 0), "");
  EXPECT_EQ(IDName(unit, 3, 100), "Duration");
}

TEST(ParameterConversion, RecordsOutsideGlobalScopeAreLeftUnfilled)
{
  Unit unit;
  OSStatus status = -1;
  EXPECT_EQ(IDName(unit, 3, -1, &status, kAudioUnitScope_Input), "<none>");
  EXPECT_EQ(status, noErr);
}

TEST(ParameterConversion, BadRecordsGetAClearStatus)
{
  Unit unit;
  OSStatus status = noErr;
  const float value = 0.5f;
  StringFromValue(unit, 5, &value, &status);
  EXPECT_EQ(status, kAudioUnitErr_InvalidParameter);
  ValueFromString(unit, 99, "1", &status);
  EXPECT_EQ(status, kAudioUnitErr_InvalidParameter);
  IDName(unit, 0xFFFFFFFF, -1, &status);
  EXPECT_EQ(status, kAudioUnitErr_InvalidParameter);
  IDName(unit, 1, -2, &status);
  EXPECT_EQ(status, kAudioUnitErr_InvalidPropertyValue);

  AudioUnitParameterValueFromString notAString = {0, reinterpret_cast<CFStringRef>(kCFBooleanTrue), 0.f};
  EXPECT_EQ(GetProp(unit, kAudioUnitProperty_ParameterValueFromString, kAudioUnitScope_Global, 0, notAString),
            kAudioUnitErr_InvalidPropertyValue);

  AudioUnitParameterIDName record = {0, -1, nullptr};
  UInt32 shortSize = 8;
  EXPECT_EQ(AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterIDName, kAudioUnitScope_Global, 0, &record, &shortSize),
            kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(record.outName, nullptr);
}

TEST(ParameterConversion, ValueStringsListTheDisplayTexts)
{
  Unit unit;
  CFArrayRef texts = nullptr;
  ASSERT_EQ(GetProp(unit, kAudioUnitProperty_ParameterValueStrings, kAudioUnitScope_Global, 0, texts), noErr);
  CFOwned<CFArrayRef> owned(texts);
  ASSERT_EQ(CFArrayGetCount(texts), 2);
  EXPECT_EQ(Utf8(CFArrayGetValueAtIndex(texts, 0)), "Bypassed");
  EXPECT_EQ(Utf8(CFArrayGetValueAtIndex(texts, 1)), "Ducking");
}
