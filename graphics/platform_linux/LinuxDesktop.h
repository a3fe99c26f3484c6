#pragma once

#include "IGraphicsConstants.h"
#include "LinuxDialogs.h"

namespace iplug::igraphics {

// Facts about the desktop the Linux window layer reports to the graphics core: the screen scale, the light
// or dark appearance and the system's version. The parsers take the desktop's texts as arguments, so they
// work without a display.
class LinuxDesktop
{
public:
  static constexpr float kMinScreenScale = 1.f; // smallest screen scale reported: no display is coarser than 96 dpi
  static constexpr float kMaxScreenScale = 4.f; // largest screen scale reported (384 dpi)

  // The screen scale from the X resource database text (what XResourceManagerString returns, "name:\tvalue"
  // lines): Xft.dpi / 96, clamped to kMinScreenScale .. kMaxScreenScale; the last Xft.dpi line wins, as in the
  // resource database. 1 when resources is null, has no Xft.dpi or its value is no positive finite number.
  // [any-thread]
  static float ScreenScaleFromResources(const char* resources);

  // The appearance the desktop asks for: dark when the GTK theme (the GTK_THEME variable, e.g. "Adwaita:dark")
  // ends in ":dark" or "-dark", or when the colour-scheme setting (org.gnome.desktop.interface color-scheme,
  // as gsettings prints it, quotes allowed) is "prefer-dark"; light otherwise. Either may be null. [any-thread]
  static EUIAppearance AppearanceFromSettings(const char* gtkTheme, const char* colorScheme);

  // The appearance of this desktop: GTK_THEME from the environment and the colour scheme read by running
  // "gsettings get org.gnome.desktop.interface color-scheme" through runner (skipped when the theme already
  // says dark; light when gsettings is missing or fails). [ui-thread]
  static EUIAppearance Appearance(LinuxProcessRunner& runner);
  // Appearance(runner) with a LinuxSpawnRunner. [ui-thread]
  static EUIAppearance Appearance();

  // The kernel release text of uname ("6.1.0-18-amd64") as major << 16 | minor << 8 | patch (0x060100),
  // minor and patch clamped to 255 and major to 32767, missing parts 0, reading stops at a part that is no
  // number; 0 when release is null or does not start with a number. Comparable as an integer: a later
  // release gives a larger value. [any-thread]
  static int OSVersionFromRelease(const char* release);

  // The running system's version, OSVersionFromRelease of uname's release; read once and kept, 0 when uname
  // fails. [any-thread]
  static int UserOSVersion();
};

} // namespace iplug::igraphics
