#pragma once

#include <AudioUnit/AUCocoaUIView.h>

namespace iplug
{
class IPlugAU;

// The Cocoa view factory of every Audio Unit built on this adapter. Hosts find it under the class name
// "<Name>_View" that the unit reports through kAudioUnitProperty_CocoaUI: the plug-in bundle exports the
// C function of that name (generated with the entry points from audio_unit/PluginEntry.cpp.in), which
// makes a new instance. It fetches the plug-in object through the private instance property and asks it
// for its editor view. [main-thread]
class IPlugAUViewFactory : public AUCocoaUIBase
{
public:
  // Longest description in bytes; a longer one is cut.
  static constexpr int kMaxDescriptionLength = 255;

  // A factory describing itself as "<pluginName> View"; pluginName is a text that outlives the factory
  // (the generated registration function passes a literal). No plug-in yet.
  explicit IPlugAUViewFactory(const char* pluginName);

  // 0: the first version of the interface.
  unsigned interfaceVersion() override { return 0; }
  // The plug-in's editor view, made without a parent for the host to add to its window; null when the
  // unit does not answer the instance property or has no editor. The size is not used.
  NSView* uiViewForAudioUnit(AudioUnit inAudioUnit, NSSize inPreferredSize) override;
  // A new string "<pluginName> View", at most kMaxDescriptionLength bytes (caller owns); null when it cannot
  // be made.
  CFStringRef description() override;

private:
  const char* mPluginName;  // names the factory in description(), not owned
  IPlugAU* mPlug = nullptr; // the plug-in of the last view asked for, not owned
};
} // namespace iplug
