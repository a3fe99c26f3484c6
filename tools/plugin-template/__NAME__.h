#pragma once

#include "Config.h"
#include "PluginAdapter.h"

// Parameter indices.
enum EParams
{
  kGain = 0,
  kNumParams
};

// @PLUGIN_NAME@: a gain in decibels (-6 dB at first), ramped over each block so changes do not click, with a knob to set it.
// It derives from the adapter of the plug-in format it is built for, which the build picks.
class @PLUGIN_NAME@ : public iplug::PluginAdapter
{
public:
  // The configuration handed to the framework bases: the plug-in's identity, channels and editor size.
  static iplug::Config MakeConfig();

  // Declares the parameter and stores the editor's make-graphics and layout callbacks. The format's factory
  // passes what it knows of the new instance in info. [main-thread]
  explicit @PLUGIN_NAME@(const iplug::InstanceInfo& info = iplug::InstanceInfo());

  // Starts the next block at the gain the parameter holds, without a ramp. [audio-thread]
  void OnReset() override;
  // Multiplies mono or stereo audio by the gain, ramping from the previous block's. Allocates nothing, takes
  // no lock. [audio-thread]
  void ProcessBlock(iplug::sample** inputs, iplug::sample** outputs, int nFrames) override;

private:
  double mGain = 1.; // linear gain at the end of the last block; audio thread only
};
