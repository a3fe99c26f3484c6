#include "LinuxDesktop.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include <sys/utsname.h>

namespace iplug::igraphics {

namespace {

constexpr double kBaseDpi = 96.; // the dpi of screen scale 1
constexpr int kMaxMajor = 0x7FFF;
constexpr int kMaxMinor = 0xFF;

std::string_view Trimmed(std::string_view text, std::string_view junk = " \t\r\n")
{
  const std::size_t first = text.find_first_not_of(junk);
  if (first == std::string_view::npos)
    return {};
  const std::size_t last = text.find_last_not_of(junk);
  return text.substr(first, last - first + 1);
}

// The value of the resource line "name: value" when its name is Xft.dpi and the value is a positive finite
// number; 0 otherwise.
double DpiOfLine(std::string_view line)
{
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || Trimmed(line.substr(0, colon)) != "Xft.dpi")
    return 0.;
  const std::string_view value = Trimmed(line.substr(colon + 1));
  double dpi = 0.;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), dpi);
  if (error != std::errc() || end != value.data() + value.size() || !std::isfinite(dpi) || dpi <= 0.)
    return 0.;
  return dpi;
}

bool EndsWith(std::string_view text, std::string_view suffix)
{
  if (text.size() < suffix.size())
    return false;
  const std::string_view tail = text.substr(text.size() - suffix.size());
  return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

// Reads a decimal number at the front of text and moves past it; -1 when text does not start with a digit.
int TakeNumber(std::string_view& text, int limit)
{
  if (text.empty() || text.front() < '0' || text.front() > '9')
    return -1;
  long long value = 0;
  while (!text.empty() && text.front() >= '0' && text.front() <= '9')
  {
    value = std::min<long long>(value * 10 + (text.front() - '0'), limit);
    text.remove_prefix(1);
  }
  return static_cast<int>(value);
}

// The next part of a dotted version after a ".", or 0 when there is none; a broken part ends the version.
int TakeDottedPart(std::string_view& text)
{
  if (text.empty() || text.front() != '.')
    return 0;
  text.remove_prefix(1);
  const int part = TakeNumber(text, kMaxMinor);
  if (part >= 0)
    return part;
  text = {};
  return 0;
}

} // namespace

float LinuxDesktop::ScreenScaleFromResources(const char* resources)
{
  std::string_view rest = resources ? resources : "";
  double dpi = 0.;
  while (!rest.empty())
  {
    const std::size_t newline = rest.find('\n');
    if (const double found = DpiOfLine(rest.substr(0, newline)); found > 0.)
      dpi = found;
    rest = newline == std::string_view::npos ? std::string_view() : rest.substr(newline + 1);
  }
  if (dpi <= 0.)
    return 1.f;
  return std::clamp(static_cast<float>(dpi / kBaseDpi), kMinScreenScale, kMaxScreenScale);
}

EUIAppearance LinuxDesktop::AppearanceFromSettings(const char* gtkTheme, const char* colorScheme)
{
  const std::string_view theme = Trimmed(gtkTheme ? gtkTheme : "");
  if (EndsWith(theme, ":dark") || EndsWith(theme, "-dark"))
    return kAppearanceDark;
  const std::string_view scheme = Trimmed(colorScheme ? colorScheme : "", " \t\r\n'\"");
  return scheme == "prefer-dark" ? kAppearanceDark : kAppearanceLight;
}

EUIAppearance LinuxDesktop::Appearance(LinuxProcessRunner& runner)
{
  const char* theme = std::getenv("GTK_THEME");
  if (AppearanceFromSettings(theme, nullptr) == kAppearanceDark)
    return kAppearanceDark;
  const LinuxProcessResult run =
    runner.Run({"gsettings", "get", "org.gnome.desktop.interface", "color-scheme"}, nullptr);
  if (!run.started || run.exitStatus != 0)
    return kAppearanceLight;
  return AppearanceFromSettings(theme, run.output.c_str());
}

EUIAppearance LinuxDesktop::Appearance()
{
  LinuxSpawnRunner runner;
  return Appearance(runner);
}

int LinuxDesktop::OSVersionFromRelease(const char* release)
{
  std::string_view rest = release ? release : "";
  const int major = TakeNumber(rest, kMaxMajor);
  if (major < 0)
    return 0;
  const int minor = TakeDottedPart(rest);
  const int patch = TakeDottedPart(rest);
  return major << 16 | minor << 8 | patch;
}

int LinuxDesktop::UserOSVersion()
{
  static const int version = [] {
    utsname name{};
    return uname(&name) == 0 ? OSVersionFromRelease(name.release) : 0;
  }();
  return version;
}

} // namespace iplug::igraphics
