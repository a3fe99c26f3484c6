#pragma once

#include <AudioToolbox/AudioToolbox.h>

#include <string>

// Finds the Tidewell component as a host does, through the platform's component search. A bundle
// outside the components folders is registered by path first, so it wins over an installed copy.
class ComponentLocator
{
public:
  // The component's identity: an effect ("aufx") with subtype "xhm2" from manufacturer "Klvn".
  static AudioComponentDescription TidewellDescription();

  // The identity Find looks for: the one bundlePath's Info.plist declares, or Tidewell's for an empty path (or a
  // bundle that declares none). Main thread.
  static AudioComponentDescription WantedDescription(const std::string& bundlePath);
  // The first entry of the AudioComponents array in bundlePath's Info.plist; false when there is none.
  static bool DescriptionInBundle(const std::string& bundlePath, AudioComponentDescription& description);
  // Registers bundlePath and returns the component its Info.plist declares, or, for an empty path, registers
  // the bundle this build tree produces (when it exists) and returns the first Tidewell component; null with
  // a one-line error text when there is none. Main thread.
  static AudioComponent Find(const std::string& bundlePath, std::string& error);

  // The bundle this build tree produces; it may not exist yet.
  static std::string DevelopmentBundle();
};
