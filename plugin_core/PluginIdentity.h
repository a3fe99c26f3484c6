#pragma once

#include <string>

#include "Config.h"

namespace iplug
{
// The identity of a plug-in as its build reads it (names, four-character codes, component type, version,
// bundle identifier), taken from its configuration so that no build file repeats what the configuration
// declares. Written as a CMake script of set() lines with IPLUG_ names, which bundle property lists,
// package versions and desktop entries are made from.
class PluginIdentity
{
public:
  // config's texts must outlive the object. [any-thread]
  explicit PluginIdentity(const Config& config) : mConfig(config) {}

  // The component type: "aumu" for an instrument, "aumi" for a MIDI effect, "aumf" for an effect that takes
  // MIDI, else "aufx". [any-thread]
  std::string ComponentType() const;
  // The version as text, "major.minor.bug-fix". [any-thread]
  std::string VersionText() const;
  // The text of the CMake script. [any-thread]
  std::string Script() const;
  // Writes the script to path through a temporary file renamed over it, so a reader never sees half of it;
  // false when it cannot be written. [main-thread]
  bool Write(const std::string& path) const;

  // A four-character code as text, first character from the most significant byte. [any-thread]
  static std::string CodeText(int code);

private:
  const Config& mConfig;
};
} // namespace iplug
