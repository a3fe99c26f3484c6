#pragma once

// Xlib's types come in through this header only as opaque pointers, so files that include it need not
// include Xlib (whose macros clash with names elsewhere).
struct _XDisplay;

namespace iplug::igraphics {

// Catches the X protocol errors of the requests one view makes on its display, for as long as the trap lives.
// Xlib's default handler ends the process on any error, and a window the host has destroyed turns every
// request of ours on it into one: the editor must never end or disturb its host for that. The handler is
// process-wide in Xlib, so a trap installs its own only for its lifetime and puts the previous one (the
// host's) back when it ends. Errors are counted in the trap, never in a global: an error on another display
// connection, or raised on another thread while ours is installed, goes to the previous handler as if we were
// not there. Traps nest on a thread; an inner trap on the same display counts into the outermost one, so a
// view's calls may each hold one without a round trip to the server for every call. [ui-thread]
class LinuxXErrorTrap
{
public:
  // Installs the trap on display (an Xlib Display*); sends what is queued first so older errors are not
  // counted here.
  explicit LinuxXErrorTrap(_XDisplay* display);
  // The outermost trap waits for the server's answers to every request made under it, then removes itself.
  ~LinuxXErrorTrap();
  LinuxXErrorTrap(const LinuxXErrorTrap&) = delete;
  LinuxXErrorTrap& operator=(const LinuxXErrorTrap&) = delete;

  // Whether any request made since the outermost trap was installed failed. The outermost trap waits for the
  // server's answers first; an inner one tells what has been counted so far, the rest being the outer's to see.
  bool Failed();
  // Whether this trap is the outermost on its display on this thread: the one that counts and waits.
  bool IsOutermost() const { return mCounter == this; }

private:
  friend struct LinuxXErrorTrapAccess; // the handler, which Xlib's types keep out of this header

  using AnyHandler = void (*)(); // the previous handler, as Xlib's XErrorHandler once cast back

  _XDisplay* mDisplay;
  LinuxXErrorTrap* mOuter; // the trap this one nests in on this thread, or null
  LinuxXErrorTrap* mCounter; // the outermost trap on the same display: where errors are counted
  AnyHandler mPrevious = nullptr; // the handler to restore; set in the outermost trap on a display only
  int mErrors = 0;
};

} // namespace iplug::igraphics
