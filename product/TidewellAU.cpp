// The Tidewell Audio Unit's exported entry points, the only symbols the plug-in binary makes visible:
// the component factory named in Info.plist, the legacy Component Manager entry, and the registration
// function of the Cocoa view factory class named in kAudioUnitProperty_CocoaUI.

#include <new>

#include "IPlugAUFactory.h"
#include "Tidewell.h"
#include "Tidewell_View.h"

#define TIDEWELL_EXPORT extern "C" __attribute__((visibility("default")))

namespace
{
using TidewellFactory = iplug::IPlugAUFactory<Tidewell, false>;
}

iplug::IPlugAU* iplug::MakePlug(void* memory)
{
  InstanceInfo info;
  info.mCocoaViewFactoryClassName.Set("Tidewell_View");
  if (memory)
    return new (memory) Tidewell(info);
  return new Tidewell(info);
}

// A new instance block for the host (the object is built by its Open); null when memory ran out.
TIDEWELL_EXPORT AudioComponentPlugInInterface* Tidewell_Factory(const AudioComponentDescription* inDesc)
{
  return TidewellFactory::Factory(inDesc);
}

// Legacy Component Manager entry: forwards the call to the adapter.
TIDEWELL_EXPORT OSStatus Tidewell_Entry(ComponentParameters* params, void* storage)
{
  return iplug::IPlugAU::IPlugAUEntry(params, storage);
}

// Registration of the Cocoa view factory class Tidewell_View: a new instance, deleted by the host.
TIDEWELL_EXPORT AUCocoaUIBase* Tidewell_View()
{
  return new (std::nothrow) iplug::Tidewell_View();
}
