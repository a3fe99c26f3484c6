#include "IGraphicsLinuxView.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>

#include "EGLOffscreenContext.h"
#include "IControl.h"
#include "IGEditorDelegate.h"
#include "IGraphicsLinux.h"
#include "LinuxClipboard.h"
#include "LinuxDesktop.h"
#include "LinuxInputTranslator.h"
#include "LinuxPointer.h"
#include "LinuxXErrorTrap.h"

// Xlib defines macros (Bool, Status, None, ...) that clash with names in the headers above: it comes last.
#include <GL/gl.h>
#include <X11/Xlib.h>
#include <pugl/gl.h>

namespace iplug::igraphics {

namespace {

// Largest view side in points a host can ask for: X sizes windows in 16-bit numbers.
constexpr double kMaxViewPoints = 32767.0;

double Now()
{
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool WindowExists(Display* display, Window window)
{
  LinuxXErrorTrap trap(display);
  XWindowAttributes attributes;
  const Status ok = XGetWindowAttributes(display, window, &attributes);
  return ok != 0 && !trap.Failed();
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

// Catches the X errors of one call of the view into Xlib, Pugl or GL. If any request failed because the
// view's window no longer exists (the host destroyed the window it gave us, and ours with it), the view
// takes note and stops using it.
class IGraphicsLinuxView::XGuard
{
public:
  explicit XGuard(IGraphicsLinuxView& view)
    : mView(view)
  {
    if (view.mView)
      mTrap.emplace(static_cast<Display*>(puglGetNativeWorld(view.mWorld)));
  }
  ~XGuard()
  {
    // Inner guards leave the judging to the outermost one, which has seen every error.
    if (mTrap && mTrap->IsOutermost() && mTrap->Failed() && mView.mView && !mView.mWindowLost &&
        !WindowExists(static_cast<Display*>(puglGetNativeWorld(mView.mWorld)),
                      static_cast<Window>(puglGetNativeView(mView.mView))))
      mView.WindowLost();
  }
  XGuard(const XGuard&) = delete;
  XGuard& operator=(const XGuard&) = delete;

private:
  IGraphicsLinuxView& mView;
  std::optional<LinuxXErrorTrap> mTrap;
};

IGraphicsLinuxView::IGraphicsLinuxView(IGraphicsLinux& graphics, int refs)
  : mGraphics(&graphics)
  , mRefs(refs)
{
}

IGraphicsLinuxView::~IGraphicsLinuxView()
{
  KillTimer();
  FreeWindow();
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

  LinuxXErrorTrap trap(display);
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
  // The parent may go between the check above and here: the failed requests then fail the opening.
  if (puglRealize(mView) != PUGL_SUCCESS || trap.Failed())
  {
    puglFreeView(mView);
    mView = nullptr;
    return false;
  }
  mPointer = std::make_unique<LinuxPointer>(mView);
  mClipboard = std::make_unique<LinuxClipboard>(mView);
  mInput = std::make_unique<LinuxInputTranslator>(mView, mGraphics, mTooltip);
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

void IGraphicsLinuxView::WindowLost()
{
  mWindowLost = true;
  KillTimer();
}

void IGraphicsLinuxView::FreeWindow()
{
  if (!mView)
    return;
  // The host may have destroyed its window, and with it ours, already: what fails here fails quietly.
  LinuxXErrorTrap trap(static_cast<Display*>(puglGetNativeWorld(mWorld)));
  if (mInput)
    mInput->UpdateFocus();
  mInput.reset();
  mClipboard.reset();
  if (mPointer)
    mPointer->Release();
  mPointer.reset();
  puglFreeView(mView);
  mView = nullptr;
}

void IGraphicsLinuxView::Detach()
{
  KillTimer();
  mGraphics = nullptr;
  mContextDepth = 0;
  // The window goes with the editor even if the host still holds the view object.
  FreeWindow();
  mWorld = nullptr;
  mOffscreen.reset();
  Release();
}

void IGraphicsLinuxView::Discard()
{
  mRefs = 1;
  Detach();
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
  if (!mGraphics || mWindowLost || !(size.width > 0.0) || !(size.height > 0.0))
    return;
  // A host may ask for any size, infinity included; what is larger than any window can be is taken as that
  // largest, which the editor's own limits then clamp further.
  const double width = std::min(size.width, kMaxViewPoints);
  const double height = std::min(size.height, kMaxViewPoints);
  // An editor that scales keeps its size in user units and takes the largest scale that fits; one that
  // resizes keeps its scale and takes the size.
  const double scale = mGraphics->GetDrawScale();
  const XGuard guard(*this);
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
  if (!mGraphics || mWindowLost || !(factor > 0.0))
    return;
  // From now on the host's scale wins over the desktop's.
  mScreenScale.SetByHost();
  // Held to the densities a display can have: the window's pixel size is the editor's size times this.
  ApplyScreenScale(static_cast<float>(std::clamp(factor, static_cast<CGFloat>(LinuxDesktop::kMinScreenScale),
                                                 static_cast<CGFloat>(LinuxDesktop::kMaxScreenScale))));
}

void IGraphicsLinuxView::ApplyScreenScale(float scale)
{
  if (scale == mGraphics->GetScreenScale())
    return;
  const XGuard guard(*this);
  EnterContext();
  mGraphics->SetScreenScale(scale);
  LeaveContext();
}

bool IGraphicsLinuxView::addToWindow(NSNativeWindow window)
{
  if (!mGraphics || !HasLiveWindow() || window == 0)
    return false;
  Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
  const auto own = static_cast<Window>(puglGetNativeView(mView));
  {
    LinuxXErrorTrap trap(display);
    XReparentWindow(display, own, static_cast<Window>(window), 0, 0);
    if (trap.Failed())
      return false;
  }
  const XGuard guard(*this);
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
  if (!mGraphics || mWindowLost || !rep || !rep->bitmapData)
    return false;
  const NSSize backing = convertSizeToBacking(frameSize());
  if (rep->pixelsWide != static_cast<int>(backing.width) || rep->pixelsHigh != static_cast<int>(backing.height) ||
      rep->bytesPerRow < rep->pixelsWide * 4)
    return false;
  const XGuard guard(*this);
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
  *stats = mStats.Read();
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
  if (HasLiveWindow())
  {
    const XGuard guard(*this);
    (void)puglEnterContext(mView);
  }
  else if (mOffscreen)
    mOffscreen->MakeCurrent();
}

void IGraphicsLinuxView::LeaveContext()
{
  if (mContextDepth == 0 || --mContextDepth > 0)
    return;
  if (mView)
  {
    const XGuard guard(*this);
    (void)puglLeaveContext(mView);
  }
  else if (mOffscreen)
    mOffscreen->ReleaseCurrent();
}

// ---- Frame timer ----

void IGraphicsLinuxView::SetTimer()
{
  if (!HasLiveWindow() || !mGraphics)
    return;
  mTimer.Start(1.0 / std::max(1, mGraphics->FPS()), TimerProc, this);
}

void IGraphicsLinuxView::KillTimer()
{
  mTimer.Stop();
}

void IGraphicsLinuxView::TimerProc(void* info)
{
  static_cast<IGraphicsLinuxView*>(info)->Tick();
}

void IGraphicsLinuxView::Tick()
{
  // The window's events first (they may close the editor and with it this view's timer), then the frame.
  // The X connection is not a run-loop source, so the timer polls it: input waits at most one frame.
  mRefs++;
  {
    const XGuard guard(*this);
    if (HasLiveWindow())
    {
      Display* display = static_cast<Display*>(puglGetNativeWorld(mWorld));
      // The host destroyed the window it gave us, and ours with it: Pugl has no event for that, so the view
      // takes it from the queue itself (nothing else of Pugl's needs it).
      XEvent destroyed;
      if (XCheckTypedWindowEvent(display, static_cast<Window>(puglGetNativeView(mView)), DestroyNotify, &destroyed))
        WindowLost();
      else
        puglUpdate(mWorld, 0.0);
    }
    if (mGraphics && HasLiveWindow())
    {
      const double now = Now();
      if (const float scale = mScreenScale.Poll(static_cast<Display*>(puglGetNativeWorld(mWorld)), now); scale > 0.f)
        ApplyScreenScale(scale);
      if (IControl* pTip = mTooltip.Due(*mGraphics, now))
      {
        EnterContext();
        mGraphics->ShowBubbleControl(pTip, mInput->LastX(), mInput->LastY(), pTip->GetTooltip(), kDirectionVertical);
        LeaveContext();
      }
    }
    if (mGraphics && HasLiveWindow())
      Render();
  }
  Release();
}

void IGraphicsLinuxView::ModalFrame()
{
  const bool wasModal = mModal;
  mModal = true;
  if (mTimer.IsRunning())
    Tick();
  mModal = wasModal;
}

void IGraphicsLinuxView::Render()
{
  if (!mGraphics || mWindowLost)
    return;
  mDirtyRects.Clear();
  const bool dirty = mGraphics->IsDirty(mDirtyRects);
  if (!dirty && mExposed.Empty())
  {
    mStats.Skipped();
    return;
  }
  const double start = Now();
  const IRECT bounds = dirty ? mDirtyRects.Bounds().Intersect(mGraphics->GetBounds()) : IRECT();
  const XGuard guard(*this);
  EnterContext();
  if (dirty)
  {
    mGraphics->SetAllControlsClean();
    mGraphics->Draw(mDirtyRects);
  }
  // What the server uncovered is shown again from the main framebuffer, which keeps the whole picture.
  if (!mExposed.Empty())
  {
    mGraphics->PresentMainFramebuffer(mExposed);
    mExposed = IRECT();
  }
  // Waiting for the GL work to finish stalls the host's UI thread: only a host that reads the figures pays.
  if (mStats.Wanted())
    glFinish();
  else
    glFlush();
  LeaveContext();
  if (!dirty)
    return;
  const double area = static_cast<double>(mGraphics->Width()) * mGraphics->Height();
  mStats.Drawn((Now() - start) * 1000.0,
               area > 0.0 ? static_cast<double>(bounds.W()) * bounds.H() / area : 0.0);
}

// ---- Window operations ----

void IGraphicsLinuxView::RevalidateDrawable(int width, int height)
{
  // The software GL driver keeps the window's old size until something is drawn to the window: the first
  // frame after a resize would land in a picture of the old size and show only its corner. An empty clear
  // (a scissor of no pixels) on the window's framebuffer makes the driver take the new size, writing nothing.
  EnterContext();
  GLint previous = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glViewport(0, 0, width, height);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
  LeaveContext();
}

void IGraphicsLinuxView::SetFrameSize(int width, int height)
{
  if (HasLiveWindow() && width > 0 && height > 0)
  {
    const XGuard guard(*this);
    puglSetSize(mView, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(static_cast<Display*>(puglGetNativeWorld(mWorld)), False);
    RevalidateDrawable(width, height);
  }
  if (mFrameHandler)
    mFrameHandler(this, mFrameHandlerInfo);
}

void IGraphicsLinuxView::SetCursor(ECursor cursor)
{
  if (!HasLiveWindow())
    return;
  const XGuard guard(*this);
  mPointer->SetCursor(cursor);
}

void IGraphicsLinuxView::SetPointerVisible(bool visible)
{
  if (!HasLiveWindow())
    return;
  const XGuard guard(*this);
  mPointer->SetVisible(visible, mGraphics ? mGraphics->GetMouseCursor() : kCursorArrow);
}

void IGraphicsLinuxView::WarpPointer(float x, float y)
{
  if (!HasLiveWindow())
    return;
  const XGuard guard(*this);
  mPointer->Warp(x, y);
}

bool IGraphicsLinuxView::QueryPointer(float& x, float& y)
{
  if (!HasLiveWindow())
    return false;
  const XGuard guard(*this);
  return mPointer->Query(x, y);
}

void IGraphicsLinuxView::WindowToScreen(float& x, float& y)
{
  if (!HasLiveWindow())
    return;
  const XGuard guard(*this);
  mPointer->WindowToScreen(x, y);
}

bool IGraphicsLinuxView::SetClipboardText(const char* str)
{
  if (!HasLiveWindow() || !str)
    return false;
  const XGuard guard(*this);
  return mClipboard->SetText(str);
}

bool IGraphicsLinuxView::GetClipboardText(WDL_String& str)
{
  str.Set("");
  if (!HasLiveWindow())
    return false;
  const XGuard guard(*this);
  return mClipboard->GetText(str);
}

float IGraphicsLinuxView::ReadScreenScale() const
{
  return mWorld ? LinuxScreenScale::Read(static_cast<Display*>(puglGetNativeWorld(mWorld))) : 1.f;
}

// ---- Events ----

PuglStatus IGraphicsLinuxView::OnEventProc(PuglView* view, const PuglEvent* event)
{
  auto* self = static_cast<IGraphicsLinuxView*>(puglGetHandle(view));
  // Pugl sends its own set-up events while the window is being made, before the view's helpers exist.
  if (self && self->mGraphics && self->mInput && !self->mWindowLost && event)
    self->OnEvent(*event);
  return PUGL_SUCCESS;
}

void IGraphicsLinuxView::OnEvent(const PuglEvent& event)
{
  if (event.type == PUGL_EXPOSE)
  {
    OnExpose(event);
    return;
  }
  // While a modal dialog of the editor is open its input goes nowhere, as under a modal panel.
  if (mModal)
    return;
  // A handler may close the editor (and detach this view): keep the object alive until the handler returns.
  mRefs++;
  EnterContext();
  mInput->Dispatch(event);
  if (mGraphics)
  {
    mInput->UpdateFocus();
    LeaveContext();
  }
  Release();
}

void IGraphicsLinuxView::OnExpose(const PuglEvent& event)
{
  // Only noted here: the next frame shows it, so the window is drawn in one place, under the frame's error trap.
  if (mGraphics->GetMainFramebuffer() == nullptr)
    mGraphics->SetAllControlsDirty();
  const float s = mGraphics->GetDrawScale() * mGraphics->GetScreenScale();
  const IRECT area(static_cast<float>(event.expose.x) / s, static_cast<float>(event.expose.y) / s,
                   static_cast<float>(event.expose.x + event.expose.width) / s,
                   static_cast<float>(event.expose.y + event.expose.height) / s);
  mExposed = mExposed.Empty() ? area : mExposed.Union(area);
}

} // namespace iplug::igraphics
