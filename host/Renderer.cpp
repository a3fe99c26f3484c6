#include "Renderer.h"

#include <algorithm>
#include <cstddef>

#include "HostComponent.h"
#include "StatusText.h"

Renderer::~Renderer()
{
  if (mConnected)
  {
    const AURenderCallbackStruct none{};
    mUnit.Set(kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, none);
  }
}

bool Renderer::Start(const StreamSetup& setup, std::string& error)
{
  mSetup = setup;
  if (!setup.Apply(mUnit, error))
    return false;

  const AURenderCallbackStruct callback{&Renderer::SupplyInput, this};
  OSStatus status = mUnit.Set(kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0, callback);
  if (status != noErr)
  {
    error = "the component refuses an input callback: " + StatusText(status);
    return false;
  }
  mConnected = true;

  status = mUnit.Initialize();
  if (status != noErr)
  {
    error = "the component does not initialise for " + std::to_string(setup.inChannels) + " in, " + std::to_string(setup.outChannels)
            + " out at " + std::to_string(static_cast<long>(setup.sampleRate)) + " Hz: " + StatusText(status);
    return false;
  }
  Reserve(setup.maxFrames);
  return true;
}

void Renderer::Reserve(UInt32 frames)
{
  if (frames <= mCapacity)
    return;
  mCapacity = frames;
  mInputChannels.assign(static_cast<std::size_t>(mSetup.inChannels) * frames, 0.f);
  mOutputChannels.assign(static_cast<std::size_t>(mSetup.outChannels) * frames, 0.f);
  mOutputListBytes.assign(offsetof(AudioBufferList, mBuffers) + sizeof(AudioBuffer) * std::max<UInt32>(mSetup.outChannels, 1), 0);
}

AudioBufferList* Renderer::OutputList()
{
  return reinterpret_cast<AudioBufferList*>(mOutputListBytes.data());
}

OSStatus Renderer::Process(const float* input, float* output, UInt32 frames, AudioTimeStampFlags timeFlags)
{
  Reserve(frames);
  AudioBufferList* list = OutputList();
  list->mNumberBuffers = mSetup.outChannels;
  for (UInt32 c = 0; c < mSetup.outChannels; ++c)
  {
    list->mBuffers[c].mNumberChannels = 1;
    list->mBuffers[c].mDataByteSize = frames * sizeof(float);
    list->mBuffers[c].mData = mUnitSuppliesOutput ? nullptr : mOutputChannels.data() + static_cast<std::size_t>(c) * mCapacity;
  }

  AudioTimeStamp time{};
  time.mSampleTime = mSampleTime;
  time.mFlags = timeFlags;
  mPendingInput = input;
  mPendingFrames = frames;
  AudioUnitRenderActionFlags flags = 0;
  const OSStatus status = AudioUnitRender(mUnit.Unit(), &flags, &time, 0, frames, list);
  mPendingInput = nullptr;
  if (status != noErr)
    return status;

  for (UInt32 c = 0; c < mSetup.outChannels; ++c)
  {
    const auto* channel = static_cast<const float*>(list->mBuffers[c].mData);
    if (!channel)
      return kAudioUnitErr_NoConnection;
    for (UInt32 i = 0; i < frames; ++i)
      output[static_cast<std::size_t>(i) * mSetup.outChannels + c] = channel[i];
  }
  mSampleTime += frames;
  return noErr;
}

OSStatus Renderer::SupplyInput(void* refCon, AudioUnitRenderActionFlags*, const AudioTimeStamp* time, UInt32 bus, UInt32 frames, AudioBufferList* data)
{
  return static_cast<Renderer*>(refCon)->CopyInput(time, bus, frames, data);
}

OSStatus Renderer::CopyInput(const AudioTimeStamp* time, UInt32 bus, UInt32 frames, AudioBufferList* data)
{
  ++mPulls;
  if (!mPendingInput || !time || time->mSampleTime != mSampleTime || bus != 0 || frames != mPendingFrames || !data
      || data->mNumberBuffers != mSetup.inChannels)
  {
    ++mBadPulls;
    return kAudio_ParamError;
  }
  for (UInt32 c = 0; c < mSetup.inChannels; ++c)
  {
    AudioBuffer& buffer = data->mBuffers[c];
    if (!buffer.mData)
      buffer.mData = mInputChannels.data() + static_cast<std::size_t>(c) * mCapacity;
    else if (buffer.mNumberChannels != 1 || buffer.mDataByteSize < frames * sizeof(float))
    {
      ++mBadPulls;
      return kAudio_ParamError;
    }
    auto* channel = static_cast<float*>(buffer.mData);
    for (UInt32 i = 0; i < frames; ++i)
      channel[i] = mPendingInput[static_cast<std::size_t>(i) * mSetup.inChannels + c];
  }
  return noErr;
}
