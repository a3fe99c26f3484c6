#pragma once

#include <initializer_list>

#include "IControl.h"
#include "IVectorBase.h"

namespace iplug::igraphics
{

// A two-value pad: value 0 runs left to right, value 1 bottom to top; a press or drag puts the handle
// under the pointer (clamped into the pad, less the handle's radius). The cursor hides while dragging when the style says so. Main
// thread.
class IVXYPadControl : public IControl, public IVectorBase
{
public:
  // A pad for the two listed parameter indices (x, then y) with a handle of handleRadius units.
  IVXYPadControl(const IRECT& bounds, std::initializer_list<int> params, const char* label = "",
                 const IVStyle& style = DEFAULT_STYLE, float handleRadius = 10.f);

  // Background, label, pad, value.
  void Draw(IGraphics& g) override;
  // The pad, its cross-hair and the handle.
  void DrawWidget(IGraphics& g) override;
  // Lays out; the pad is the hit area.
  void OnResize() override;
  // Hides the cursor (per style) and moves the handle to the pointer.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Moves the handle to the pointer, clamped into the pad.
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  // Shows the cursor again.
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;

  // The area the handle's centre travels: the pad less the handle radius, so the handle stays inside.
  IRECT GetTravelBounds() const;
  // Centre of the handle for the current values.
  void GetHandleCentre(float& x, float& y) const;
  // Whether a drag is in progress.
  bool GetMouseDown() const { return mMouseDown; }

private:
  float mHandleRadius;
  bool mMouseDown = false;
  bool mCursorHidden = false;
};

} // namespace iplug::igraphics
