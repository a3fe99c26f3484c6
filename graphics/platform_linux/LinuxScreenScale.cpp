#include "LinuxScreenScale.h"

#include <string>

#include "LinuxDesktop.h"

// Xlib's macros clash with names in the headers above: it comes last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace iplug::igraphics {

float LinuxScreenScale::Read(_XDisplay* display)
{
  if (!display)
    return 1.f;
  // The root window's property is current; the string the connection cached at open is not.
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  const Atom resources = XInternAtom(display, "RESOURCE_MANAGER", True);
  float scale = 1.f;
  if (resources != None &&
      XGetWindowProperty(display, DefaultRootWindow(display), resources, 0, 1 << 16, False, XA_STRING, &type, &format,
                         &count, &remaining, &data) == Success &&
      data)
  {
    const std::string text(reinterpret_cast<const char*>(data), count);
    scale = LinuxDesktop::ScreenScaleFromResources(text.c_str());
  }
  if (data)
    XFree(data);
  return scale;
}

float LinuxScreenScale::Poll(_XDisplay* display, double now)
{
  if (mSetByHost || now - mLastCheck < kCheckInterval)
    return 0.f;
  mLastCheck = now;
  return Read(display);
}

} // namespace iplug::igraphics
