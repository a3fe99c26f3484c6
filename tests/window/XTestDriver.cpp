#include "XTestDriver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

XTestDriver::XTestDriver()
{
  Display* display = XOpenDisplay(nullptr);
  int event = 0, error = 0, major = 0, minor = 0;
  if (display && !XTestQueryExtension(display, &event, &error, &major, &minor))
  {
    XCloseDisplay(display);
    display = nullptr;
  }
  mDisplay = display;
}

XTestDriver::~XTestDriver()
{
  if (mDisplay)
    XCloseDisplay(mDisplay);
}

unsigned long XTestDriver::FindWindow(const std::string& name) const
{
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  unsigned long found = 0;
  if (!XQueryTree(mDisplay, DefaultRootWindow(mDisplay), &root, &parent, &children, &count))
    return 0;
  for (unsigned i = 0; i < count && !found; ++i)
  {
    char* title = nullptr;
    if (XFetchName(mDisplay, children[i], &title) && title)
    {
      if (name == title)
        found = children[i];
      XFree(title);
    }
  }
  if (children)
    XFree(children);
  return found;
}

bool XTestDriver::Size(unsigned long window, int& width, int& height) const
{
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(mDisplay, window, &attributes))
    return false;
  width = attributes.width;
  height = attributes.height;
  return true;
}

void XTestDriver::Origin(unsigned long window, int& x, int& y) const
{
  Window child = 0;
  XTranslateCoordinates(mDisplay, window, DefaultRootWindow(mDisplay), 0, 0, &x, &y, &child);
}

int XTestDriver::TopLevelCount() const
{
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  XQueryTree(mDisplay, DefaultRootWindow(mDisplay), &root, &parent, &children, &count);
  if (children)
    XFree(children);
  return static_cast<int>(count);
}

void XTestDriver::MoveTo(unsigned long window, int x, int y)
{
  int ox = 0, oy = 0;
  Origin(window, ox, oy);
  XTestFakeMotionEvent(mDisplay, -1, ox + x, oy + y, CurrentTime);
  Flush();
}

void XTestDriver::MoveBy(int dx, int dy)
{
  XTestFakeRelativeMotionEvent(mDisplay, dx, dy, CurrentTime);
  Flush();
}

void XTestDriver::DragBy(unsigned long window, int x, int y, int dx, int dy, int steps, const std::function<void()>& between)
{
  MoveTo(window, x, y);
  Button(1, true);
  for (int i = 0; i < steps; ++i)
  {
    if (between)
      between();
    MoveBy(dx, dy);
  }
  if (between)
    between();
  Button(1, false);
}

void XTestDriver::Button(int button, bool down)
{
  XTestFakeButtonEvent(mDisplay, static_cast<unsigned>(button), down ? True : False, CurrentTime);
  Flush();
}

void XTestDriver::Click(unsigned long window, int x, int y, int button)
{
  MoveTo(window, x, y);
  Button(button, true);
  Button(button, false);
}

void XTestDriver::Drag(unsigned long window, int x0, int y0, int x1, int y1, int steps, const std::function<void()>& between)
{
  MoveTo(window, x0, y0);
  Button(1, true);
  for (int i = 1; i <= steps; ++i)
  {
    if (between)
      between();
    MoveTo(window, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
  }
  if (between)
    between();
  Button(1, false);
}

void XTestDriver::Key(unsigned long keysym, bool shift)
{
  const KeyCode code = XKeysymToKeycode(mDisplay, keysym);
  const KeyCode shiftCode = XKeysymToKeycode(mDisplay, XK_Shift_L);
  if (shift)
    XTestFakeKeyEvent(mDisplay, shiftCode, True, CurrentTime);
  XTestFakeKeyEvent(mDisplay, code, True, CurrentTime);
  XTestFakeKeyEvent(mDisplay, code, False, CurrentTime);
  if (shift)
    XTestFakeKeyEvent(mDisplay, shiftCode, False, CurrentTime);
  Flush();
}

void XTestDriver::Focus(unsigned long window)
{
  XSetInputFocus(mDisplay, window, RevertToParent, CurrentTime);
  Flush();
}

void XTestDriver::RequestClose(unsigned long window)
{
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(mDisplay, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(mDisplay, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(mDisplay, window, False, NoEventMask, &event);
  XFlush(mDisplay);
}

void XTestDriver::Flush()
{
  XSync(mDisplay, False);
}

bool WaitFor(const std::function<bool()>& check, double seconds, const std::function<void()>& pump)
{
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;)
  {
    if (check())
      return true;
    if (std::chrono::steady_clock::now() >= end)
      return false;
    if (pump)
      pump();
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}
