#pragma once

struct _XDisplay;

namespace iplug::igraphics {

// The screen scale a view follows: the desktop's (the X server's Xft.dpi, 96 dpi = 1), read again now and then
// because desktops change it while programs run — until the host sets a scale of its own, which then wins
// for the view's life: a host that scales its editors knows better than the desktop's default. [ui-thread]
class LinuxScreenScale
{
public:
  // How often the desktop's setting is read again, seconds.
  static constexpr double kCheckInterval = 1.0;

  // The desktop's scale on display (an Xlib Display*): Xft.dpi from the root window's resources, clamped to
  // the densities a display can have; 1 without the setting.
  static float Read(_XDisplay* display);

  // The desktop's scale when it is due to be read again at now (seconds, steady clock) and the host has set
  // none; 0 otherwise.
  float Poll(_XDisplay* display, double now);
  // The host set the view's scale: the desktop's no longer applies.
  void SetByHost() { mSetByHost = true; }

private:
  double mLastCheck = 0.0;
  bool mSetByHost = false;
};

} // namespace iplug::igraphics
