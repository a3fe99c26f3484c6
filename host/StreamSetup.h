#pragma once

#include <AudioToolbox/AudioToolbox.h>

#include <string>

class HostComponent;

// The stream a host negotiates before it renders: the sample rate, the channels of the one input and
// the one output bus, and the largest slice it will ask for.
struct StreamSetup
{
  double sampleRate = 48000.0; // Hz
  UInt32 inChannels = 2;
  UInt32 outChannels = 2;
  UInt32 maxFrames = 1024; // largest slice, frames

  // The canonical description of one bus: 32-bit float, packed, non-interleaved linear PCM.
  AudioStreamBasicDescription Format(UInt32 channels) const;

  // Sets the largest slice and both buses' formats and reads the formats back; false with a one-line
  // error text when the unit refuses one. The unit must not be initialised. Main thread.
  bool Apply(HostComponent& unit, std::string& error) const;
};
