#include "Tidewell_View.h"

#include "IPlugAU.h"

namespace iplug
{
NSView* Tidewell_View::uiViewForAudioUnit(AudioUnit inAudioUnit, NSSize /*inPreferredSize*/)
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

CFStringRef Tidewell_View::description()
{
  return CFStringCreateWithCString(kCFAllocatorDefault, "Tidewell View", kCFStringEncodingUTF8);
}
} // namespace iplug
