#pragma once

#include "Config.h"
#include "ControlGalleryParams.h"
#include "PluginAdapter.h"

// A second plug-in on the framework, there to show every control of the toolkit in its editor: a gain
// with a polarity switch, plus a whole-number and an enumerated parameter that only the editor uses. It
// derives from the adapter of the plug-in format it is built for, which the build picks. Not final: the LV2
// editor binary derives from it.
class ControlGallery : public iplug::PluginAdapter
{
public:
  // The configuration handed to the framework bases.
  static iplug::Config MakeConfig();

  // Declares the parameters and stores the editor's make-graphics and layout callbacks. The format's factory
  // passes what it knows of the new instance in info. [main-thread]
  explicit ControlGallery(const iplug::InstanceInfo& info = iplug::InstanceInfo());

  // Starts the next block at the gain the parameters hold, without a ramp. [audio-thread]
  void OnReset() override;
  // Multiplies mono or stereo audio by the gain (and -1 when inverted), ramping linearly over each block from
  // the previous block's gain so changes do not click. The result is rounded to single precision, the hosts'
  // format, with subnormals flushed to zero. Allocates nothing, takes no lock. [audio-thread]
  void ProcessBlock(iplug::sample** inputs, iplug::sample** outputs, int nFrames) override;

private:
  // The linear gain the parameters ask for, sign included. [audio-thread]
  double TargetGain() const;

  double mGain = 1.; // linear gain at the end of the last block; audio thread only
};
