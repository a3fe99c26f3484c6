#include "LinuxInputTranslator.h"

#include <chrono>
#include <cmath>

#include "IGraphicsLinux.h"
#include "LinuxKeyTable.h"
#include "LinuxTooltip.h"

// Xlib's macros clash with names in the headers above: it comes last.
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>

namespace iplug::igraphics {

namespace {

// Two presses of one button this close in time (seconds) and space (device pixels) make a double click;
// X11 has no click count of its own. 400 ms is the common desktop default.
constexpr double kDoubleClickTime = 0.4;
constexpr float kDoubleClickDistance = 4.f;

double Now()
{
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

IMouseMod ModsFrom(PuglMods state, bool left, bool right)
{
  return IMouseMod(left, right, (state & PUGL_MOD_SHIFT) != 0, (state & PUGL_MOD_CTRL) != 0,
                   (state & PUGL_MOD_ALT) != 0);
}

Display* DisplayOf(PuglView* view)
{
  return static_cast<Display*>(puglGetNativeWorld(puglGetWorld(view)));
}

} // namespace

LinuxInputTranslator::LinuxInputTranslator(PuglView* view, IGraphicsLinux* const& graphics, LinuxTooltip& tooltip)
  : mView(view)
  , mGraphics(graphics)
  , mTooltip(tooltip)
{
}

void LinuxInputTranslator::Dispatch(const PuglEvent& event)
{
  if (!mGraphics)
    return;
  IGraphicsLinux& graphics = *mGraphics;
  switch (event.type)
  {
  case PUGL_BUTTON_PRESS: OnButton(graphics, event.button, true); break;
  case PUGL_BUTTON_RELEASE: OnButton(graphics, event.button, false); break;
  case PUGL_MOTION: OnMotion(graphics, event.motion); break;
  case PUGL_SCROLL:
  {
    float x = 0.f, y = 0.f;
    UserPosition(graphics, event.scroll.x, event.scroll.y, x, y);
    graphics.OnMouseWheel(x, y, ModsFrom(event.scroll.state, false, false), static_cast<float>(event.scroll.dy));
    break;
  }
  case PUGL_KEY_PRESS: OnKey(graphics, event.key, true); break;
  case PUGL_KEY_RELEASE: OnKey(graphics, event.key, false); break;
  case PUGL_POINTER_IN: OnCrossing(graphics, true); break;
  case PUGL_POINTER_OUT: OnCrossing(graphics, false); break;
  default: break;
  }
}

void LinuxInputTranslator::UpdateFocus()
{
  const bool wantsKeys = mGraphics && mGraphics->GetEntryTarget() != nullptr;
  if (wantsKeys == mHoldsFocus)
    return;
  Display* display = DisplayOf(mView);
  const auto window = static_cast<Window>(puglGetNativeView(mView));
  if (wantsKeys)
  {
    Window before = 0;
    XGetInputFocus(display, &before, &mFocusRevertBefore);
    mFocusBefore = before;
    puglGrabFocus(mView);
    mHoldsFocus = true;
    return;
  }
  mHoldsFocus = false;
  // Only a focus that is still ours is handed back: if the user has moved on, their choice stands.
  Window now = 0;
  int revert = 0;
  XGetInputFocus(display, &now, &revert);
  if (now == window && mFocusBefore != 0)
    XSetInputFocus(display, mFocusBefore, mFocusRevertBefore, CurrentTime);
  XFlush(display);
}

void LinuxInputTranslator::UserPosition(IGraphicsLinux& graphics, double px, double py, float& x, float& y)
{
  const float s = graphics.GetDrawScale() * graphics.GetScreenScale();
  x = static_cast<float>(px) / s;
  y = static_cast<float>(py) / s;
  // While the pointer is locked this puts it back and keeps the locked place as the previous position, so
  // the next event's distance from it is the motion.
  graphics.DoCursorLock(x, y, mPrevX, mPrevY);
}

void LinuxInputTranslator::OnButton(IGraphicsLinux& graphics, const PuglButtonEvent& b, bool down)
{
  // Buttons 3 and up are the wheel on some servers and extra buttons on others; the wheel arrives as scrolls.
  if (b.button > 1)
    return;
  const bool left = b.button == 0;
  const unsigned bit = 1u << b.button;
  mButtonsDown = down ? (mButtonsDown | bit) : (mButtonsDown & ~bit);
  IMouseInfo info;
  UserPosition(graphics, b.x, b.y, info.x, info.y);
  // As a command-click on the Mac, a control-click counts as a left-and-right click.
  info.ms = ModsFrom(b.state, left, !left || (b.state & PUGL_MOD_CTRL) != 0);
  if (!down)
  {
    graphics.OnMouseUp({info});
    // The release may have closed the editor.
    if (mMouseOutDuringDrag && mGraphics)
    {
      mGraphics->OnMouseOut();
      mMouseOutDuringDrag = false;
    }
    return;
  }
  if (!left)
  {
    graphics.OnMouseDown({info});
    return;
  }
  const bool repeat = b.button == mLastButton && b.time - mLastPressTime <= kDoubleClickTime &&
                      std::fabs(static_cast<float>(b.x) - mLastPressX) <= kDoubleClickDistance &&
                      std::fabs(static_cast<float>(b.y) - mLastPressY) <= kDoubleClickDistance;
  mClickCount = repeat ? mClickCount + 1 : 1;
  mLastButton = b.button;
  mLastPressTime = b.time;
  mLastPressX = static_cast<float>(b.x);
  mLastPressY = static_cast<float>(b.y);
  if (mClickCount % 2 == 0)
    graphics.OnMouseDblClick(info.x, info.y, info.ms);
  else
    graphics.OnMouseDown({info});
}

void LinuxInputTranslator::OnMotion(IGraphicsLinux& graphics, const PuglMotionEvent& m)
{
  mTooltip.PointerMoved(Now());
  const float prevX = mPrevX;
  const float prevY = mPrevY;
  IMouseInfo info;
  UserPosition(graphics, m.x, m.y, info.x, info.y);
  // With a button held the motion is a drag, whether or not a control holds the pointer (a corner-resize
  // drag holds none).
  if (mButtonsDown != 0)
  {
    const bool left = (mButtonsDown & 1u) != 0;
    info.ms = ModsFrom(m.state, left, !left || (m.state & PUGL_MOD_CTRL) != 0);
    info.dX = info.x - prevX;
    info.dY = info.y - prevY;
    graphics.OnMouseDrag({info});
    return;
  }
  info.ms = ModsFrom(m.state, false, false);
  graphics.OnMouseOver(info.x, info.y, info.ms);
}

void LinuxInputTranslator::OnCrossing(IGraphicsLinux& graphics, bool entered)
{
  if (entered)
  {
    mMouseOutDuringDrag = false;
    graphics.SetMouseCursor(graphics.GetMouseCursor());
    return;
  }
  mTooltip.PointerLeft();
  if (graphics.ControlIsCaptured())
    mMouseOutDuringDrag = true;
  else
    graphics.OnMouseOut();
}

void LinuxInputTranslator::OnKey(IGraphicsLinux& graphics, const PuglKeyEvent& k, bool down)
{
  Display* display = DisplayOf(mView);
  // Pugl keeps the raw key code; the key table wants the X event's KeySyms, so the event is rebuilt.
  XKeyEvent xkey{};
  xkey.type = down ? KeyPress : KeyRelease;
  xkey.display = display;
  xkey.window = static_cast<Window>(puglGetNativeView(mView));
  xkey.keycode = k.keycode;
  // Pugl reports Shift, Control and Alt only; the typed character also depends on Caps Lock and the level
  // keys (AltGr), which the keyboard's current state holds.
  XkbStateRec keyboard{};
  const unsigned current = XkbGetState(display, XkbUseCoreKbd, &keyboard) == Success ? keyboard.mods : 0u;
  xkey.state = (current & ~(ShiftMask | ControlMask | Mod1Mask)) | ((k.state & PUGL_MOD_SHIFT) ? ShiftMask : 0u) |
               ((k.state & PUGL_MOD_CTRL) ? ControlMask : 0u) | ((k.state & PUGL_MOD_ALT) ? Mod1Mask : 0u);
  LinuxKeyEvent key;
  key.keycode = k.keycode;
  key.state = xkey.state;
  key.keysym = XLookupKeysym(&xkey, 0);
  char typed[8];
  KeySym typedKeysym = NoSymbol;
  XLookupString(&xkey, typed, sizeof(typed), &typedKeysym, nullptr);
  key.typedKeysym = typedKeysym;
  const IKeyPress press = LinuxKeyEventToKeyPress(key);
  const bool handled = !LinuxIsModifierKey(key.keysym) &&
                       (down ? graphics.OnKeyDown(mPrevX, mPrevY, press) : graphics.OnKeyUp(mPrevX, mPrevY, press));
  // A key may close the editor; its window then no longer exists to forward from.
  if (!handled && mGraphics)
    ForwardKeyToParent(k, down, xkey.state);
}

void LinuxInputTranslator::ForwardKeyToParent(const PuglKeyEvent& k, bool down, unsigned state)
{
  Display* display = DisplayOf(mView);
  const auto window = static_cast<Window>(puglGetNativeView(mView));
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count))
    return;
  if (children)
    XFree(children);
  // A view not yet placed in a host's window has nobody to hand keys to.
  if (parent == 0 || parent == root)
    return;
  // The event as the server would have reported it to the parent had our window not selected keys.
  XEvent event{};
  XKeyEvent& xkey = event.xkey;
  xkey.type = down ? KeyPress : KeyRelease;
  xkey.display = display;
  xkey.window = parent;
  xkey.root = root;
  xkey.subwindow = window;
  xkey.time = static_cast<Time>(k.time * 1000.0);
  Window child = 0;
  XTranslateCoordinates(display, window, parent, static_cast<int>(k.x), static_cast<int>(k.y), &xkey.x, &xkey.y, &child);
  xkey.x_root = static_cast<int>(k.xRoot);
  xkey.y_root = static_cast<int>(k.yRoot);
  xkey.state = state;
  xkey.keycode = k.keycode;
  xkey.same_screen = True;
  XSendEvent(display, parent, False, down ? KeyPressMask : KeyReleaseMask, &event);
  XFlush(display);
}

} // namespace iplug::igraphics
