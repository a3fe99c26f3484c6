// Stream formats, channel configurations, element names and counts, layout tags and the block size.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace au_test;

namespace
{
constexpr AudioUnitScope kIn = kAudioUnitScope_Input;
constexpr AudioUnitScope kOut = kAudioUnitScope_Output;

AudioStreamBasicDescription Format(AudioUnit unit, AudioUnitScope scope, AudioUnitElement element = 0)
{
  AudioStreamBasicDescription format = {};
  GetProp(unit, kAudioUnitProperty_StreamFormat, scope, element, format);
  return format;
}

OSStatus SetFormat(AudioUnit unit, AudioUnitScope scope, const AudioStreamBasicDescription& format,
                   AudioUnitElement element = 0)
{
  return SetProp(unit, kAudioUnitProperty_StreamFormat, scope, element, format);
}

std::vector<AudioChannelLayoutTag> LayoutTags(AudioUnit unit, AudioUnitScope scope, AudioUnitElement element)
{
  const PropInfo info = Info(unit, kAudioUnitProperty_SupportedChannelLayoutTags, scope, element);
  std::vector<AudioChannelLayoutTag> tags(info.size / 4);
  UInt32 size = info.size;
  AudioUnitGetProperty(unit, kAudioUnitProperty_SupportedChannelLayoutTags, scope, element, tags.data(), &size);
  return tags;
}

std::string ElementName(AudioUnit unit, AudioUnitScope scope, AudioUnitElement element)
{
  CFStringRef name = nullptr;
  GetProp(unit, kAudioUnitProperty_ElementName, scope, element, name);
  CFOwned<CFStringRef> owned(name);
  return name ? Utf8(name) : "<none>";
}

bool operator==(const AUChannelInfo& a, const AUChannelInfo& b)
{
  return a.inChannels == b.inChannels && a.outChannels == b.outChannels;
}
} // namespace

TEST(StreamFormat, DescribesEveryBusAsNonInterleavedFloat)
{
  Unit unit;
  const AudioStreamBasicDescription format = Format(unit, kOut);
  EXPECT_EQ(format.mSampleRate, 48000.0);
  EXPECT_EQ(format.mFormatID, kAudioFormatLinearPCM);
  EXPECT_EQ(format.mFormatFlags, 0x29u);
  EXPECT_EQ(format.mBytesPerPacket, 4u);
  EXPECT_EQ(format.mFramesPerPacket, 1u);
  EXPECT_EQ(format.mBytesPerFrame, 4u);
  EXPECT_EQ(format.mChannelsPerFrame, 2u);
  EXPECT_EQ(format.mBitsPerChannel, 32u);
  EXPECT_EQ(format.mReserved, 0u);
}

TEST(StreamFormat, AcceptedFormatsSetChannelsAndSampleRate)
{
  Unit unit;
  ASSERT_EQ(SetFormat(unit, kIn, FloatFormat(1, 44100.0)), noErr);
  EXPECT_EQ(Format(unit, kIn).mChannelsPerFrame, 1u);
  Float64 rate = 0.0;
  GetProp(unit, kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0, rate);
  EXPECT_EQ(rate, 44100.0);
  EXPECT_EQ(Format(unit, kOut).mSampleRate, 44100.0);
}

TEST(StreamFormat, RefusedFormatsLeaveTheBusDeclaredEmpty)
{
  Unit unit;
  AudioStreamBasicDescription integer = FloatFormat(2);
  integer.mFormatFlags = kAudioFormatFlagIsSignedInteger;
  AudioStreamBasicDescription other = FloatFormat(2);
  other.mFormatID = FourCC("aac ");
  for (const AudioStreamBasicDescription& format : {FloatFormat(0), FloatFormat(3), FloatFormat(129), integer, other})
  {
    EXPECT_EQ(SetFormat(unit, kIn, format), kAudioUnitErr_InvalidProperty) << format.mChannelsPerFrame;
    EXPECT_EQ(Format(unit, kIn).mChannelsPerFrame, 0u);
  }
  EXPECT_EQ(SetFormat(unit, kIn, FloatFormat(2), 1), kAudioUnitErr_InvalidProperty);
  EXPECT_EQ(SetFormat(unit, kAudioUnitScope_Group, FloatFormat(2)), kAudioUnitErr_InvalidProperty);
  EXPECT_EQ(AudioUnitSetProperty(unit, kAudioUnitProperty_StreamFormat, kIn, 0, nullptr, 40), kAudioUnitErr_InvalidPropertyValue);
}

