#pragma once

#include <AudioToolbox/AudioToolbox.h>

#include <string>
#include <vector>

#include "StreamSetup.h"

class HostComponent;

// Pushes interleaved audio through a unit the way a host's render thread does: the unit pulls its
// input from a render callback, the host hands it non-interleaved output buffers, and the time stamp
// advances by each slice. Audio runs on the calling thread.
class Renderer
{
public:
  explicit Renderer(HostComponent& unit) : mUnit(unit) {}
  // Disconnects the input callback, which points at this object.
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Negotiates the stream, connects the input callback and initialises the unit; false with a
  // one-line error text when the unit refuses. Main thread.
  bool Start(const StreamSetup& setup, std::string& error);

  // Renders one slice: frames of interleaved input (setup.inChannels wide) into interleaved output
  // (setup.outChannels wide). timeFlags are the time stamp's flags; the sample time advances only on
  // success. Any slice size may be asked for, so that a unit's refusal can be seen.
  OSStatus Process(const float* input, float* output, UInt32 frames, AudioTimeStampFlags timeFlags = kAudioTimeStampSampleTimeValid);

  // When true, output buffers are handed over with null data so that the unit supplies the memory.
  void SetUnitSuppliesOutput(bool unitSupplies) { mUnitSuppliesOutput = unitSupplies; }
  // Sample time of the next slice.
  Float64 SampleTime() const { return mSampleTime; }
  // How many times the unit pulled input, and how many of those pulls were malformed.
  unsigned long Pulls() const { return mPulls; }
  unsigned long BadPulls() const { return mBadPulls; }
  const StreamSetup& Setup() const { return mSetup; }

private:
  static OSStatus SupplyInput(void* refCon, AudioUnitRenderActionFlags* flags, const AudioTimeStamp* time, UInt32 bus, UInt32 frames, AudioBufferList* data);
  OSStatus CopyInput(const AudioTimeStamp* time, UInt32 bus, UInt32 frames, AudioBufferList* data);
  void Reserve(UInt32 frames);
  AudioBufferList* OutputList();

  HostComponent& mUnit;
  StreamSetup mSetup;
  bool mConnected = false;
  bool mUnitSuppliesOutput = false;
  Float64 mSampleTime = 0.0;
  unsigned long mPulls = 0;
  unsigned long mBadPulls = 0;

  // The slice being rendered, seen by the input callback.
  const float* mPendingInput = nullptr;
  UInt32 mPendingFrames = 0;

  UInt32 mCapacity = 0; // frames per channel buffer
  std::vector<float> mInputChannels;  // inChannels x capacity
  std::vector<float> mOutputChannels; // outChannels x capacity
  std::vector<unsigned char> mOutputListBytes;
};
