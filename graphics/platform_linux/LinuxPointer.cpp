#include "LinuxPointer.h"

#include <cmath>

// Xlib's macros clash with names in the headers above: it comes last.
#include <X11/Xlib.h>

namespace iplug::igraphics {

namespace {

PuglCursor PuglCursorFor(ECursor cursor)
{
  switch (cursor)
  {
  case kCursorIBeam: return PUGL_CURSOR_CARET;
  case kCursorCross: return PUGL_CURSOR_CROSSHAIR;
  case kCursorUpArrow:
  case kCursorSizeNS: return PUGL_CURSOR_UP_DOWN;
  case kCursorSizeWE: return PUGL_CURSOR_LEFT_RIGHT;
  case kCursorSizeNWSE: return PUGL_CURSOR_DIAGONAL;
  case kCursorSizeNESW: return PUGL_CURSOR_ANTI_DIAGONAL;
  case kCursorNo: return PUGL_CURSOR_NO;
  case kCursorHand: return PUGL_CURSOR_HAND;
  default: return PUGL_CURSOR_ARROW;
  }
}

Display* DisplayOf(PuglView* view)
{
  return static_cast<Display*>(puglGetNativeWorld(puglGetWorld(view)));
}

Window WindowOf(PuglView* view)
{
  return static_cast<Window>(puglGetNativeView(view));
}

} // namespace

LinuxPointer::LinuxPointer(PuglView* view)
  : mView(view)
{
}

void LinuxPointer::SetCursor(ECursor cursor)
{
  if (mVisible)
    puglSetCursor(mView, PuglCursorFor(cursor));
}

void LinuxPointer::SetVisible(bool visible, ECursor current)
{
  if (visible == mVisible)
    return;
  mVisible = visible;
  Display* display = DisplayOf(mView);
  const Window window = WindowOf(mView);
  if (visible)
  {
    XUndefineCursor(display, window);
    puglSetCursor(mView, PuglCursorFor(current));
  }
  else
  {
    if (!mBlankCursor)
    {
      // An empty 1x1 bitmap as both shape and mask: X11's way to a pointer that draws nothing.
      static const char kEmpty[1] = {0};
      const Pixmap pixmap = XCreateBitmapFromData(display, window, kEmpty, 1, 1);
      XColor black{};
      mBlankCursor = XCreatePixmapCursor(display, pixmap, pixmap, &black, &black, 0, 0);
      XFreePixmap(display, pixmap);
    }
    XDefineCursor(display, window, mBlankCursor);
  }
  XFlush(display);
}

void LinuxPointer::Warp(float x, float y)
{
  Display* display = DisplayOf(mView);
  XWarpPointer(display, None, WindowOf(mView), 0, 0, 0, 0, static_cast<int>(std::lround(x)),
               static_cast<int>(std::lround(y)));
  XFlush(display);
}

bool LinuxPointer::Query(float& x, float& y) const
{
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned mask = 0;
  if (!XQueryPointer(DisplayOf(mView), WindowOf(mView), &root, &child, &rootX, &rootY, &winX, &winY, &mask))
    return false;
  x = static_cast<float>(winX);
  y = static_cast<float>(winY);
  return true;
}

void LinuxPointer::WindowToScreen(float& x, float& y) const
{
  Display* display = DisplayOf(mView);
  Window child = 0;
  int rootX = 0, rootY = 0;
  XTranslateCoordinates(display, WindowOf(mView), DefaultRootWindow(display), static_cast<int>(x),
                        static_cast<int>(y), &rootX, &rootY, &child);
  x = static_cast<float>(rootX);
  y = static_cast<float>(rootY);
}

void LinuxPointer::Release()
{
  if (mBlankCursor)
    XFreeCursor(DisplayOf(mView), mBlankCursor);
  mBlankCursor = 0;
}

} // namespace iplug::igraphics
