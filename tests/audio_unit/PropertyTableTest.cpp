// Every row of the property table, in the info form and the get form, as a fresh Tidewell answers it.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace au_test;

namespace
{
constexpr AudioUnitScope kGlobal = kAudioUnitScope_Global;
constexpr AudioUnitScope kIn = kAudioUnitScope_Input;
constexpr AudioUnitScope kOut = kAudioUnitScope_Output;
constexpr AudioUnitScope kGroup = kAudioUnitScope_Group;
constexpr AudioUnitPropertyID kPlugInstance = static_cast<AudioUnitPropertyID>(-101);

struct InfoRow
{
  AudioUnitPropertyID id;
  AudioUnitScope scope;
  AudioUnitElement element;
  OSStatus status;
  UInt32 size;      // checked when status is noErr, or when the row says so
  bool writable;
};

constexpr UInt32 kNoSize = 0xDEAD; // the info call leaves the size alone

const InfoRow kInfoRows[] = {
  {kPlugInstance, kOut, 3, noErr, 8, false},
  {kAudioUnitProperty_ClassInfo, kGlobal, 0, noErr, 8, false},
  {kAudioUnitProperty_MakeConnection, kGlobal, 0, noErr, 16, true},
  {kAudioUnitProperty_MakeConnection, kIn, 0, noErr, 16, true},
  {kAudioUnitProperty_MakeConnection, kOut, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_SampleRate, kOut, 0, noErr, 8, true},
  {kAudioUnitProperty_ParameterList, kGlobal, 0, noErr, 4 * kTidewellParams, false},
  {kAudioUnitProperty_ParameterList, kIn, 0, noErr, 0, false},
  {kAudioUnitProperty_ParameterInfo, kGlobal, 4, noErr, 104, false},
  {kAudioUnitProperty_ParameterInfo, kGlobal, 5, kAudioUnitErr_InvalidElement, kNoSize, false},
  {kAudioUnitProperty_ParameterInfo, kIn, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_FastDispatch, kGlobal, kAudioUnitRenderSelect, kAudioUnitErr_InvalidElement, kNoSize, false},
  {kAudioUnitProperty_StreamFormat, kGlobal, 0, noErr, 40, true},
  {kAudioUnitProperty_StreamFormat, kIn, 0, noErr, 40, true},
  {kAudioUnitProperty_StreamFormat, kOut, 0, noErr, 40, true},
  {kAudioUnitProperty_StreamFormat, kIn, 1, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_StreamFormat, kGroup, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_ElementCount, kGroup, 0, noErr, 4, false},
  {kAudioUnitProperty_Latency, kGlobal, 0, noErr, 8, false},
  {kAudioUnitProperty_Latency, kIn, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_SupportedNumChannels, kGlobal, 0, noErr, 8, false},
  {kAudioUnitProperty_SupportedNumChannels, kOut, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_MaximumFramesPerSlice, kGlobal, 0, noErr, 4, true},
  {kAudioUnitProperty_MaximumFramesPerSlice, kOut, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_ParameterValueStrings, kGlobal, 0, noErr, 8, false},
  {kAudioUnitProperty_ParameterValueStrings, kGlobal, 1, kAudioUnitErr_InvalidProperty, 0, false},
  {kAudioUnitProperty_ParameterValueStrings, kGlobal, 5, kAudioUnitErr_InvalidElement, kNoSize, false},
  {kAudioUnitProperty_ParameterValueStrings, kIn, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_AudioChannelLayout, kOut, 0, kAudioUnitErr_InvalidPropertyValue, kNoSize, false},
  {kAudioUnitProperty_TailTime, kGlobal, 0, noErr, 8, false},
  {kAudioUnitProperty_TailTime, kIn, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_BypassEffect, kGlobal, 0, noErr, 4, true},
  {kAudioUnitProperty_BypassEffect, kOut, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_LastRenderError, kGlobal, 0, noErr, 4, false},
  {kAudioUnitProperty_SetRenderCallback, kGlobal, 0, noErr, 16, true},
  {kAudioUnitProperty_SetRenderCallback, kIn, 0, noErr, 16, true},
  {kAudioUnitProperty_SetRenderCallback, kIn, 1, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_SetRenderCallback, kOut, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_FactoryPresets, kOut, 0, noErr, 8, false},
  {kAudioUnitProperty_ContextName, kGlobal, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_HostCallbacks, kGlobal, 0, noErr, 40, true},
  {kAudioUnitProperty_HostCallbacks, kIn, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_CurrentPreset, kGlobal, 0, noErr, 16, true},
  {kAudioUnitProperty_PresentPreset, kOut, 0, noErr, 16, true},
  {kAudioUnitProperty_ElementName, kIn, 0, kAudioUnitErr_InvalidProperty, 8, false},
  {kAudioUnitProperty_CocoaUI, kGlobal, 0, noErr, 16, false},
  {kAudioUnitProperty_SupportedChannelLayoutTags, kIn, 0, noErr, 8, true},
  {kAudioUnitProperty_SupportedChannelLayoutTags, kGlobal, 0, noErr, 0, false},
  {kAudioUnitProperty_ParameterStringFromValue, kOut, 0, noErr, 24, false},
  {kAudioUnitProperty_ParameterIDName, kIn, 0, noErr, 16, false},
  {kAudioUnitProperty_ParameterClumpName, kGlobal, 0, noErr, 16, false},
  {kAudioUnitProperty_OfflineRender, kGlobal, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_ParameterValueFromString, kGlobal, 0, noErr, 24, false},
  {kAudioUnitProperty_AUHostIdentifier, kGlobal, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_MIDIOutputCallbackInfo, kGlobal, 0, noErr, 8, false},
  {kAudioUnitProperty_MIDIOutputCallback, kGlobal, 0, noErr, 16, true},
  {kAudioUnitProperty_SupportsMPE, kIn, 0, noErr, 4, false},
  {kMusicDeviceProperty_InstrumentCount, kGlobal, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_CPULoad, kGlobal, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_RenderQuality, kGlobal, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_InPlaceProcessing, kGlobal, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
  {kAudioUnitProperty_NickName, kGlobal, 0, kAudioUnitErr_InvalidProperty, kNoSize, false},
};

// A get-form call with a buffer larger than any property; the status, the size and the first bytes.
struct GetResult
{
  OSStatus status;
  UInt32 size;
  unsigned char bytes[64];

  template <class T>
  T As() const
  {
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
  }
};

GetResult Get(AudioUnit unit, AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element = 0)
{
  GetResult result = {};
  result.size = sizeof(result.bytes);
  result.status = AudioUnitGetProperty(unit, id, scope, element, result.bytes, &result.size);
  return result;
}
} // namespace

TEST(PropertyTable, InfoFormReportsSizeWritabilityAndStatus)
{
  Unit unit;
  ASSERT_EQ(unit.Status(), noErr);
  for (const InfoRow& row : kInfoRows)
  {
    const PropInfo info = Info(unit, row.id, row.scope, row.element);
    SCOPED_TRACE(testing::Message() << "property " << static_cast<SInt32>(row.id) << " scope " << row.scope
                                    << " element " << row.element);
    EXPECT_EQ(info.status, row.status);
    EXPECT_EQ(info.size, row.size);
    EXPECT_EQ(info.writable, row.writable);
  }
}

TEST(PropertyTable, GetFormOfValueProperties)
{
  Unit unit;
  EXPECT_EQ(Get(unit, kAudioUnitProperty_SampleRate, kIn).As<Float64>(), 48000.0);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_Latency, kGlobal).As<Float64>(), 0.0);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_TailTime, kGlobal).As<Float64>(), 0.0);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_MaximumFramesPerSlice, kGlobal).As<UInt32>(), kDefaultMaxFrames);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_BypassEffect, kGlobal).As<UInt32>(), 0u);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_LastRenderError, kGlobal).As<OSStatus>(), noErr);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_SupportsMPE, kGlobal).As<UInt32>(), 0u);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_ElementCount, kGlobal).As<UInt32>(), 1u);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_ElementCount, kIn).As<UInt32>(), 1u);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_ElementCount, kOut).As<UInt32>(), 1u);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_ElementCount, kGroup).As<UInt32>(), 0u);

  const GetResult ids = Get(unit, kAudioUnitProperty_ParameterList, kGlobal);
  ASSERT_EQ(ids.size, 4u * kTidewellParams);
  for (int i = 0; i < kTidewellParams; ++i)
  {
    AudioUnitParameterID id = 99;
    std::memcpy(&id, ids.bytes + 4 * i, 4);
    EXPECT_EQ(id, static_cast<AudioUnitParameterID>(i));
  }
  EXPECT_EQ(Get(unit, kAudioUnitProperty_ParameterList, kOut).size, 0u);
}

