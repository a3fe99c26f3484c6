#pragma once

#include <AudioToolbox/AudioToolbox.h>

#include <string>
#include <vector>

class HostComponent;

// The input and output channel counts a unit publishes (SupportedNumChannels). A count of -1 stands
// for any number of channels.
class ChannelConfigurations
{
public:
  // Reads the unit's list; false when the unit publishes none.
  bool Read(const HostComponent& unit);

  // True when some configuration takes inputs in and outputs out.
  bool Accepts(int in, int out) const;
  // The list as "1-1 2-2" (inputs-outputs, "*" for any).
  std::string Describe() const;
  const std::vector<AUChannelInfo>& All() const { return mConfigs; }

private:
  std::vector<AUChannelInfo> mConfigs;
};
