#include "AppSettings.h"

#include <charconv>

namespace iplug
{
namespace
{
  constexpr std::string_view kFormatLine = "format=1";
  constexpr std::string_view kEndLine = "end";
  // The largest number either numeric setting can hold.
  constexpr unsigned kMaxNumber = 768000;

  bool IsDriver(std::string_view name)
  {
    return name.empty() || name == "jack" || name == "alsa" || name == "pulse";
  }

  bool ReadNumber(std::string_view text, unsigned& value)
  {
    if (text.empty())
    {
      value = 0;
      return true;
    }
    unsigned parsed = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || ptr != text.data() + text.size() || parsed > kMaxNumber)
      return false;
    value = parsed;
    return true;
  }

  // Stores one key's value; false for an unknown key or a bad value.
  bool Store(std::string_view key, std::string_view value, AppSettings& settings)
  {
    if (key == "driver")
    {
      settings.driver = value;
      return IsDriver(value);
    }
    if (key == "input")
      settings.input = value;
    else if (key == "output")
      settings.output = value;
    else if (key == "midi-in")
      settings.midiIn = value;
    else if (key == "midi-out")
      settings.midiOut = value;
    else if (key == "rate")
      return ReadNumber(value, settings.rate);
    else if (key == "buffer")
      return ReadNumber(value, settings.buffer);
    else
      return false;
    return true;
  }
}

std::string FormatAppSettings(const AppSettings& settings)
{
  std::string text;
  text.append(kFormatLine).append("\n");
  text.append("driver=").append(settings.driver).append("\n");
  text.append("input=").append(settings.input).append("\n");
  text.append("output=").append(settings.output).append("\n");
  text.append("rate=").append(settings.rate ? std::to_string(settings.rate) : "").append("\n");
  text.append("buffer=").append(settings.buffer ? std::to_string(settings.buffer) : "").append("\n");
  text.append("midi-in=").append(settings.midiIn).append("\n");
  text.append("midi-out=").append(settings.midiOut).append("\n");
  text.append(kEndLine).append("\n");
  return text;
}

bool ParseAppSettings(std::string_view text, AppSettings& settings, std::string& reason)
{
  AppSettings read;
  bool first = true;
  bool ended = false;
  size_t lineNumber = 0;
  while (!text.empty())
  {
    const size_t newline = text.find('\n');
    if (newline == std::string_view::npos)
    {
      reason = "its last line is cut short";
      return false;
    }
    const std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline + 1);
    ++lineNumber;
    if (ended)
    {
      reason = "it goes on after its end";
      return false;
    }
    if (first)
    {
      first = false;
      if (line != kFormatLine)
      {
        reason = "it does not start with " + std::string(kFormatLine);
        return false;
      }
      continue;
    }
    if (line == kEndLine)
    {
      ended = true;
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || !Store(line.substr(0, equals), line.substr(equals + 1), read))
    {
      reason = "line " + std::to_string(lineNumber) + " is not a setting";
      return false;
    }
  }
  if (!ended)
  {
    reason = first ? "it is empty" : "it has no end line";
    return false;
  }
  settings = read;
  return true;
}

} // namespace iplug
