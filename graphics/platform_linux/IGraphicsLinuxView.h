#pragma once

#include <AppKit/NSView.h>

#include <pugl/pugl.h>

#include <memory>

#include "IGraphicsConstants.h"
#include "IRECTList.h"
#include "LinuxFrameStats.h"
#include "LinuxFrameTimer.h"
#include "LinuxScreenScale.h"
#include "LinuxTooltip.h"
#include "WDL_String.h"

namespace iplug::igraphics {

class EGLOffscreenContext;
class IGraphicsLinux;
class LinuxClipboard;
class LinuxInputTranslator;
class LinuxPointer;

// The editor's native view on Linux: a Pugl view (an X11 window with an OpenGL 2 context) that the host
// embeds, or, where no window system can be reached, an off-screen EGL context that draws only on request.
// It runs the frame timer on the run loop of the thread that opened it (the host's UI thread, which turns
// that run loop, directly or through an LV2 UI's idle calls), draws what is dirty and shows it, and is the
// NSView a host holds; the pointer, the clipboard, the screen scale, tooltips and input have helpers of their
// own. Hosts destroy windows in any order: when the host's window (and with it ours) goes first, the view
// notices, stops drawing, and every later call is a safe no-op; X errors its calls cause are caught per view
// and never reach the host's handler. Lifetime: made by IGraphicsLinux::OpenWindow, which holds one
// reference; a view returned to a host through the view factory holds a second one that removeFromSuperview
// gives back. The graphics' CloseWindow detaches the view and gives its reference back. [ui-thread]
class IGraphicsLinuxView final : public NSView
{
public:
  // A view for graphics: a child window of parent (an X11 window id) when non-null, else a window of its own,
  // not yet shown; with no parent and no window system, an off-screen view. Null when none can be made.
  // hostRetains: the view also belongs to a host, which ends it with removeFromSuperview.
  static IGraphicsLinuxView* Create(IGraphicsLinux& graphics, void* pParent, bool hostRetains);

  // ---- NSView, for the host ----
  NSSize frameSize() override;
  NSSize convertSizeToBacking(NSSize size) override;
  void setFrameSize(NSSize size) override;
  void setBackingScaleFactor(CGFloat factor) override;
  bool addToWindow(NSNativeWindow window) override;
  void setFrameDidChangeHandler(FrameDidChangeHandler handler, void* info) override;
  bool cacheDisplayInRect(NSBitmapImageRep* rep) override;
  bool frameStatistics(NSViewFrameStatistics* stats) override;
  void removeFromSuperview() override;

  // ---- For IGraphicsLinux ----

  // The graphics closes: no more calls into it; drops the graphics' reference (may delete the view).
  void Detach();
  // Detach for a view that was never handed to anyone: drops the host's reference too, deleting the view.
  void Discard();
  // The X11 window id; 0 off-screen.
  unsigned long NativeWindow() const;
  // Whether the view draws off-screen (no window).
  bool IsOffscreen() const { return mOffscreen != nullptr; }
  // Whether the view's window is gone (destroyed with the host's): nothing is drawn any more.
  bool IsWindowLost() const { return mWindowLost; }
  // Makes the view's GL context current; nestable, each call matched by LeaveContext.
  void EnterContext();
  void LeaveContext();
  // Starts / stops the frame timer (1 / the graphics' frame rate, on the calling thread's run loop).
  void SetTimer();
  void KillTimer();
  // Draws the dirty regions, if any, and shows them. Called by the frame timer.
  void Render();
  // One frame while a modal dialog of the editor is open: the window's events are read (input to the editor
  // is dropped, exposed areas are shown again) and what is dirty is drawn.
  void ModalFrame();
  // Sets the window to width x height device pixels and tells the host's frame handler.
  void SetFrameSize(int width, int height);
  // Shows the cursor kind over the window.
  void SetCursor(ECursor cursor);
  // Hides or shows the pointer over the window.
  void SetPointerVisible(bool visible);
  // Warps the pointer to (x, y) device pixels of the window.
  void WarpPointer(float x, float y);
  // The pointer's position in device pixels of the window; false without a window.
  bool QueryPointer(float& x, float& y);
  // Window position (x, y) device pixels to root-window coordinates.
  void WindowToScreen(float& x, float& y);
  // Clipboard text; false when there is none.
  bool GetClipboardText(WDL_String& str);
  // Offers str as clipboard text; false without a window.
  bool SetClipboardText(const char* str);
  // The desktop's screen scale (Xft.dpi, 96 dpi = 1); 1 off-screen.
  float ReadScreenScale() const;

private:
  class XGuard;

  IGraphicsLinuxView(IGraphicsLinux& graphics, int refs);
  ~IGraphicsLinuxView() override;
  bool OpenWindowed(void* pParent);
  bool OpenOffscreen();
  void Release();
  bool HasLiveWindow() const { return mView && !mWindowLost; }
  void WindowLost();
  void FreeWindow();
  void Tick();
  void ApplyScreenScale(float scale);
  void RevalidateDrawable(int width, int height);
  static void TimerProc(void* info);
  static PuglStatus OnEventProc(PuglView* view, const PuglEvent* event);
  void OnEvent(const PuglEvent& event);
  void OnExpose(const PuglEvent& event);

  IGraphicsLinux* mGraphics;
  int mRefs;
  PuglWorld* mWorld = nullptr;
  PuglView* mView = nullptr;
  bool mWindowLost = false;
  bool mModal = false;
  std::unique_ptr<EGLOffscreenContext> mOffscreen;
  int mContextDepth = 0;
  LinuxFrameTimer mTimer;
  IRECTList mDirtyRects;
  IRECT mExposed; // the union of what the server uncovered since the last frame, user units
  FrameDidChangeHandler mFrameHandler = nullptr;
  void* mFrameHandlerInfo = nullptr;
  LinuxFrameStats mStats;
  LinuxScreenScale mScreenScale;
  LinuxTooltip mTooltip;
  std::unique_ptr<LinuxPointer> mPointer;
  std::unique_ptr<LinuxClipboard> mClipboard;
  std::unique_ptr<LinuxInputTranslator> mInput;
};

} // namespace iplug::igraphics
