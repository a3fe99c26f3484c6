#include "LinuxClipboard.h"

#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <thread>

// Xlib's macros clash with names in the headers above: it comes last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace iplug::igraphics {

namespace {

// How long a paste waits for another program's answer, seconds.
constexpr double kOwnerAnswerWait = 0.5;

// The text each window of this process last offered, by window id. Editors may live on different UI threads.
struct OfferedTexts
{
  std::mutex mutex;
  std::map<unsigned long, std::string> byWindow;
};

OfferedTexts& Offered()
{
  static OfferedTexts texts;
  return texts;
}

double Now()
{
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

LinuxClipboard::LinuxClipboard(PuglView* view)
  : mView(view)
  , mWindow(static_cast<unsigned long>(puglGetNativeView(view)))
{
}

LinuxClipboard::~LinuxClipboard()
{
  OfferedTexts& offered = Offered();
  const std::lock_guard<std::mutex> lock(offered.mutex);
  offered.byWindow.erase(mWindow);
}

bool LinuxClipboard::SetText(const char* str)
{
  if (!str)
    return false;
  {
    OfferedTexts& offered = Offered();
    const std::lock_guard<std::mutex> lock(offered.mutex);
    offered.byWindow[mWindow] = str;
  }
  return puglSetClipboard(mView, "text/plain", str, std::strlen(str) + 1) == PUGL_SUCCESS;
}

bool LinuxClipboard::GetText(WDL_String& str)
{
  str.Set("");
  auto* display = static_cast<Display*>(puglGetNativeWorld(puglGetWorld(mView)));
  const Window owner = XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False));
  if (owner == None)
    return false;
  {
    OfferedTexts& offered = Offered();
    const std::lock_guard<std::mutex> lock(offered.mutex);
    const auto found = offered.byWindow.find(owner);
    if (found != offered.byWindow.end())
    {
      str.Set(found->second.c_str());
      return str.GetLength() > 0;
    }
  }
  return AskOwner(str);
}

bool LinuxClipboard::AskOwner(WDL_String& str)
{
  auto* display = static_cast<Display*>(puglGetNativeWorld(puglGetWorld(mView)));
  const Window window = mWindow;
  // Ask the owner for UTF-8 text into a property of our window and wait briefly for its answer; only that
  // one event is taken from the queue, everything else stays for Pugl.
  const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  const Atom target = XInternAtom(display, "IGRAPHICS_CLIPBOARD", False);
  XConvertSelection(display, clipboard, utf8, target, window, CurrentTime);
  XFlush(display);
  XEvent event;
  const double deadline = Now() + kOwnerAnswerWait;
  bool answered = false;
  while (!answered && Now() < deadline)
  {
    if (XCheckTypedWindowEvent(display, window, SelectionNotify, &event))
      answered = true;
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (!answered || event.xselection.property == None)
    return false;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, target, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count, &remaining,
                         &data) != Success)
    return false;
  if (data && format == 8)
    str.Set(reinterpret_cast<const char*>(data), static_cast<int>(count));
  if (data)
    XFree(data);
  return str.GetLength() > 0;
}

} // namespace iplug::igraphics
