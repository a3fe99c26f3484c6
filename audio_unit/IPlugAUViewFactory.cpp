#include "IPlugAUViewFactory.h"

#include <cstdio>

#include "IPlugAU.h"

namespace iplug
{
IPlugAUViewFactory::IPlugAUViewFactory(const char* pluginName)
  : mPluginName(pluginName ? pluginName : "")
{
}

NSView* IPlugAUViewFactory::uiViewForAudioUnit(AudioUnit inAudioUnit, NSSize /*inPreferredSize*/)
{
  void* plug = nullptr;
  UInt32 size = sizeof(plug);
  if (AudioUnitGetProperty(inAudioUnit, kPlugInstancePropertyID, kAudioUnitScope_Global, 0, &plug, &size) != noErr)
    return nullptr;
  mPlug = static_cast<IPlugAU*>(plug);
  if (!mPlug || !mPlug->HasUI())
    return nullptr;
  return static_cast<NSView*>(mPlug->OpenWindow(nullptr));
}

CFStringRef IPlugAUViewFactory::description()
{
  // A fixed buffer: nothing the host calls may throw, and plug-in names are short.
  char text[kMaxDescriptionLength + 1];
  std::snprintf(text, sizeof(text), "%s View", mPluginName);
  return CFStringCreateWithCString(kCFAllocatorDefault, text, kCFStringEncodingUTF8);
}
} // namespace iplug
