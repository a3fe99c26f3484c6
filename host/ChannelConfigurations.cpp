#include "ChannelConfigurations.h"

#include "HostComponent.h"

namespace
{
  bool CountMatches(SInt16 published, int wanted)
  {
    return published < 0 || published == wanted;
  }

  std::string CountText(SInt16 count)
  {
    return count < 0 ? std::string("*") : std::to_string(count);
  }
}

bool ChannelConfigurations::Read(const HostComponent& unit)
{
  mConfigs.clear();
  UInt32 size = 0;
  if (AudioUnitGetPropertyInfo(unit.Unit(), kAudioUnitProperty_SupportedNumChannels, kAudioUnitScope_Global, 0, &size, nullptr) != noErr
      || size < sizeof(AUChannelInfo))
    return false;
  mConfigs.resize(size / sizeof(AUChannelInfo));
  size = static_cast<UInt32>(mConfigs.size() * sizeof(AUChannelInfo));
  if (AudioUnitGetProperty(unit.Unit(), kAudioUnitProperty_SupportedNumChannels, kAudioUnitScope_Global, 0, mConfigs.data(), &size) != noErr)
  {
    mConfigs.clear();
    return false;
  }
  mConfigs.resize(size / sizeof(AUChannelInfo));
  return !mConfigs.empty();
}

bool ChannelConfigurations::Accepts(int in, int out) const
{
  for (const AUChannelInfo& config : mConfigs)
  {
    if (CountMatches(config.inChannels, in) && CountMatches(config.outChannels, out))
      return true;
  }
  return false;
}

std::string ChannelConfigurations::Describe() const
{
  std::string text;
  for (const AUChannelInfo& config : mConfigs)
  {
    if (!text.empty())
      text += ' ';
    text += CountText(config.inChannels) + "-" + CountText(config.outChannels);
  }
  return text;
}