TEST(StreamFormat, WhileActiveTheOtherSideMustMatchALayout)
{
  Unit unit;
  ASSERT_EQ(SetFormat(unit, kIn, FloatFormat(2)), noErr);
  ASSERT_EQ(AudioUnitInitialize(unit), noErr);
  EXPECT_EQ(SetFormat(unit, kOut, FloatFormat(1)), kAudioUnitErr_InvalidProperty);
  EXPECT_EQ(SetFormat(unit, kOut, FloatFormat(2)), noErr);
}

TEST(ChannelConfigurations, OnePairPerLayout)
{
  Unit tidewell;
  AUChannelInfo configs[4] = {};
  UInt32 size = sizeof(configs);
  ASSERT_EQ(AudioUnitGetProperty(tidewell, kAudioUnitProperty_SupportedNumChannels, kAudioUnitScope_Global, 0, configs, &size), noErr);
  ASSERT_EQ(size, 8u);
  EXPECT_TRUE((configs[0] == AUChannelInfo{1, 1}));
  EXPECT_TRUE((configs[1] == AUChannelInfo{2, 2}));

  Unit multiBus(kTestPlug);
  size = sizeof(configs);
  ASSERT_EQ(AudioUnitGetProperty(multiBus, kAudioUnitProperty_SupportedNumChannels, kAudioUnitScope_Global, 0, configs, &size), noErr);
  ASSERT_EQ(size, 8u);
  EXPECT_TRUE((configs[0] == AUChannelInfo{2, 4}));
  EXPECT_TRUE((configs[1] == AUChannelInfo{9, 8}));
}

TEST(Elements, CountsAndNamesFollowTheBuses)
{
  Unit unit(kTestPlug);
  UInt32 count = 0;
  GetProp(unit, kAudioUnitProperty_ElementCount, kIn, 0, count);
  EXPECT_EQ(count, 2u);
  GetProp(unit, kAudioUnitProperty_ElementCount, kOut, 0, count);
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(ElementName(unit, kIn, 0), "Main");
  EXPECT_EQ(ElementName(unit, kIn, 1), "Aux");
  EXPECT_EQ(ElementName(unit, kOut, 2), "Output 2");

  Unit tidewell;
  EXPECT_EQ(ElementName(tidewell, kIn, 0), "Input");
  EXPECT_EQ(ElementName(tidewell, kOut, 0), "Output");
  CFStringRef name = nullptr;
  EXPECT_EQ(GetProp(tidewell, kAudioUnitProperty_ElementName, kOut, 1, name), kAudioUnitErr_InvalidElement);
  EXPECT_EQ(GetProp(tidewell, kAudioUnitProperty_ElementName, kAudioUnitScope_Global, 0, name), kAudioUnitErr_InvalidScope);
}

TEST(ChannelLayoutTags, FollowTheChannelCountsOfTheBus)
{
  Unit unit(kTestPlug);
  EXPECT_EQ(LayoutTags(unit, kIn, 1), (std::vector<AudioChannelLayoutTag>{0x007D0007, 0x008C0007}));
  EXPECT_EQ(LayoutTags(unit, kOut, 2), (std::vector<AudioChannelLayoutTag>{0x006C0004, 0x006B0004, 0x00BE0004}));
  EXPECT_EQ(LayoutTags(unit, kOut, 0), (std::vector<AudioChannelLayoutTag>{0x00650002}));

  Unit tidewell;
  EXPECT_EQ(LayoutTags(tidewell, kIn, 0), (std::vector<AudioChannelLayoutTag>{0x00640001, 0x00650002}));
  EXPECT_EQ(Info(tidewell, kAudioUnitProperty_SupportedChannelLayoutTags, kOut, 1).size, 0u);
}

TEST(MaximumFramesPerSlice, AcceptsSensibleSizesOnly)
{
  Unit unit;
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 0, UInt32(4096)), noErr);
  UInt32 frames = 0;
  GetProp(unit, kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 0, frames);
  EXPECT_EQ(frames, 4096u);
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 0, UInt32(0)),
            kAudioUnitErr_InvalidPropertyValue);
  EXPECT_EQ(SetProp(unit, kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 0, UInt32(1) << 30),
            kAudioUnitErr_InvalidPropertyValue);
  GetProp(unit, kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 0, frames);
  EXPECT_EQ(frames, 4096u);
}
