#pragma once

#include <AppKit/NSView.h>
#include <CoreFoundation/CFRunLoop.h>

#include <pugl/pugl.h>

#include <memory>

#include "IGraphicsConstants.h"
#include "IRECTList.h"
#include "WDL_String.h"

namespace iplug::igraphics {

class EGLOffscreenContext;
class IControl;
class IGraphicsLinux;

// The editor's native view on Linux: a Pugl view (an X11 window with an OpenGL 2 context) that the host
// embeds, or, where no window system can be reached, an off-screen EGL context that draws only on request.
// It runs the frame timer on the main run loop (CFRunLoopGetMain: the host's run loop, which an LV2 UI's
// idle callback also turns), translates X11 input into the graphics core's input records, and is the
// NSView a host holds. Lifetime: made by IGraphicsLinux::OpenWindow, which holds one reference; a view
// returned to a host through the view factory holds a second one that removeFromSuperview gives back. The
// graphics' CloseWindow detaches the view and gives its reference back. [main-thread]
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
  // The X11 window id; 0 off-screen.
  unsigned long NativeWindow() const;
  // Whether the view draws off-screen (no window).
  bool IsOffscreen() const { return mOffscreen != nullptr; }
  // Makes the view's GL context current; nestable, each call matched by LeaveContext.
  void EnterContext();
  void LeaveContext();
  // Starts / stops the frame timer (1 / the graphics' frame rate, on the main run loop).
  void SetTimer();
  void KillTimer();
  // Draws the dirty regions, if any, and shows them. Called by the frame timer.
  void Render();
  // One frame while a modal dialog is open and the frame timer cannot run: the editor keeps drawing, its input
  // waits.
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
  bool QueryPointer(float& x, float& y) const;
  // Window position (x, y) device pixels to root-window coordinates.
  void WindowToScreen(float& x, float& y) const;
  // Clipboard text (waits briefly for its owner); false when there is none.
  bool GetClipboardText(WDL_String& str);
  // Offers str as clipboard text; false without a window.
  bool SetClipboardText(const char* str);
  // The screen's scale from the X server's Xft.dpi (96 dpi = 1); 1 off-screen.
  float ReadScreenScale() const;

private:
  IGraphicsLinuxView(IGraphicsLinux& graphics, int refs);
  ~IGraphicsLinuxView() override;
  bool OpenWindowed(void* pParent);
  bool OpenOffscreen();
  void Release();
  static void TimerProc(CFRunLoopTimerRef timer, void* info);
  static PuglStatus OnEventProc(PuglView* view, const PuglEvent* event);
  void OnEvent(const PuglEvent& event);
  void OnButton(const PuglEvent& event, bool down);
  void OnMotion(const PuglEvent& event);
  void OnKey(const PuglEvent& event, bool down);
  void OnCrossing(bool entered);
  void OnExpose(const PuglEvent& event);
  void CheckScreenScale();
  void UpdateTooltip(double now);
  void UserPosition(double px, double py, float& x, float& y);

  IGraphicsLinux* mGraphics;
  int mRefs;
  PuglWorld* mWorld = nullptr;
  PuglView* mView = nullptr;
  std::unique_ptr<EGLOffscreenContext> mOffscreen;
  int mContextDepth = 0;
  CFRunLoopTimerRef mTimer = nullptr;
  IRECTList mDirtyRects;
  FrameDidChangeHandler mFrameHandler = nullptr;
  void* mFrameHandlerInfo = nullptr;
  unsigned long mBlankCursor = 0;
  bool mPointerVisible = true;
  // Pointer and click tracking, user units.
  float mPrevX = 0.f;
  float mPrevY = 0.f;
  bool mMouseOutDuringDrag = false;
  unsigned mLastButton = 0;
  unsigned mButtonsDown = 0; // bit b: Pugl button b is down
  double mLastPressTime = -1.0;
  float mLastPressX = 0.f;
  float mLastPressY = 0.f;
  int mClickCount = 0;
  double mLastScaleCheck = 0.0;
  // Tooltips: when the pointer last moved, and the control whose tooltip was shown last (compared, never used).
  double mLastMoveTime = 0.0;
  const IControl* mTooltipControl = nullptr;
  NSViewFrameStatistics mStats = {};
  double mTotalDrawMs = 0.0;
  double mTotalDirtyShare = 0.0;
  WDL_String mClipboard;
};

} // namespace iplug::igraphics
