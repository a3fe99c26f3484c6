#include "IGraphicsLinuxView.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>

#include "EGLOffscreenContext.h"
#include "IControl.h"
#include "IGEditorDelegate.h"
#include "IGraphicsLinux.h"
#include "LinuxDesktop.h"
#include "LinuxKeyTable.h"

// Xlib defines macros (Bool, Status, None, ...) that clash with names in the headers above: it comes last.
#include <GL/gl.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <pugl/gl.h>

namespace iplug::igraphics {

namespace {

// Two presses of one button this close in time (seconds) and space (device pixels) make a double click;
// X11 has no click count of its own. 400 ms is the common desktop default.
constexpr double kDoubleClickTime = 0.4;
constexpr float kDoubleClickDistance = 4.f;
// How long the pointer rests on a control before its tooltip shows, and how often the X server's
// resource database is read again for a changed Xft.dpi (seconds).
constexpr double kTooltipDelay = 0.6;
constexpr double kScaleCheckInterval = 1.0;
// Largest view side in points a host can ask for: X sizes windows in 16-bit numbers.
constexpr double kMaxViewPoints = 32767.0;

// Xlib ends the process on a protocol error unless a handler is installed; a bad window id from a host
// must fail the call instead. The handler is process-wide, so it is installed only around the calls
// that may fail.
int sXErrors = 0;
int CountXError(Display* /*display*/, XErrorEvent* /*event*/)
{
  ++sXErrors;
  return 0;
}

class XErrorTrap
{
public:
  explicit XErrorTrap(Display* display)
    : mDisplay(display)
    , mPrevious(XSetErrorHandler(CountXError))
  {
    XSync(mDisplay, False);
    sXErrors = 0;
  }
  ~XErrorTrap() { XSetErrorHandler(mPrevious); }
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;
  // Whether any request since construction failed.
  bool Failed()
  {
    XSync(mDisplay, False);
    return sXErrors != 0;
  }

private:
  Display* mDisplay;
  XErrorHandler mPrevious;
};

double Now()
{
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool WindowExists(Display* display, Window window)
{
  XErrorTrap trap(display);
  XWindowAttributes attributes;
  const Status ok = XGetWindowAttributes(display, window, &attributes);
  return ok != 0 && !trap.Failed();
}

IMouseMod ModsFrom(PuglMods state, bool left, bool right)
{
  return IMouseMod(left, right, (state & PUGL_MOD_SHIFT) != 0, (state & PUGL_MOD_CTRL) != 0,
                   (state & PUGL_MOD_ALT) != 0);
}

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

// The process's connection to the X server, made by the first view and kept for the process's life, as an
// application keeps its window-server connection: opening and closing editors then opens no new display
// connection or input method each time. Null while no X server can be reached (tried again next time).
PuglWorld* SharedWorld(const char* className)
{
  static PuglWorld* world = nullptr;
  if (!world)
  {
    world = puglNewWorld(PUGL_MODULE, 0);
    if (world)
      puglSetClassName(world, className && className[0] ? className : "IGraphicsLinux");
  }
  return world;
}

} // namespace

IGraphicsLinuxView::IGraphicsLinuxView(IGraphicsLinux& graphics, int refs)
  : mGraphics(&graphics)
  , mRefs(refs)
{
}

IGraphicsLinuxView::~IGraphicsLinuxView()
{
  KillTimer();
  if (mView)
  {
    Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
    if (mBlankCursor)
      XFreeCursor(display, mBlankCursor);
    puglFreeView(mView);
  }
}

IGraphicsLinuxView* IGraphicsLinuxView::Create(IGraphicsLinux& graphics, void* pParent, bool hostRetains)
{
  auto* view = new IGraphicsLinuxView(graphics, hostRetains ? 2 : 1);
  if (view->OpenWindowed(pParent) || (!pParent && view->OpenOffscreen()))
    return view;
  delete view;
  return nullptr;
}

bool IGraphicsLinuxView::OpenWindowed(void* pParent)
{
  mWorld = SharedWorld(mGraphics->GetBundleID());
  if (!mWorld)
    return false;
  Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
  const auto parent = reinterpret_cast<PuglNativeView>(pParent);
  if (parent && !WindowExists(display, static_cast<Window>(parent)))
    return false;

  mView = puglNewView(mWorld);
  puglSetHandle(mView, this);
  puglSetEventFunc(mView, OnEventProc);
  puglSetBackend(mView, puglGlBackend());
  puglSetViewHint(mView, PUGL_CONTEXT_VERSION_MAJOR, 2);
  puglSetViewHint(mView, PUGL_CONTEXT_VERSION_MINOR, 0);
  puglSetViewHint(mView, PUGL_USE_COMPAT_PROFILE, PUGL_TRUE);
  // Single-buffered: the main framebuffer keeps the whole picture, so a frame copies only what changed onto
  // the window, and an uncovered area is copied again from it.
  puglSetViewHint(mView, PUGL_DOUBLE_BUFFER, PUGL_FALSE);
  puglSetViewHint(mView, PUGL_STENCIL_BITS, 8);
  puglSetViewHint(mView, PUGL_RESIZABLE, PUGL_FALSE);
  const float scale = ReadScreenScale();
  const auto width = static_cast<PuglSpan>(std::max(1, static_cast<int>(mGraphics->WindowWidth() * scale)));
  const auto height = static_cast<PuglSpan>(std::max(1, static_cast<int>(mGraphics->WindowHeight() * scale)));
  puglSetSizeHint(mView, PUGL_DEFAULT_SIZE, width, height);
  // Without a parent the window is made under the root window but never shown there: it is no top-level
  // window of its own (no window-manager hints), only a view waiting for addToWindow to place it.
  puglSetParentWindow(mView, parent ? parent : static_cast<PuglNativeView>(DefaultRootWindow(display)));
  if (puglRealize(mView) != PUGL_SUCCESS)
  {
    puglFreeView(mView);
    mView = nullptr;
    return false;
  }
  if (parent)
    puglShow(mView);
  return true;
}

bool IGraphicsLinuxView::OpenOffscreen()
{
  mOffscreen = std::make_unique<EGLOffscreenContext>();
  if (!mOffscreen->IsValid())
  {
    mOffscreen.reset();
    return false;
  }
  return true;
}

void IGraphicsLinuxView::Release()
{
  if (--mRefs <= 0)
    delete this;
}

void IGraphicsLinuxView::Detach()
{
  KillTimer();
  mGraphics = nullptr;
  mContextDepth = 0;
  // The window goes with the editor even if the host still holds the view object.
  if (mView)
  {
    Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
    if (mBlankCursor)
      XFreeCursor(display, mBlankCursor);
    mBlankCursor = 0;
    // The host may have destroyed its window, and with it ours, already.
    XErrorTrap trap(display);
    puglFreeView(mView);
    mView = nullptr;
    trap.Failed();
  }
  mWorld = nullptr;
  mOffscreen.reset();
  Release();
}

unsigned long IGraphicsLinuxView::NativeWindow() const
{
  return mView ? static_cast<unsigned long>(puglGetNativeView(mView)) : 0;
}

// ---- NSView ----

NSSize IGraphicsLinuxView::frameSize()
{
  if (!mGraphics)
    return NSSize{0.0, 0.0};
  return NSSize{static_cast<CGFloat>(mGraphics->WindowWidth()), static_cast<CGFloat>(mGraphics->WindowHeight())};
}

NSSize IGraphicsLinuxView::convertSizeToBacking(NSSize size)
{
  const CGFloat scale = mGraphics ? mGraphics->GetScreenScale() : 1.0;
  return NSSize{std::floor(size.width * scale), std::floor(size.height * scale)};
}

void IGraphicsLinuxView::setFrameSize(NSSize size)
{
  if (!mGraphics || !(size.width > 0.0) || !(size.height > 0.0))
    return;
  // A host may ask for any size, infinity included; what is larger than any window can be is taken as that
  // largest, which the editor's own limits then clamp further.
  const double width = std::min(size.width, kMaxViewPoints);
  const double height = std::min(size.height, kMaxViewPoints);
  // An editor that scales keeps its size in user units and takes the largest scale that fits; one that
  // resizes keeps its scale and takes the size.
  const double scale = mGraphics->GetDrawScale();
  EnterContext();
  if (mGraphics->GetResizerMode() == kResizerScale)
  {
    const double fit = std::min(width / mGraphics->Width(), height / mGraphics->Height());
    mGraphics->Resize(mGraphics->Width(), mGraphics->Height(), static_cast<float>(fit), false);
  }
  else
    mGraphics->Resize(static_cast<int>(std::min(width / scale, kMaxViewPoints)),
                      static_cast<int>(std::min(height / scale, kMaxViewPoints)), mGraphics->GetDrawScale(), false);
  LeaveContext();
}

void IGraphicsLinuxView::setBackingScaleFactor(CGFloat factor)
{
  if (!mGraphics || !(factor > 0.0))
    return;
  // Held to the densities a display can have: the window's pixel size is the editor's size times this.
  const auto scale = static_cast<float>(std::clamp(factor, static_cast<CGFloat>(LinuxDesktop::kMinScreenScale),
                                                   static_cast<CGFloat>(LinuxDesktop::kMaxScreenScale)));
  if (scale == mGraphics->GetScreenScale())
    return;
  EnterContext();
  mGraphics->SetScreenScale(scale);
  LeaveContext();
}

bool IGraphicsLinuxView::addToWindow(NSNativeWindow window)
{
  if (!mGraphics || !mView || window == 0)
    return false;
  Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
  const auto own = static_cast<Window>(puglGetNativeView(mView));
  {
    XErrorTrap trap(display);
    XReparentWindow(display, own, static_cast<Window>(window), 0, 0);
    if (trap.Failed())
      return false;
  }
  puglShow(mView);
  XFlush(display);
  return true;
}

void IGraphicsLinuxView::setFrameDidChangeHandler(FrameDidChangeHandler handler, void* info)
{
  mFrameHandler = handler;
  mFrameHandlerInfo = info;
}

bool IGraphicsLinuxView::cacheDisplayInRect(NSBitmapImageRep* rep)
{
  if (!mGraphics || !rep || !rep->bitmapData)
    return false;
  const NSSize backing = convertSizeToBacking(frameSize());
  if (rep->pixelsWide != static_cast<int>(backing.width) || rep->pixelsHigh != static_cast<int>(backing.height) ||
      rep->bytesPerRow < rep->pixelsWide * 4)
    return false;
  EnterContext();
  mGraphics->SetAllControlsDirty();
  IRECTList rects;
  if (mGraphics->IsDirty(rects))
  {
    mGraphics->SetAllControlsClean();
    mGraphics->Draw(rects);
  }
  const bool ok = mGraphics->ReadMainFramebuffer(rep->bitmapData, rep->pixelsWide, rep->pixelsHigh, rep->bytesPerRow);
  LeaveContext();
  return ok;
}

bool IGraphicsLinuxView::frameStatistics(NSViewFrameStatistics* stats)
{
  if (!stats)
    return false;
  *stats = mStats;
  if (mStats.framesDrawn > 0)
  {
    stats->meanDrawMilliseconds = mTotalDrawMs / static_cast<double>(mStats.framesDrawn);
    stats->meanDirtyShare = mTotalDirtyShare / static_cast<double>(mStats.framesDrawn);
  }
  return true;
}

void IGraphicsLinuxView::removeFromSuperview()
{
  // Closing the editor detaches this view (the graphics' reference); the host's reference goes last.
  if (mGraphics)
  {
    if (IGEditorDelegate* pDelegate = mGraphics->GetDelegate())
      pDelegate->CloseWindow();
  }
  Release();
}

// ---- GL context ----

void IGraphicsLinuxView::EnterContext()
{
  if (mContextDepth++ > 0)
    return;
  if (mView)
    (void)puglEnterContext(mView);
  else if (mOffscreen)
    mOffscreen->MakeCurrent();
}

void IGraphicsLinuxView::LeaveContext()
{
  if (mContextDepth == 0 || --mContextDepth > 0)
    return;
  if (mView)
    (void)puglLeaveContext(mView);
  else if (mOffscreen)
    mOffscreen->ReleaseCurrent();
}

// ---- Frame timer ----

void IGraphicsLinuxView::SetTimer()
{
  if (mTimer || !mView || !mGraphics)
    return;
  const double interval = 1.0 / std::max(1, mGraphics->FPS());
  CFRunLoopTimerContext context{};
  context.info = this;
  mTimer = CFRunLoopTimerCreate(kCFAllocatorDefault, CFAbsoluteTimeGetCurrent() + interval, interval, 0, 0,
                                TimerProc, &context);
  if (mTimer)
    CFRunLoopAddTimer(CFRunLoopGetMain(), mTimer, kCFRunLoopCommonModes);
}

void IGraphicsLinuxView::KillTimer()
{
  if (!mTimer)
    return;
  CFRunLoopTimerInvalidate(mTimer);
  CFRelease(mTimer);
  mTimer = nullptr;
}

void IGraphicsLinuxView::TimerProc(CFRunLoopTimerRef /*timer*/, void* info)
{
  auto* self = static_cast<IGraphicsLinuxView*>(info);
  // The window's events first (they may close the editor and with it this view's timer), then the frame.
  // The X connection is not a run-loop source, so the timer polls it: input waits at most one frame.
  self->mRefs++;
  if (self->mWorld)
    puglUpdate(self->mWorld, 0.0);
  if (self->mGraphics)
  {
    const double now = Now();
    if (now - self->mLastScaleCheck >= kScaleCheckInterval)
    {
      self->mLastScaleCheck = now;
      self->CheckScreenScale();
    }
    self->UpdateTooltip(now);
  }
  if (self->mGraphics)
    self->Render();
  self->Release();
}

void IGraphicsLinuxView::Render()
{
  if (!mGraphics)
    return;
  mDirtyRects.Clear();
  if (!mGraphics->IsDirty(mDirtyRects))
  {
    mStats.framesSkipped++;
    return;
  }
  const double start = Now();
  const IRECT bounds = mDirtyRects.Bounds().Intersect(mGraphics->GetBounds());
  EnterContext();
  mGraphics->SetAllControlsClean();
  mGraphics->Draw(mDirtyRects);
  glFinish();
  LeaveContext();
  const double ms = (Now() - start) * 1000.0;
  mStats.framesDrawn++;
  mTotalDrawMs += ms;
  mStats.maxDrawMilliseconds = std::max(mStats.maxDrawMilliseconds, ms);
  const double area = static_cast<double>(mGraphics->Width()) * mGraphics->Height();
  if (area > 0.0)
    mTotalDirtyShare += static_cast<double>(bounds.W()) * bounds.H() / area;
}

void IGraphicsLinuxView::ModalFrame()
{
  Render();
}

// ---- Window operations ----

void IGraphicsLinuxView::SetFrameSize(int width, int height)
{
  if (mView && width > 0 && height > 0)
  {
    puglSetSize(mView, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFlush(static_cast<Display*>(puglGetNativeWorld(mWorld)));
  }
  if (mFrameHandler)
    mFrameHandler(this, mFrameHandlerInfo);
}

void IGraphicsLinuxView::SetCursor(ECursor cursor)
{
  if (mView && mPointerVisible)
    puglSetCursor(mView, PuglCursorFor(cursor));
}

void IGraphicsLinuxView::SetPointerVisible(bool visible)
{
  if (!mView || visible == mPointerVisible)
    return;
  mPointerVisible = visible;
  Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
  const auto window = static_cast<Window>(puglGetNativeView(mView));
  if (visible)
  {
    XUndefineCursor(display, window);
    if (mGraphics)
      puglSetCursor(mView, PuglCursorFor(mGraphics->GetMouseCursor()));
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

void IGraphicsLinuxView::WarpPointer(float x, float y)
{
  if (!mView)
    return;
  Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
  const auto window = static_cast<Window>(puglGetNativeView(mView));
  XWarpPointer(display, None, window, 0, 0, 0, 0, static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
  XFlush(display);
}

bool IGraphicsLinuxView::QueryPointer(float& x, float& y) const
{
  if (!mView)
    return false;
  Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned mask = 0;
  if (!XQueryPointer(display, static_cast<Window>(puglGetNativeView(mView)), &root, &child, &rootX, &rootY, &winX,
                     &winY, &mask))
    return false;
  x = static_cast<float>(winX);
  y = static_cast<float>(winY);
  return true;
}

void IGraphicsLinuxView::WindowToScreen(float& x, float& y) const
{
  if (!mView)
    return;
  Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
  Window child = 0;
  int rootX = 0, rootY = 0;
  XTranslateCoordinates(display, static_cast<Window>(puglGetNativeView(mView)), DefaultRootWindow(display),
                        static_cast<int>(x), static_cast<int>(y), &rootX, &rootY, &child);
  x = static_cast<float>(rootX);
  y = static_cast<float>(rootY);
}

bool IGraphicsLinuxView::SetClipboardText(const char* str)
{
  if (!mView || !str)
    return false;
  mClipboard.Set(str);
  return puglSetClipboard(mView, "text/plain", str, std::strlen(str) + 1) == PUGL_SUCCESS;
}

bool IGraphicsLinuxView::GetClipboardText(WDL_String& str)
{
  str.Set("");
  if (!mView)
    return false;
  Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
  const auto window = static_cast<Window>(puglGetNativeView(mView));
  const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  const Window owner = XGetSelectionOwner(display, clipboard);
  if (owner == None)
    return false;
  if (owner == window)
  {
    str.Set(mClipboard.Get());
    return str.GetLength() > 0;
  }
  // Ask the owner for UTF-8 text into a property of our window and wait briefly for its answer; only that
  // one event is taken from the queue, everything else stays for Pugl.
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  const Atom target = XInternAtom(display, "IGRAPHICS_CLIPBOARD", False);
  XConvertSelection(display, clipboard, utf8, target, window, CurrentTime);
  XFlush(display);
  XEvent event;
  const double deadline = Now() + 0.5;
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

float IGraphicsLinuxView::ReadScreenScale() const
{
  if (!mWorld)
    return 1.f;
  Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
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

void IGraphicsLinuxView::CheckScreenScale()
{
  if (!mView || !mGraphics)
    return;
  const float scale = ReadScreenScale();
  if (scale != mGraphics->GetScreenScale())
    setBackingScaleFactor(scale);
}

void IGraphicsLinuxView::UpdateTooltip(double now)
{
  // X11 has no tooltips of its own: the toolkit's bubble shows the text once per control the pointer rests on.
  if (!mGraphics->TooltipsEnabled() || mGraphics->ControlIsCaptured() || now - mLastMoveTime < kTooltipDelay)
    return;
  IControl* pHover = mGraphics->GetHoverControl();
  if (!pHover || pHover == mTooltipControl || !pHover->GetTooltip()[0])
    return;
  mTooltipControl = pHover;
  EnterContext();
  mGraphics->ShowBubbleControl(pHover, mPrevX, mPrevY, pHover->GetTooltip(), kDirectionVertical);
  LeaveContext();
}

// ---- Events ----

PuglStatus IGraphicsLinuxView::OnEventProc(PuglView* view, const PuglEvent* event)
{
  auto* self = static_cast<IGraphicsLinuxView*>(puglGetHandle(view));
  if (self && self->mGraphics && event)
    self->OnEvent(*event);
  return PUGL_SUCCESS;
}

void IGraphicsLinuxView::UserPosition(double px, double py, float& x, float& y)
{
  const float s = mGraphics->GetDrawScale() * mGraphics->GetScreenScale();
  x = static_cast<float>(px) / s;
  y = static_cast<float>(py) / s;
  // While the pointer is locked this puts it back and keeps the locked place as the previous position, so
  // the next event's distance from it is the motion.
  mGraphics->DoCursorLock(x, y, mPrevX, mPrevY);
}

void IGraphicsLinuxView::OnEvent(const PuglEvent& event)
{
  if (event.type == PUGL_EXPOSE)
  {
    OnExpose(event);
    return;
  }
  // A handler may close the editor (and detach this view): keep the object alive until the handler returns.
  mRefs++;
  EnterContext();
  switch (event.type)
  {
  case PUGL_BUTTON_PRESS: OnButton(event, true); break;
  case PUGL_BUTTON_RELEASE: OnButton(event, false); break;
  case PUGL_MOTION: OnMotion(event); break;
  case PUGL_SCROLL:
  {
    float x = 0.f, y = 0.f;
    UserPosition(event.scroll.x, event.scroll.y, x, y);
    mGraphics->OnMouseWheel(x, y, ModsFrom(event.scroll.state, false, false), static_cast<float>(event.scroll.dy));
    break;
  }
  case PUGL_KEY_PRESS: OnKey(event, true); break;
  case PUGL_KEY_RELEASE: OnKey(event, false); break;
  case PUGL_POINTER_IN: OnCrossing(true); break;
  case PUGL_POINTER_OUT: OnCrossing(false); break;
  default: break;
  }
  if (mGraphics)
    LeaveContext();
  Release();
}

void IGraphicsLinuxView::OnExpose(const PuglEvent& event)
{
  // Pugl made the context current for the expose; count it so nested Enter/Leave pairs leave it alone.
  mContextDepth++;
  if (mGraphics->GetMainFramebuffer() == nullptr)
    mGraphics->SetAllControlsDirty();
  mDirtyRects.Clear();
  if (mGraphics->IsDirty(mDirtyRects))
  {
    mGraphics->SetAllControlsClean();
    mGraphics->Draw(mDirtyRects);
  }
  const float s = mGraphics->GetDrawScale() * mGraphics->GetScreenScale();
  const IRECT area(static_cast<float>(event.expose.x) / s, static_cast<float>(event.expose.y) / s,
                   static_cast<float>(event.expose.x + event.expose.width) / s,
                   static_cast<float>(event.expose.y + event.expose.height) / s);
  mGraphics->PresentMainFramebuffer(area);
  glFlush();
  mContextDepth--;
}

void IGraphicsLinuxView::OnButton(const PuglEvent& event, bool down)
{
  const PuglButtonEvent& b = event.button;
  // Buttons 3 and up are the wheel on some servers and extra buttons on others; the wheel arrives as scrolls.
  if (b.button > 1)
    return;
  const bool left = b.button == 0;
  const unsigned bit = 1u << b.button;
  mButtonsDown = down ? (mButtonsDown | bit) : (mButtonsDown & ~bit);
  IMouseInfo info;
  UserPosition(b.x, b.y, info.x, info.y);
  // As a command-click on the Mac, a control-click counts as a left-and-right click.
  info.ms = ModsFrom(b.state, left, !left || (b.state & PUGL_MOD_CTRL) != 0);
  if (!down)
  {
    mGraphics->OnMouseUp({info});
    if (mMouseOutDuringDrag && mGraphics)
    {
      mGraphics->OnMouseOut();
      mMouseOutDuringDrag = false;
    }
    return;
  }
  if (!left)
  {
    mGraphics->OnMouseDown({info});
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
  // The window takes the keyboard with a click, as an embedded editor must for its text entry and keys.
  puglGrabFocus(mView);
  if (mClickCount % 2 == 0)
    mGraphics->OnMouseDblClick(info.x, info.y, info.ms);
  else
    mGraphics->OnMouseDown({info});
}

void IGraphicsLinuxView::OnMotion(const PuglEvent& event)
{
  const PuglMotionEvent& m = event.motion;
  mLastMoveTime = Now();
  const float prevX = mPrevX;
  const float prevY = mPrevY;
  IMouseInfo info;
  UserPosition(m.x, m.y, info.x, info.y);
  // With a button held the motion is a drag, whether or not a control holds the pointer (a corner-resize
  // drag holds none).
  if (mButtonsDown != 0)
  {
    const bool left = (mButtonsDown & 1u) != 0;
    info.ms = ModsFrom(m.state, left, !left || (m.state & PUGL_MOD_CTRL) != 0);
    info.dX = info.x - prevX;
    info.dY = info.y - prevY;
    mGraphics->OnMouseDrag({info});
    return;
  }
  info.ms = ModsFrom(m.state, false, false);
  mGraphics->OnMouseOver(info.x, info.y, info.ms);
}

void IGraphicsLinuxView::OnCrossing(bool entered)
{
  if (entered)
  {
    mMouseOutDuringDrag = false;
    mGraphics->SetMouseCursor(mGraphics->GetMouseCursor());
    return;
  }
  mTooltipControl = nullptr;
  if (mGraphics->ControlIsCaptured())
    mMouseOutDuringDrag = true;
  else
    mGraphics->OnMouseOut();
}

void IGraphicsLinuxView::OnKey(const PuglEvent& event, bool down)
{
  const PuglKeyEvent& k = event.key;
  Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
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
  if (LinuxIsModifierKey(key.keysym))
    return;
  const IKeyPress press = LinuxKeyEventToKeyPress(key);
  if (down)
    mGraphics->OnKeyDown(mPrevX, mPrevY, press);
  else
    mGraphics->OnKeyUp(mPrevX, mPrevY, press);
}

} // namespace iplug::igraphics
