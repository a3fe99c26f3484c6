#pragma once

// A plug-in whose Audio Unit entry points the build generates (tidewell_au_bundle with CLASS and MIDI_IN),
// as any product gets them: a stereo effect that takes MIDI and offers an editor, so that the generated
// names, the view factory class it reports and the MIDI selectors are checked for a product other than
// Tidewell. It passes audio through and does nothing else.

#include "FourCC.h"
#include "IPlugAU.h"

// The test product behind EntryPlug.component.
class EntryPlug final : public iplug::IPlugAU
{
public:
  // A plug-in with no parameters, built for the factory. [main-thread]
  explicit EntryPlug(const iplug::InstanceInfo& info)
    : IPlugAU(info, iplug::Config{.channelIO = "2-2",
                                  .pluginName = "EntryPlug",
                                  .productName = "EntryPlug",
                                  .makerName = "Tidewell Tests",
                                  .vendorVersion = 0x00010000,
                                  .uniqueId = static_cast<int>(iplug::FourCC("entp")),
                                  .makerId = static_cast<int>(iplug::FourCC("Twau")),
                                  .receivesMidi = true,
                                  .hasEditor = true,
                                  .editorWidth = 100,
                                  .editorHeight = 100,
                                  .editorMinWidth = 100,
                                  .editorMaxWidth = 100,
                                  .editorMinHeight = 100,
                                  .editorMaxHeight = 100,
                                  .bundleId = "com.tidewell.test.entryplug"})
  {
  }
};
