#include "StreamSetup.h"

#include "HostComponent.h"
#include "StatusText.h"

namespace
{
  const char* ScopeName(AudioUnitScope scope)
  {
    return scope == kAudioUnitScope_Input ? "input" : "output";
  }

  bool SetFormat(HostComponent& unit, AudioUnitScope scope, const AudioStreamBasicDescription& format, std::string& error)
  {
    const OSStatus status = unit.Set(kAudioUnitProperty_StreamFormat, scope, 0, format);
    if (status != noErr)
    {
      error = "the component refuses " + std::to_string(format.mChannelsPerFrame) + " " + ScopeName(scope) + " channels at "
              + std::to_string(static_cast<long>(format.mSampleRate)) + " Hz: " + StatusText(status);
      return false;
    }
    AudioStreamBasicDescription actual{};
    const OSStatus readStatus = unit.Get(kAudioUnitProperty_StreamFormat, scope, 0, actual);
    if (readStatus != noErr || actual.mChannelsPerFrame != format.mChannelsPerFrame || actual.mSampleRate != format.mSampleRate)
    {
      error = std::string("the component does not keep the ") + ScopeName(scope) + " format it accepted";
      return false;
    }
    return true;
  }
}

AudioStreamBasicDescription StreamSetup::Format(UInt32 channels) const
{
  AudioStreamBasicDescription format{};
  format.mSampleRate = sampleRate;
  format.mFormatID = kAudioFormatLinearPCM;
  format.mFormatFlags = kAudioFormatFlagsAudioUnitCanonical;
  format.mBytesPerPacket = sizeof(Float32);
  format.mFramesPerPacket = 1;
  format.mBytesPerFrame = sizeof(Float32);
  format.mChannelsPerFrame = channels;
  format.mBitsPerChannel = 32;
  return format;
}

bool StreamSetup::Apply(HostComponent& unit, std::string& error) const
{
  const OSStatus status = unit.Set(kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 0, maxFrames);
  if (status != noErr)
  {
    error = "the component refuses slices of " + std::to_string(maxFrames) + " frames: " + StatusText(status);
    return false;
  }
  return SetFormat(unit, kAudioUnitScope_Input, Format(inChannels), error) && SetFormat(unit, kAudioUnitScope_Output, Format(outChannels), error);
}
