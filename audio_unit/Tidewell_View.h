#pragma once

#include <AudioUnit/AUCocoaUIView.h>

namespace iplug
{
class IPlugAU;

// The product's Cocoa view factory, which hosts find under the class name "Tidewell_View" that the unit
// reports through kAudioUnitProperty_CocoaUI: the plug-in bundle exports the C function Tidewell_View,
// which makes a new instance. It fetches the plug-in object through the private instance property and
// asks it for its editor view. Main thread.
class Tidewell_View : public AUCocoaUIBase
{
public:
  // No plug-in yet.
  Tidewell_View() = default;

  // 0: the first version of the interface.
  unsigned interfaceVersion() override { return 0; }
  // The plug-in's editor view, made without a parent for the host to add to its window; null when the
  // unit does not answer the instance property or has no editor. The size is not used.
  NSView* uiViewForAudioUnit(AudioUnit inAudioUnit, NSSize inPreferredSize) override;
  // A new string "Tidewell View" (caller owns).
  CFStringRef description() override;

private:
  IPlugAU* mPlug = nullptr; // the plug-in of the last view asked for, not owned
};
} // namespace iplug
