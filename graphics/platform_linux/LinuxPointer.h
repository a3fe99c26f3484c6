#pragma once

#include <pugl/pugl.h>

#include "IGraphicsConstants.h"

namespace iplug::igraphics {

// The pointer over one view's window: its cursor shape, hiding it (a blank cursor of the view's own), warping it
// and asking where it is. Holds no reference to the view; the view calls Release before its window goes.
// [ui-thread]
class LinuxPointer
{
public:
  // For the window of view (a realised Pugl view, not owned).
  explicit LinuxPointer(PuglView* view);
  LinuxPointer(const LinuxPointer&) = delete;
  LinuxPointer& operator=(const LinuxPointer&) = delete;

  // Shows cursor over the window (while the pointer is visible).
  void SetCursor(ECursor cursor);
  // Hides the pointer over the window, or shows it again as current.
  void SetVisible(bool visible, ECursor current);
  // Moves the pointer to (x, y) device pixels of the window.
  void Warp(float x, float y);
  // The pointer's position in device pixels of the window; false when the server does not say.
  bool Query(float& x, float& y) const;
  // Window position (x, y) device pixels to root-window coordinates.
  void WindowToScreen(float& x, float& y) const;
  // Frees the server resources held for the window (the blank cursor).
  void Release();

private:
  PuglView* mView;
  unsigned long mBlankCursor = 0;
  bool mVisible = true;
};

} // namespace iplug::igraphics
