#pragma once

#include <lv2/core/lv2.h>

namespace iplug
{
class IPlugLV2;

// What the LV2 entry knows about a new instance before the product's constructor runs. Filled by the
// descriptor's instantiate; a default record (no host) gives a stereo instance at 48 kHz.
struct InstanceInfo
{
  double mSampleRate = 48000.0;                   // the host's sample rate in Hz, fixed for the instance's life
  int mNInputs = -1;                              // audio inputs of the plug-in URI; -1: the widest layout
  int mNOutputs = -1;                             // audio outputs of the plug-in URI; -1: the widest layout
  const LV2_Feature* const* mFeatures = nullptr;  // the host's features, read during construction only (not owned)
  float (*mReadMeter)(const IPlugLV2&) = nullptr; // reads the product's meter for the meter port; null: no port
};
} // namespace iplug
