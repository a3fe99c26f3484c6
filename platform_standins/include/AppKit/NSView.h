/* AppKit's view, as much of it as a host needs to show an audio unit's editor. The platform's NSView is an
   Objective-C class; this system has no Objective-C runtime, so NSView is an abstract C++ class that the
   editor's view implements and the host calls. Its native window is an X11 window: a host shows the view by
   adding it to one of its own windows (the counterpart of adding it as a subview of the window's content
   view). Sizes are in points; a point is backingScaleFactor device pixels, and X11 windows are measured in
   device pixels. Everything here runs on the main thread. */
#ifndef AppKit_NSView_h
#define AppKit_NSView_h

#include <AudioUnit/AUCocoaUIView.h>

CF_EXTERN_C_BEGIN

/* A bitmap the caller allocates: pixelsWide x pixelsHigh RGBA pixels, 8 bits per component, not premultiplied,
   top row first, bytesPerRow apart. */
typedef struct NSBitmapImageRep {
  int pixelsWide;
  int pixelsHigh;
  int bytesPerRow;
  unsigned char* bitmapData;
} NSBitmapImageRep;

/* Drawing figures of a view since it opened; a host's diagnostics, not part of AppKit. */
typedef struct NSViewFrameStatistics {
  unsigned long framesDrawn;   /* frame-timer ticks that drew something */
  unsigned long framesSkipped; /* frame-timer ticks with nothing to draw */
  double meanDrawMilliseconds; /* wall time of a drawn frame, until the GL work finished */
  double maxDrawMilliseconds;
  double meanDirtyShare;       /* redrawn area of a drawn frame as a share of the view's area, 0-1 */
} NSViewFrameStatistics;

/* An X11 window id (XID). */
typedef unsigned long NSNativeWindow;

CF_EXTERN_C_END

#ifdef __cplusplus
struct NSView {
public:
  /* Called when the view's frame size changes (NSViewFrameDidChangeNotification), with the view and info. */
  typedef void (*FrameDidChangeHandler)(NSView* view, void* info);

  /* The view's size in points. */
  virtual NSSize frameSize() = 0;
  /* size converted from points to device pixels of the view's backing. */
  virtual NSSize convertSizeToBacking(NSSize size) = 0;
  /* The host resizes the view to size (points); the editor fits itself in it as its resizing rules allow,
     which frameSize then tells. */
  virtual void setFrameSize(NSSize size) = 0;
  /* The window's backing scale factor changed (1 or 2 device pixels per point); the view redraws at it. */
  virtual void setBackingScaleFactor(CGFloat factor) = 0;
  /* Shows the view in window at its top-left corner, sized to the view; false when the view cannot be shown
     there (no window system, or a bad window). */
  virtual bool addToWindow(NSNativeWindow window) = 0;
  /* Registers handler (NULL: none) for frame size changes made by the view itself, e.g. a resize from its
     editor; the host makes its window follow. */
  virtual void setFrameDidChangeHandler(FrameDidChangeHandler handler, void* info) = 0;
  /* Draws the whole view into rep, which must be convertSizeToBacking(frameSize()) large; false when it is not
     or nothing can be drawn. */
  virtual bool cacheDisplayInRect(NSBitmapImageRep* rep) = 0;
  /* Fills stats with the view's drawing figures; false when the view keeps none. */
  virtual bool frameStatistics(NSViewFrameStatistics* stats) = 0;
  /* Removes the view and ends it: the editor closes and the view is released. The host must not use the view
     afterwards. */
  virtual void removeFromSuperview() = 0;

protected:
  virtual ~NSView() {}
};
#endif

#endif
