#pragma once

#include <string>
#include <utility>
#include <vector>

namespace iplug
{

// What the standalone program was asked on its command line. Empty texts and zero numbers mean "not given":
// the saved settings, then the driver's defaults, decide.
struct AppOptions
{
  bool help = false;        // --help, -h: print the usage and exit
  bool listDevices = false; // --list-devices: print every driver's devices and MIDI ports and exit
  bool noGui = false;       // --no-gui: run headless even with a window system
  bool connect = false;     // --connect: JACK only, connect the program's ports to the devices' ports
  bool stats = false;       // --stats: print the DSP load, the xruns and an open settings page's rows at exit
  std::string driver;       // --driver jack|alsa|pulse
  std::string input;        // --input DEV: the input device's name (or its number in --list-devices)
  std::string output;       // --output DEV: the output device's name (or number)
  std::string midiIn;       // --midi-in PORT: the MIDI input port's name (or number)
  std::string midiOut;      // --midi-out PORT: the MIDI output port's name (or number)
  unsigned rate = 0;        // --rate N: sample rate in Hz
  unsigned buffer = 0;      // --buffer N: frames per device block
  std::string statePath;    // --state FILE: read the plug-in's state from and save it to FILE
  std::vector<std::pair<std::string, std::string>> sets; // --set NAME=VALUE, in order
};

// Reads argv[1..argc) into options; false with a one-line error text for an unknown option, a missing or
// malformed value. Options take their value as the next argument or after "=". [main-thread]
bool ParseAppOptions(int argc, const char* const* argv, AppOptions& options, std::string& error);

// The usage text for the program called name. [any-thread]
std::string AppUsage(const std::string& name);

} // namespace iplug
