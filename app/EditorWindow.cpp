#include "EditorWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

EditorWindow* EditorWindow::Create(const std::string& title, int width, int height, std::string& error)
{
  Display* display = XOpenDisplay(nullptr);
  if (!display)
  {
    error = "no X display to open the editor in (is DISPLAY set?)";
    return nullptr;
  }
  auto* window = new EditorWindow();
  window->mDisplay = display;
  const int screen = DefaultScreen(display);
  window->mWindow = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                                        static_cast<unsigned>(height), 0, BlackPixel(display, screen), BlackPixel(display, screen));
  XStoreName(display, window->mWindow, title.c_str());
  // StructureNotify tells of the window's destruction when no window manager sends a close request.
  XSelectInput(display, window->mWindow, StructureNotifyMask);
  Atom deleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window->mWindow, &deleteAtom, 1);
  window->mDeleteAtom = deleteAtom;
  XMapRaised(display, window->mWindow);
  XSync(display, False);
  return window;
}

EditorWindow::~EditorWindow()
{
  auto* display = static_cast<Display*>(mDisplay);
  if (!mDestroyed)
    XDestroyWindow(display, mWindow);
  XCloseDisplay(display);
}

void EditorWindow::Resize(int width, int height)
{
  if (!mOpen || width <= 0 || height <= 0)
    return;
  auto* display = static_cast<Display*>(mDisplay);
  XResizeWindow(display, mWindow, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XFlush(display);
}

bool EditorWindow::Poll()
{
  auto* display = static_cast<Display*>(mDisplay);
  while (mOpen && XPending(display) > 0)
  {
    XEvent event;
    XNextEvent(display, &event);
    // A close request leaves the window in place until the editor inside it has been removed.
    if (event.type == ClientMessage && static_cast<unsigned long>(event.xclient.data.l[0]) == mDeleteAtom)
      mOpen = false;
    else if (event.type == DestroyNotify && event.xdestroywindow.window == mWindow)
    {
      mOpen = false;
      mDestroyed = true;
    }
  }
  return mOpen;
}
