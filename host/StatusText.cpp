#include "StatusText.h"

#include <AudioToolbox/AudioToolbox.h>

#include <array>
#include <utility>

namespace
{
  constexpr std::array<std::pair<OSStatus, const char*>, 25> kNames = {{
    {kAudioUnitErr_InvalidProperty, "kAudioUnitErr_InvalidProperty"},
    {kAudioUnitErr_InvalidParameter, "kAudioUnitErr_InvalidParameter"},
    {kAudioUnitErr_InvalidElement, "kAudioUnitErr_InvalidElement"},
    {kAudioUnitErr_NoConnection, "kAudioUnitErr_NoConnection"},
    {kAudioUnitErr_FailedInitialization, "kAudioUnitErr_FailedInitialization"},
    {kAudioUnitErr_TooManyFramesToProcess, "kAudioUnitErr_TooManyFramesToProcess"},
    {kAudioUnitErr_FormatNotSupported, "kAudioUnitErr_FormatNotSupported"},
    {kAudioUnitErr_Uninitialized, "kAudioUnitErr_Uninitialized"},
    {kAudioUnitErr_InvalidScope, "kAudioUnitErr_InvalidScope"},
    {kAudioUnitErr_PropertyNotWritable, "kAudioUnitErr_PropertyNotWritable"},
    {kAudioUnitErr_CannotDoInCurrentContext, "kAudioUnitErr_CannotDoInCurrentContext"},
    {kAudioUnitErr_InvalidPropertyValue, "kAudioUnitErr_InvalidPropertyValue"},
    {kAudioUnitErr_PropertyNotInUse, "kAudioUnitErr_PropertyNotInUse"},
    {kAudioUnitErr_Initialized, "kAudioUnitErr_Initialized"},
    {kAudioUnitErr_InvalidOfflineRender, "kAudioUnitErr_InvalidOfflineRender"},
    {kAudioUnitErr_Unauthorized, "kAudioUnitErr_Unauthorized"},
    {kAudio_UnimplementedError, "kAudio_UnimplementedError"},
    {kAudio_FileNotFoundError, "kAudio_FileNotFoundError"},
    {kAudio_ParamError, "kAudio_ParamError"},
    {kAudio_MemFullError, "kAudio_MemFullError"},
    {invalidComponentID, "invalidComponentID"},
    {coreFoundationUnknownErr, "coreFoundationUnknownErr"},
    {badComponentInstance, "badComponentInstance"},
    {badComponentSelector, "badComponentSelector"},
    {kAudioComponentErr_InstanceInvalidated, "kAudioComponentErr_InstanceInvalidated"},
  }};
}

std::string StatusText(OSStatus status)
{
  for (const auto& [code, name] : kNames)
  {
    if (code == status)
      return std::to_string(status) + " (" + name + ")";
  }
  return std::to_string(status);
}
