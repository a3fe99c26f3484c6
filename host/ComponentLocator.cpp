#include "ComponentLocator.h"

#include <StandIn/StandInComponents.h>

#include <cstring>
#include <filesystem>

#include "CFRef.h"

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

namespace
{
  // The four-character code of a text of exactly four characters; 0 otherwise.
  OSType CodeOf(CFTypeRef value)
  {
    char text[5] = {};
    if (!value || CFGetTypeID(value) != CFStringGetTypeID() ||
        !CFStringGetCString(static_cast<CFStringRef>(value), text, sizeof(text), kCFStringEncodingUTF8) || std::strlen(text) != 4)
      return 0;
    return FourCC(text);
  }
}

bool ComponentLocator::DescriptionInBundle(const std::string& bundlePath, AudioComponentDescription& description)
{
  CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(bundlePath.c_str()),
                                                              static_cast<CFIndex>(bundlePath.size()), true));
  CFRef<CFBundleRef> bundle(url ? CFBundleCreate(kCFAllocatorDefault, url.Get()) : nullptr);
  if (!bundle)
    return false;
  CFTypeRef components = CFBundleGetValueForInfoDictionaryKey(bundle.Get(), CFSTR("AudioComponents"));
  if (!components || CFGetTypeID(components) != CFArrayGetTypeID() || CFArrayGetCount(static_cast<CFArrayRef>(components)) < 1)
    return false;
  CFTypeRef first = CFArrayGetValueAtIndex(static_cast<CFArrayRef>(components), 0);
  if (!first || CFGetTypeID(first) != CFDictionaryGetTypeID())
    return false;
  const auto entry = static_cast<CFDictionaryRef>(first);
  description = AudioComponentDescription{};
  description.componentType = CodeOf(CFDictionaryGetValue(entry, CFSTR("type")));
  description.componentSubType = CodeOf(CFDictionaryGetValue(entry, CFSTR("subtype")));
  description.componentManufacturer = CodeOf(CFDictionaryGetValue(entry, CFSTR("manufacturer")));
  return description.componentType && description.componentSubType && description.componentManufacturer;
}

std::string ComponentLocator::DevelopmentBundle()
{
  return TIDEWELL_DEVELOPMENT_BUNDLE;
}

AudioComponentDescription ComponentLocator::WantedDescription(const std::string& bundlePath)
{
  AudioComponentDescription description = TidewellDescription();
  if (!bundlePath.empty() && !DescriptionInBundle(bundlePath, description))
    return TidewellDescription();
  return description;
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

  // A named bundle supplies whichever component its Info.plist declares; otherwise Tidewell is wanted.
  AudioComponentDescription description = TidewellDescription();
  if (!bundlePath.empty() && !DescriptionInBundle(bundlePath, description))
  {
    error = bundlePath + " declares no audio component in its Info.plist";
    return nullptr;
  }
  AudioComponent component = AudioComponentFindNext(nullptr, &description);
  if (!component)
    error = bundlePath.empty() ? "the Tidewell component is not installed and " + DevelopmentBundle() + " has not been built"
                               : bundlePath + " holds no usable audio component";
  return component;
}
