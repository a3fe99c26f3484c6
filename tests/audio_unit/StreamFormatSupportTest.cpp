// The unit accepts only formats its render path reads and writes as they are (native-endian 32-bit float,
// one channel per buffer) and refuses the rest like every other refused format, before any sample could be
// misread.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

using namespace au_test;

namespace
{
struct FormatCase
{
  const char* name;
  AudioStreamBasicDescription format;
};

AudioStreamBasicDescription Int16Format()
{
  AudioStreamBasicDescription format = FloatFormat(2);
  format.mFormatFlags = kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked | kAudioFormatFlagIsNonInterleaved;
  format.mBitsPerChannel = 16;
  format.mBytesPerFrame = format.mBytesPerPacket = 2;
  return format;
}

AudioStreamBasicDescription Int32PackedFormat()
{
  AudioStreamBasicDescription format = FloatFormat(2);
  format.mFormatFlags = kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked | kAudioFormatFlagIsNonInterleaved;
  return format;
}

AudioStreamBasicDescription Float64Format()
{
  AudioStreamBasicDescription format = FloatFormat(2);
  format.mBitsPerChannel = 64;
  format.mBytesPerFrame = format.mBytesPerPacket = 8;
  return format;
}

AudioStreamBasicDescription InterleavedFormat()
{
  AudioStreamBasicDescription format = FloatFormat(2);
  format.mFormatFlags = kAudioFormatFlagsNativeFloatPacked;
  format.mBytesPerFrame = format.mBytesPerPacket = 8;
  return format;
}

AudioStreamBasicDescription BigEndianFormat()
{
  AudioStreamBasicDescription format = FloatFormat(2);
  format.mFormatFlags |= kAudioFormatFlagIsBigEndian;
  return format;
}

AudioStreamBasicDescription UnpackedFlagFormat()
{
  AudioStreamBasicDescription format = FloatFormat(2);
  format.mFormatFlags = kAudioFormatFlagIsFloat | kAudioFormatFlagIsNonInterleaved;
  return format;
}

AudioStreamBasicDescription CanonicalFormat()
{
  AudioStreamBasicDescription format = FloatFormat(2);
  format.mFormatFlags = kAudioFormatFlagsAudioUnitCanonical;
  return format;
}

class RefusedFormat : public testing::TestWithParam<FormatCase>
{
};

class AcceptedFormat : public testing::TestWithParam<FormatCase>
{
};

std::string CaseName(const testing::TestParamInfo<FormatCase>& info)
{
  return info.param.name;
}

AudioStreamBasicDescription DeclaredFormat(AudioUnit unit, AudioUnitScope scope)
{
  AudioStreamBasicDescription format = {};
  GetProp(unit, kAudioUnitProperty_StreamFormat, scope, 0, format);
  return format;
}
} // namespace

TEST_P(RefusedFormat, OnEitherSideAsInvalidPropertyLeavingTheBusEmpty)
{
  Unit unit;
  for (AudioUnitScope scope : {kAudioUnitScope_Input, kAudioUnitScope_Output})
  {
    EXPECT_EQ(SetProp(unit, kAudioUnitProperty_StreamFormat, scope, 0, GetParam().format), kAudioUnitErr_InvalidProperty);
    EXPECT_EQ(DeclaredFormat(unit, scope).mChannelsPerFrame, 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(RenderPathCannotReadIt, RefusedFormat,
                         testing::Values(FormatCase{"SixteenBitInteger", Int16Format()},
                                         FormatCase{"ThirtyTwoBitInteger", Int32PackedFormat()},
                                         FormatCase{"SixtyFourBitFloat", Float64Format()},
                                         FormatCase{"InterleavedFloat", InterleavedFormat()},
                                         FormatCase{"BigEndianFloat", BigEndianFormat()}),
                         CaseName);

TEST_P(AcceptedFormat, DeclaresTheChannelsAndRendersThem)
{
  Unit unit;
  InputSource source;
  AURenderCallbackStruct callback = source.Callback();
  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 0, GetParam().format), noErr);
  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Output, 0, GetParam().format), noErr);
  ASSERT_EQ(SetProp(unit, kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, callback), noErr);
  ASSERT_EQ(AudioUnitInitialize(unit), noErr);
  EXPECT_EQ(DeclaredFormat(unit, kAudioUnitScope_Output).mChannelsPerFrame, 2u);

  HostBuffers out(2, 64);
  const AudioTimeStamp time = SampleTime(0);
  ASSERT_EQ(AudioUnitRender(unit, nullptr, &time, 0, 64, out.List()), noErr);
  EXPECT_FLOAT_EQ(out.Channel(1)[3], source.value + 0.003f);
}

INSTANTIATE_TEST_SUITE_P(HostsUseThem, AcceptedFormat,
                         testing::Values(FormatCase{"NativeFloatPackedNonInterleaved", FloatFormat(2)},
                                         FormatCase{"AudioUnitCanonical", CanonicalFormat()},
                                         FormatCase{"FloatWithoutThePackedFlag", UnpackedFlagFormat()}),
                         CaseName);
