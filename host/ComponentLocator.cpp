#include "ComponentLocator.h"

#include <StandIn/StandInComponents.h>

#include <filesystem>

#include "FourCC.h"
#include "StatusText.h"

using iplug::FourCC;

AudioComponentDescription ComponentLocator::TidewellDescription()
{
  AudioComponentDescription description{};
  description.componentType = kAudioUnitType_Effect;
  description.componentSubType = FourCC("xhm2");
  description.componentManufacturer = FourCC("Klvn");
  return description;
}

std::string ComponentLocator::DevelopmentBundle()
{
  return TIDEWELL_DEVELOPMENT_BUNDLE;
}

AudioComponent ComponentLocator::Find(const std::string& bundlePath, std::string& error)
{
  if (!bundlePath.empty())
  {
    const OSStatus status = StandInRegisterComponentBundle(bundlePath.c_str(), nullptr);
    if (status != noErr)
    {
      error = "cannot load the component bundle " + bundlePath + ": " + StatusText(status);
      return nullptr;
    }
  }
  else
  {
    std::error_code ignored;
    if (std::filesystem::is_directory(DevelopmentBundle(), ignored))
      StandInRegisterComponentBundle(DevelopmentBundle().c_str(), nullptr);
  }

  const AudioComponentDescription description = TidewellDescription();
  AudioComponent component = AudioComponentFindNext(nullptr, &description);
  if (!component)
    error = bundlePath.empty() ? "the Tidewell component is not installed and " + DevelopmentBundle() + " has not been built"
                               : bundlePath + " holds no Tidewell component";
  return component;
}
