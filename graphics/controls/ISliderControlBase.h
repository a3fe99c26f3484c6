#pragma once

#include "IControl.h"

namespace iplug::igraphics
{

// Mouse behaviour of a slider: a click jumps the value to the pointer (unless the parameter is
// stepped), a drag moves it relative to the track with gearing, and the wheel steps it. Main thread.
class ISliderControlBase : public IControl
{
public:
  // A slider over bounds linked to paramIdx along dir, with gearing and a handle of handleSize units.
  ISliderControlBase(const IRECT& bounds, int paramIdx = -1, EDirection dir = kDirectionVertical,
                     double gearing = 4.0, float handleSize = 0.f);
  // The same with an action function instead of a parameter.
  ISliderControlBase(const IRECT& bounds, IActionFunction actionFunc, EDirection dir = kDirectionVertical,
                     double gearing = 4.0, float handleSize = 0.f);

  // Jumps to the pointer (continuous parameters), starts a relative drag, hides the cursor; prompts on a right click.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Ends the drag and shows the cursor again.
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  // Follows the pointer (touch, or visible cursor) or moves relatively along the track.
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  // One step of a stepped parameter, else d x 0.01 (0.001 fine).
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float d) override;
  // The track is the whole control.
  void OnResize() override;

  // Whether fine adjustment is held (shift or control).
  bool IsFineControl(const IMouseMod& mod, bool wheel) const;
  // Area in which the value maps to the pointer.
  const IRECT& GetTrackBounds() const { return mTrackBounds; }
  // Whether the cursor hides while dragging.
  void SetHideCursorOnDrag(bool hide) { mHideCursorOnDrag = hide; }

protected:
  // Whether slot 0 is linked to a stepped parameter (no jumping to the pointer).
  bool LinkedToSteppedParam() const;

  bool mHideCursorOnDrag = true; // the pointer hides while dragging
  EDirection mDirection; // direction of travel that raises the value
  IRECT mTrackBounds; // the track the handle moves along, user units
  float mHandleSize; // handle length along the track, user units
  double mGearing; // control lengths of travel for the whole range
  bool mMouseDown = false; // a drag is in progress
  double mMouseDragValue = 0.0; // the value being dragged, normalised, before stepping
};

} // namespace iplug::igraphics