TEST(PropertyTable, GetFormOfPropertiesThatOnlyTakeValues)
{
  Unit unit;
  for (AudioUnitPropertyID id : {kAudioUnitProperty_MakeConnection, kAudioUnitProperty_SetRenderCallback,
                                 kAudioUnitProperty_HostCallbacks})
    EXPECT_EQ(Get(unit, id, kGlobal).status, noErr) << id;
  for (AudioUnitPropertyID id : {kAudioUnitProperty_MIDIOutputCallback, kAudioUnitProperty_ContextName,
                                 kAudioUnitProperty_OfflineRender, kAudioUnitProperty_AUHostIdentifier,
                                 kAudioUnitProperty_AudioChannelLayout, kAudioUnitProperty_InPlaceProcessing})
    EXPECT_NE(Get(unit, id, kGlobal).status, noErr) << id;
  EXPECT_EQ(Get(unit, kAudioUnitProperty_FastDispatch, kGlobal, kAudioUnitRenderSelect).status,
            kAudioUnitErr_InvalidElement);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_SupportedChannelLayoutTags, kGlobal).status, kAudioUnitErr_InvalidProperty);
}

TEST(PropertyTable, InstancePropertyIsTheSameObjectEveryTime)
{
  Unit unit;
  Unit other;
  const void* first = Get(unit, kPlugInstance, kGlobal).As<void*>();
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(Get(unit, kPlugInstance, kGroup, 9).As<void*>(), first);
  EXPECT_NE(Get(other, kPlugInstance, kGlobal).As<void*>(), first);
  EXPECT_EQ(AudioUnitSetProperty(unit, kPlugInstance, kGlobal, 0, &first, 8), kAudioUnitErr_InvalidProperty);
}

