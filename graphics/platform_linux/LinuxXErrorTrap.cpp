#include "LinuxXErrorTrap.h"

#include <atomic>

#include <X11/Xlib.h>

namespace iplug::igraphics {

namespace {

// The innermost trap of this thread. Xlib calls the handler on the thread that reads the reply, which is the
// thread that made the request and waits in XSync, so a thread's traps see only that thread's errors.
thread_local LinuxXErrorTrap* tInnermost = nullptr;
// The handler our first trap found installed: the one that judges errors raised on threads with no trap of
// ours while a trap on another thread has our handler in place.
std::atomic<XErrorHandler> sHostHandler{nullptr};

} // namespace

struct LinuxXErrorTrapAccess
{
  static int Handle(Display* display, XErrorEvent* event)
  {
    for (LinuxXErrorTrap* trap = tInnermost; trap; trap = trap->mOuter)
    {
      if (trap->mDisplay == display)
      {
        trap->mCounter->mErrors++;
        return 0;
      }
    }
    // Not ours: the handler that was there before the thread's outermost trap judges it (inner traps on other
    // displays saved ours).
    LinuxXErrorTrap::AnyHandler outermost = nullptr;
    for (LinuxXErrorTrap* trap = tInnermost; trap; trap = trap->mOuter)
      if (trap->mPrevious)
        outermost = trap->mPrevious;
    XErrorHandler previous = reinterpret_cast<XErrorHandler>(outermost);
    if (!previous || previous == Handle)
      previous = sHostHandler.load();
    return previous && previous != Handle ? previous(display, event) : 0;
  }
};

LinuxXErrorTrap::LinuxXErrorTrap(_XDisplay* display)
  : mDisplay(display)
  , mOuter(tInnermost)
  , mCounter(this)
{
  for (LinuxXErrorTrap* trap = mOuter; trap; trap = trap->mOuter)
    if (trap->mDisplay == display)
      mCounter = trap->mCounter;
  if (mCounter == this)
  {
    // Errors of requests made before the trap belong to whoever made them.
    XSync(mDisplay, False);
    const XErrorHandler previous = XSetErrorHandler(LinuxXErrorTrapAccess::Handle);
    if (previous != LinuxXErrorTrapAccess::Handle)
      sHostHandler.store(previous);
    mPrevious = reinterpret_cast<AnyHandler>(previous);
  }
  tInnermost = this;
}

LinuxXErrorTrap::~LinuxXErrorTrap()
{
  if (mCounter == this)
  {
    XSync(mDisplay, False);
    XSetErrorHandler(reinterpret_cast<XErrorHandler>(mPrevious));
  }
  tInnermost = mOuter;
}

bool LinuxXErrorTrap::Failed()
{
  // Only the outermost trap waits for the server: a wait reads every pending event into the queue, and an
  // inner trap may be inside Pugl's event loop, which would then never find its queue empty.
  if (mCounter == this)
    XSync(mDisplay, False);
  return mCounter->mErrors != 0;
}

} // namespace iplug::igraphics
