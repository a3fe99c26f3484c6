#include "AppOptions.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <cstring>

namespace iplug
{
namespace
{
  // Options that take no value, and the field each one sets.
  struct Flag
  {
    const char* name;
    bool AppOptions::*field;
  };
  constexpr Flag kFlags[] = {{"--help", &AppOptions::help},       {"--list-devices", &AppOptions::listDevices},
                             {"--no-gui", &AppOptions::noGui},    {"--connect", &AppOptions::connect},
                             {"--stats", &AppOptions::stats}};

  // Options that take a text, and the field it goes to.
  struct TextOption
  {
    const char* name;
    std::string AppOptions::*field;
  };
  constexpr TextOption kTexts[] = {{"--driver", &AppOptions::driver},    {"--input", &AppOptions::input},
                                   {"--output", &AppOptions::output},    {"--midi-in", &AppOptions::midiIn},
                                   {"--midi-out", &AppOptions::midiOut}, {"--state", &AppOptions::statePath}};

  // Options that take a positive whole number, its largest value and the field it goes to.
  struct NumberOption
  {
    const char* name;
    unsigned max;
    unsigned AppOptions::*field;
  };
  constexpr NumberOption kNumbers[] = {{"--rate", 768000, &AppOptions::rate}, {"--buffer", 8192, &AppOptions::buffer}};

  bool ReadNumber(const std::string& name, const std::string& text, unsigned max, unsigned& value, std::string& error)
  {
    unsigned parsed = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
    if (text.empty() || ec != std::errc() || ptr != end || parsed == 0 || parsed > max)
    {
      error = name + " takes a whole number from 1 to " + std::to_string(max) + ", not \"" + text + "\"";
      return false;
    }
    value = parsed;
    return true;
  }

  bool ReadSet(const std::string& text, AppOptions& options, std::string& error)
  {
    const size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0)
    {
      error = "--set takes NAME=VALUE, not \"" + text + "\"";
      return false;
    }
    options.sets.emplace_back(text.substr(0, equals), text.substr(equals + 1));
    return true;
  }
}

bool ParseAppOptions(int argc, const char* const* argv, AppOptions& options, std::string& error)
{
  for (int i = 1; i < argc; ++i)
  {
    std::string name = argv[i];
    std::string value;
    bool hasValue = false;
    if (const size_t equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos)
    {
      value = name.substr(equals + 1);
      name.resize(equals);
      hasValue = true;
    }
    if (name == "-h")
      name = "--help";

    bool known = false;
    for (const Flag& flag : kFlags)
    {
      if (name != flag.name)
        continue;
      if (hasValue)
      {
        error = name + " takes no value";
        return false;
      }
      options.*flag.field = true;
      known = true;
    }
    if (known)
      continue;

    const bool takesValue = name == "--set" ||
                            std::any_of(std::begin(kTexts), std::end(kTexts), [&](const TextOption& o) { return name == o.name; }) ||
                            std::any_of(std::begin(kNumbers), std::end(kNumbers), [&](const NumberOption& o) { return name == o.name; });
    if (!takesValue)
    {
      error = "unknown option " + name + " (see --help)";
      return false;
    }
    if (!hasValue)
    {
      if (i + 1 >= argc)
      {
        error = name + " needs a value";
        return false;
      }
      value = argv[++i];
    }
    if (name == "--set")
    {
      if (!ReadSet(value, options, error))
        return false;
      continue;
    }
    for (const TextOption& option : kTexts)
    {
      if (name != option.name)
        continue;
      if (value.empty())
      {
        error = name + " needs a value";
        return false;
      }
      options.*option.field = value;
    }
    for (const NumberOption& option : kNumbers)
    {
      if (name == option.name && !ReadNumber(name, value, option.max, options.*option.field, error))
        return false;
    }
  }
  if (!options.driver.empty() && options.driver != "jack" && options.driver != "alsa" && options.driver != "pulse")
  {
    error = "--driver takes jack, alsa or pulse, not \"" + options.driver + "\"";
    return false;
  }
  return true;
}

std::string AppUsage(const std::string& name)
{
  return "usage: " + name + " [options]\n"
         "Runs " + name + " on live audio (and MIDI where it takes or sends it), in a window of its own, or\n"
         "headless without a window system or with --no-gui until interrupted (Ctrl-C or SIGTERM).\n"
         "\n"
         "  --list-devices         list every driver's audio devices and MIDI ports, and exit\n"
         "  --driver jack|alsa|pulse   the audio driver\n"
         "  --input DEV            the input device, by name or by its number in --list-devices\n"
         "  --output DEV           the output device, likewise\n"
         "  --rate N               the sample rate in Hz (within what the device offers)\n"
         "  --buffer N             frames per block (JACK: the server's own)\n"
         "  --midi-in PORT         the MIDI input port, by name or number\n"
         "  --midi-out PORT        the MIDI output port, likewise\n"
         "  --connect              JACK: connect the ports to the input and output devices' ports\n"
         "  --set NAME=VALUE       set a parameter, in its units or by its display text (Duck=Bypassed)\n"
         "  --state FILE           read the plug-in's state from FILE and save it there, instead of the\n"
         "                         configuration folder\n"
         "  --no-gui               no window, even with a window system\n"
         "  --stats                print the DSP load and the xruns at exit, and the rows of the settings\n"
         "                         page if it is open\n"
         "  --help, -h             this text\n"
         "\n"
         "Settings and state are kept in $XDG_CONFIG_HOME/" + name + "/ (default ~/.config/" + name + "/).\n";
}

} // namespace iplug