TEST(PropertyTable, ReadOnlyAndUnservedPropertiesRefuseSets)
{
  Unit unit;
  const unsigned char zeros[64] = {};
  for (AudioUnitPropertyID id : {kAudioUnitProperty_ParameterList, kAudioUnitProperty_Latency,
                                 kAudioUnitProperty_CPULoad, kAudioUnitProperty_RenderQuality,
                                 kAudioUnitProperty_InPlaceProcessing, kAudioUnitProperty_NickName,
                                 kAudioUnitProperty_FactoryPresets, kAudioUnitProperty_CocoaUI})
    EXPECT_EQ(AudioUnitSetProperty(unit, id, kGlobal, 0, zeros, sizeof(zeros)), kAudioUnitErr_InvalidProperty) << id;
}

TEST(PropertyTable, ShortBuffersAreRefusedUnread)
{
  Unit unit;
  Float64 rate = 0.0;
  UInt32 size = 4;
  EXPECT_EQ(AudioUnitGetProperty(unit, kAudioUnitProperty_SampleRate, kGlobal, 0, &rate, &size),
            kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(rate, 0.0);
  const Float64 newRate = 44100.0;
  EXPECT_EQ(AudioUnitSetProperty(unit, kAudioUnitProperty_SampleRate, kGlobal, 0, &newRate, 4),
            kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(AudioUnitSetProperty(unit, kAudioUnitProperty_SampleRate, kGlobal, 0, nullptr, 8),
            kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_SampleRate, kGlobal).As<Float64>(), 48000.0);
}

TEST(PropertyTable, SimpleSettersTakeEffect)
{
  Unit unit;
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_SampleRate, kGlobal, 0, Float64(44100.0)), noErr);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_SampleRate, kGlobal).As<Float64>(), 44100.0);
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_SampleRate, kGlobal, 0, Float64(0.0)), kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_BypassEffect, kGlobal, 0, UInt32(1)), noErr);
  EXPECT_EQ(Get(unit, kAudioUnitProperty_BypassEffect, kGlobal).As<UInt32>(), 1u);
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_BypassEffect, kIn, 0, UInt32(0)), kAudioUnitErr_InvalidProperty);
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_OfflineRender, kGlobal, 0, UInt32(1)), noErr);
  CFOwned<CFStringRef> track(NewString("Drums"));
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_ContextName, kGlobal, 0, track.get()), noErr);
  const AUHostIdentifier host = {track.get(), {0, 0, 0x21, 3}};
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_AUHostIdentifier, kGlobal, 0, host), noErr);
}
