#pragma once

// What the adapter's tests use to play the host: the built bundles (TIDEWELL_BUNDLE_PATH and
// TEST_PLUG_BUNDLE_PATH) registered with the platform's component services, instances, property calls,
// buffer lists and an input source. Nothing here reaches into a plug-in object.

#include <AudioToolbox/AudioToolbox.h>
#include <CoreFoundation/CoreFoundation.h>
#include <StandIn/StandInComponents.h>

#include "FourCC.h"
#include "support/CFOwned.h"

#include <cstddef>
#include <string>
#include <vector>

namespace au_test
{
using iplug::FourCC;

inline constexpr AudioComponentDescription kTidewell = {FourCC("aufx"), FourCC("xhm2"), FourCC("Klvn"), 0, 0};
inline constexpr AudioComponentDescription kTestPlug = {FourCC("aumf"), FourCC("tplg"), FourCC("Twau"), 0, 0};
inline constexpr int kTidewellParams = 5;
inline constexpr UInt32 kDefaultMaxFrames = 512;

// The component of a description, after registering both test bundles once per process.
inline AudioComponent FindComponent(const AudioComponentDescription& description)
{
  static const bool registered = [] {
    StandInRegisterComponentBundle(TIDEWELL_BUNDLE_PATH, nullptr);
    StandInRegisterComponentBundle(TEST_PLUG_BUNDLE_PATH, nullptr);
    return true;
  }();
  (void)registered;
  return AudioComponentFindNext(nullptr, &description);
}

// One instance, disposed at the end of the scope.
class Unit
{
public:
  explicit Unit(const AudioComponentDescription& description = kTidewell)
  {
    mStatus = AudioComponentInstanceNew(FindComponent(description), &mUnit);
  }
  ~Unit()
  {
    if (mUnit)
      AudioComponentInstanceDispose(mUnit);
  }
  Unit(const Unit&) = delete;
  Unit& operator=(const Unit&) = delete;

  operator AudioUnit() const { return mUnit; }
  OSStatus Status() const { return mStatus; }

private:
  AudioUnit mUnit = nullptr;
  OSStatus mStatus = noErr;
};


inline CFStringRef NewString(const char* text)
{
  return CFStringCreateWithCString(nullptr, text, kCFStringEncodingUTF8);
}

template <class T>
OSStatus GetProp(AudioUnit unit, AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element, T& value)
{
  UInt32 size = sizeof(T);
  return AudioUnitGetProperty(unit, id, scope, element, &value, &size);
}

template <class T>
OSStatus SetProp(AudioUnit unit, AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element, const T& value)
{
  return AudioUnitSetProperty(unit, id, scope, element, &value, sizeof(T));
}

// What the info call reports.
struct PropInfo
{
  OSStatus status;
  UInt32 size;
  bool writable;
};

inline PropInfo Info(AudioUnit unit, AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element = 0)
{
  UInt32 size = 0xDEAD;
  Boolean writable = true;
  const OSStatus status = AudioUnitGetPropertyInfo(unit, id, scope, element, &size, &writable);
  return {status, size, writable != 0};
}

inline float Param(AudioUnit unit, AudioUnitParameterID id)
{
  AudioUnitParameterValue value = -12345.f;
  AudioUnitGetParameter(unit, id, kAudioUnitScope_Global, 0, &value);
  return value;
}

// The values of parameters 0 .. count-1.
inline std::vector<float> Params(AudioUnit unit, int count)
{
  std::vector<float> values;
  for (int i = 0; i < count; ++i)
    values.push_back(Param(unit, static_cast<AudioUnitParameterID>(i)));
  return values;
}

inline AudioStreamBasicDescription FloatFormat(UInt32 channels, Float64 sampleRate = 48000.0)
{
  AudioStreamBasicDescription format = {};
  format.mSampleRate = sampleRate;
  format.mFormatID = kAudioFormatLinearPCM;
  format.mFormatFlags = kAudioFormatFlagsNativeFloatPacked | kAudioFormatFlagIsNonInterleaved;
  format.mBytesPerPacket = 4;
  format.mFramesPerPacket = 1;
  format.mBytesPerFrame = 4;
  format.mChannelsPerFrame = channels;
  format.mBitsPerChannel = 32;
  return format;
}

inline AudioTimeStamp SampleTime(Float64 sampleTime)
{
  AudioTimeStamp time = {};
  time.mSampleTime = sampleTime;
  time.mFlags = kAudioTimeStampSampleTimeValid;
  return time;
}

// Non-interleaved float buffers laid out as the platform's AudioBufferList; every sample starts as fill.
class HostBuffers
{
public:
  HostBuffers(int nChannels, UInt32 nFrames, float fill = 0.f)
    : mStorage(offsetof(AudioBufferList, mBuffers) + static_cast<std::size_t>(nChannels) * sizeof(AudioBuffer))
    , mData(static_cast<std::size_t>(nChannels), std::vector<float>(nFrames, fill))
  {
    List()->mNumberBuffers = static_cast<UInt32>(nChannels);
    for (int c = 0; c < nChannels; ++c)
      List()->mBuffers[c] = {1, nFrames * 4, mData[static_cast<std::size_t>(c)].data()};
  }

  AudioBufferList* List() { return reinterpret_cast<AudioBufferList*>(mStorage.data()); }
  // Channel c as the host hands it over (the unit may have replaced a null pointer with its own).
  const float* Channel(int c) { return static_cast<const float*>(List()->mBuffers[c].mData); }
  // Asks the unit to provide every buffer.
  void ClearPointers()
  {
    for (UInt32 c = 0; c < List()->mNumberBuffers; ++c)
      List()->mBuffers[c].mData = nullptr;
  }

private:
  std::vector<std::max_align_t> mStorage;
  std::vector<std::vector<float>> mData;
};

// A render callback that supplies every channel with value + frame index / 1000, counting its calls.
struct InputSource
{
  float value = 0.5f;
  int calls = 0;
  UInt32 lastBus = 0xFFFFFFFF;

  static OSStatus Render(void* refCon, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32 bus, UInt32 nFrames,
                         AudioBufferList* ioData)
  {
    auto* source = static_cast<InputSource*>(refCon);
    ++source->calls;
    source->lastBus = bus;
    for (UInt32 c = 0; c < ioData->mNumberBuffers; ++c)
    {
      auto* samples = static_cast<float*>(ioData->mBuffers[c].mData);
      for (UInt32 i = 0; i < nFrames; ++i)
        samples[i] = source->value + static_cast<float>(i) / 1000.f;
    }
    return noErr;
  }

  AURenderCallbackStruct Callback() { return {Render, this}; }
};

// Declares nChannels in and out on bus 0, feeds the input from source and initialises.
inline OSStatus PrepareStereo(AudioUnit unit, InputSource& source, UInt32 nChannels = 2)
{
  const AudioStreamBasicDescription format = FloatFormat(nChannels);
  AURenderCallbackStruct callback = source.Callback();
  OSStatus status = SetProp(unit, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, 0, format);
  if (status == noErr)
    status = SetProp(unit, kAudioUnitProperty_StreamFormat, kAudioUnitScope_Output, 0, format);
  if (status == noErr)
    status = SetProp(unit, kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, callback);
  return status == noErr ? AudioUnitInitialize(unit) : status;
}
} // namespace au_test
