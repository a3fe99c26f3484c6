#pragma once

#include <pugl/pugl.h>

namespace iplug::igraphics {

class IGraphicsLinux;
class LinuxTooltip;

// Turns one view's Pugl input events into the graphics core's input calls: pointer positions in the editor's
// units, double clicks (X11 has no click count), drags, the wheel, crossings and keys through the key table.
// The keyboard stays the host's: the window takes the keyboard focus only while the editor has a text entry
// open (and gives it back when it closes), and a key the editor does not handle goes on to the window the
// editor is embedded in, so a host's shortcuts (the space bar's play/stop) keep working over the editor.
// [ui-thread]
class LinuxInputTranslator
{
public:
  // For the window of view (a realised Pugl view, not owned) and the editor graphics points to: the view's own
  // pointer, which becomes null when the editor closes, possibly inside one of the editor's handlers. tooltip
  // hears of pointer motion.
  LinuxInputTranslator(PuglView* view, IGraphicsLinux* const& graphics, LinuxTooltip& tooltip);

  // Hands event (a pointer, wheel, key or crossing event) to the editor. Other events are ignored.
  void Dispatch(const PuglEvent& event);
  // Takes the keyboard while the editor has a text entry open, and gives it back to whoever had it once the
  // entry is closed (or the editor is).
  void UpdateFocus();
  // The pointer's last position, in the editor's units.
  float LastX() const { return mPrevX; }
  float LastY() const { return mPrevY; }

private:
  void OnButton(IGraphicsLinux& graphics, const PuglButtonEvent& b, bool down);
  void OnMotion(IGraphicsLinux& graphics, const PuglMotionEvent& m);
  void OnKey(IGraphicsLinux& graphics, const PuglKeyEvent& k, bool down);
  void OnCrossing(IGraphicsLinux& graphics, bool entered);
  void UserPosition(IGraphicsLinux& graphics, double px, double py, float& x, float& y);
  void ForwardKeyToParent(const PuglKeyEvent& k, bool down, unsigned state);

  PuglView* mView;
  IGraphicsLinux* const& mGraphics;
  LinuxTooltip& mTooltip;
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
  // The keyboard focus the window took for a text entry, and the window that had it before (0: none taken).
  bool mHoldsFocus = false;
  unsigned long mFocusBefore = 0;
  int mFocusRevertBefore = 0;
};

} // namespace iplug::igraphics
