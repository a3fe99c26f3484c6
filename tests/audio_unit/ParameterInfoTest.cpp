// Parameter descriptions as hosts read them: flags, units, ranges, names, display curves and clumps.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace au_test;

namespace
{
// One parameter's description; the strings it carries are released with it.
struct ParamInfo
{
  OSStatus status = noErr;
  AudioUnitParameterInfo info = {};
  std::string cfName;
  std::string unitName;

  ParamInfo(AudioUnit unit, AudioUnitElement paramID)
  {
    status = GetProp(unit, kAudioUnitProperty_ParameterInfo, kAudioUnitScope_Global, paramID, info);
    CFOwned<CFStringRef> name(info.cfNameString);
    CFOwned<CFStringRef> unitText(info.unitName);
    cfName = info.cfNameString ? Utf8(info.cfNameString) : "";
    unitName = info.unitName ? Utf8(info.unitName) : "";
  }
};

constexpr UInt32 kReadWriteNamed = 0xC8800010;
constexpr UInt32 kNonRealTime = kAudioUnitParameterFlag_NonRealTime;
constexpr UInt32 kMeta = kAudioUnitParameterFlag_IsElementMeta;
constexpr UInt32 kStrings = kAudioUnitParameterFlag_ValuesHaveStrings;
constexpr UInt32 kClump = kAudioUnitParameterFlag_HasClump;

std::string ClumpName(AudioUnit unit, UInt32 clumpID, OSStatus* status = nullptr)
{
  AudioUnitParameterNameInfo record = {clumpID, kAudioUnitParameterName_Full, nullptr};
  const OSStatus result = GetProp(unit, kAudioUnitProperty_ParameterClumpName, kAudioUnitScope_Global, 0, record);
  if (status)
    *status = result;
  CFOwned<CFStringRef> name(record.outName);
  return record.outName ? Utf8(record.outName) : "";
}
} // namespace

TEST(ParameterInfo, TidewellDuckIsAnIndexedSwitchWithTexts)
{
  Unit unit;
  const ParamInfo duck(unit, 0);
  ASSERT_EQ(duck.status, noErr);
  EXPECT_STREQ(duck.info.name, "Duck");
  EXPECT_EQ(duck.cfName, "Duck");
  EXPECT_EQ(duck.info.flags, kReadWriteNamed | kStrings);
  EXPECT_EQ(duck.info.unit, kAudioUnitParameterUnit_Indexed);
  EXPECT_EQ(duck.info.minValue, 0.f);
  EXPECT_EQ(duck.info.maxValue, 1.f);
  EXPECT_EQ(duck.info.defaultValue, 1.f);
}

TEST(ParameterInfo, TidewellSettingsAreNonRealTimeInTheirOwnUnits)
{
  Unit unit;
  const char* names[] = {"Period", "Random", "Duration", "Depth"};
  const float defaults[] = {0.5f, 0.5f, 0.5f, 1.f};
  for (int i = 0; i < 4; ++i)
  {
    const ParamInfo param(unit, static_cast<AudioUnitElement>(i + 1));
    ASSERT_EQ(param.status, noErr);
    EXPECT_STREQ(param.info.name, names[i]);
    EXPECT_EQ(param.info.flags, kReadWriteNamed | kNonRealTime);
    EXPECT_EQ(param.info.unit, kAudioUnitParameterUnit_CustomUnit);
    EXPECT_EQ(param.unitName, names[i]);
    EXPECT_EQ(param.info.defaultValue, defaults[i]);
    EXPECT_EQ(param.info.clumpID, 0u);
  }
}

TEST(ParameterInfo, UnitsDisplayCurvesAndMetaFlags)
{
  Unit unit(kTestPlug);
  struct Expected
  {
    AudioUnitParameterUnit unit;
    UInt32 flags;
  };
  const Expected expected[] = {
    {kAudioUnitParameterUnit_Decibels, kReadWriteNamed | kClump},
    {kAudioUnitParameterUnit_Hertz, kReadWriteNamed | kClump | kAudioUnitParameterFlag_DisplayLogarithmic},
    {kAudioUnitParameterUnit_Indexed, kReadWriteNamed | kMeta | kStrings | kClump},
    {kAudioUnitParameterUnit_Boolean, kReadWriteNamed | kMeta | kNonRealTime | kStrings},
    {kAudioUnitParameterUnit_Indexed, kReadWriteNamed | kNonRealTime},
    {kAudioUnitParameterUnit_Generic, kReadWriteNamed | kAudioUnitParameterFlag_DisplaySquareRoot},
    {kAudioUnitParameterUnit_Milliseconds, kReadWriteNamed},
  };
  for (AudioUnitElement id = 0; id < 7; ++id)
  {
    const ParamInfo param(unit, id);
    ASSERT_EQ(param.status, noErr) << id;
    EXPECT_EQ(param.info.unit, expected[id].unit) << id;
    EXPECT_EQ(param.info.flags, expected[id].flags) << id;
  }
}

TEST(ParameterInfo, GroupsBecomeNumberedClumps)
{
  Unit unit(kTestPlug);
  EXPECT_EQ(ParamInfo(unit, 0).info.clumpID, 1u);
  EXPECT_EQ(ParamInfo(unit, 1).info.clumpID, 2u);
  EXPECT_EQ(ParamInfo(unit, 2).info.clumpID, 1u);
  EXPECT_EQ(ClumpName(unit, 1), "Main");
  EXPECT_EQ(ClumpName(unit, 2), "Filter");

  OSStatus status = noErr;
  ClumpName(unit, 0, &status);
  EXPECT_EQ(status, kAudioUnitErr_PropertyNotInUse);
  ClumpName(unit, 3, &status);
  EXPECT_EQ(status, kAudioUnitErr_PropertyNotInUse);
}
