#pragma once

#include <string>
#include <string_view>

namespace iplug
{

// The audio and MIDI settings the standalone program keeps between runs. Empty texts and zero numbers mean
// "the driver's default".
struct AppSettings
{
  std::string driver;  // "jack", "alsa" or "pulse"
  std::string input;   // input device name
  std::string output;  // output device name
  unsigned rate = 0;   // sample rate in Hz
  unsigned buffer = 0; // frames per device block
  std::string midiIn;  // MIDI input port name
  std::string midiOut; // MIDI output port name

  // Whether every setting is the same. [any-thread]
  bool operator==(const AppSettings&) const = default;
};

// The settings as the text file stores them: a format line, one "key=value" line per setting, then "end", so a
// file cut short is told from a complete one. [any-thread]
std::string FormatAppSettings(const AppSettings& settings);
// Reads what FormatAppSettings wrote; false with a short reason (and settings unchanged) for any other text:
// no format line, an unknown key, a bad value, a line without "=", or no "end". [any-thread]
bool ParseAppSettings(std::string_view text, AppSettings& settings, std::string& reason);

} // namespace iplug
