#pragma once

#include "IControl.h"

namespace iplug::igraphics
{

// Mouse behaviour of a knob: relative dragging of slot 0 along one axis, with gearing (control
// heights of travel for the whole range), ten times finer with shift or control held, the cursor
// hidden and locked while dragging, and one parameter step per wheel event. Main thread.
class IKnobControlBase : public IControl
{
public:
  // A knob over bounds linked to paramIdx, dragged along dir with gearing.
  IKnobControlBase(const IRECT& bounds, int paramIdx = -1, EDirection dir = kDirectionVertical, double gearing = 4.0);

  // Starts a drag from the current value; hides the cursor; prompts on a right click.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Ends the drag and shows the cursor again.
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  // Moves the value by the drag distance over the drag bounds, divided by the gearing.
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  // One step of a stepped parameter, else d x 0.01 (0.001 fine).
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float d) override;
  // The rectangle whose height (or width) a drag measures against; the hit rectangle by default.
  virtual IRECT GetKnobDragBounds() { return mHitBounds; }

  // Whether fine adjustment is held (shift or control).
  bool IsFineControl(const IMouseMod& mod, bool wheel) const;
  // Gearing: control heights of travel for the whole range.
  double GetGearing() const { return mGearing; }
  // Whether a drag is in progress.
  bool GetMouseDown() const { return mMouseDown; }
  // Whether the cursor hides while dragging.
  void SetHideCursorOnDrag(bool hide) { mHideCursorOnDrag = hide; }

protected:
  bool mHideCursorOnDrag = true; // the pointer hides while dragging
  EDirection mDirection; // direction of travel that raises the value
  double mGearing; // control lengths of travel for the whole range
  bool mMouseDown = false; // a drag is in progress
  double mMouseDragValue = 0.0; // the value being dragged, normalised, before stepping
};

// Slot 0's value snapped to its parameter's step when that parameter is stepped; else v itself.
double SnapToParamStep(const IControl& control, double v);
// Slot 0's value moved by one step of its stepped parameter (or d x 0.01, fine 0.001).
double WheelValue(const IControl& control, double v, float d, bool fine);

} // namespace iplug::igraphics
