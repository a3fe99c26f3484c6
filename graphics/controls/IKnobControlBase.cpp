#include "IKnobControlBase.h"

#include <algorithm>

#include "IGraphics.h"
#include "IParam.h"

namespace iplug::igraphics
{

namespace
{

// Slot 0's parameter when it is stepped with a positive step, else null.
const IParam* SteppedParam(const IControl& control)
{
  const IParam* pParam = control.GetParam(0);
  return pParam && pParam->GetStepped() && pParam->GetStep() > 0.0 ? pParam : nullptr;
}

} // namespace

double SnapToParamStep(const IControl& control, double v)
{
  const IParam* pParam = SteppedParam(control);
  if (!pParam)
    return v;
  return std::clamp(pParam->ToNormalisedValue(pParam->FromNormalisedValue(v)), 0.0, 1.0);
}

double WheelValue(const IControl& control, double v, float d, bool fine)
{
  const IParam* pParam = SteppedParam(control);
  if (pParam)
  {
    // One event moves one step, however far the wheel turned; a zero delta leaves the value.
    if (d == 0.f)
      return v;
    double plain = pParam->FromNormalisedValue(v);
    plain = pParam->Constrain(d > 0.f ? plain + pParam->GetStep() : plain - pParam->GetStep());
    return std::clamp(pParam->ToNormalisedValue(plain), 0.0, 1.0);
  }
  return v + d * (fine ? 0.001 : 0.01);
}

IKnobControlBase::IKnobControlBase(const IRECT& bounds, int paramIdx, EDirection dir, double gearing)
  : IControl(bounds, paramIdx)
  , mDirection(dir)
  , mGearing(gearing)
{
}

bool IKnobControlBase::IsFineControl(const IMouseMod& mod, bool /*wheel*/) const
{
  return mod.S || mod.C;
}

void IKnobControlBase::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  mMouseDown = true;
  mMouseDragValue = GetValue(0);
  if (mHideCursorOnDrag)
    GetUI()->HideMouseCursor(true, true);
  if (mod.R)
    PromptUserInput(GetValIdxForPos(x, y));
}

void IKnobControlBase::OnMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  if (mHideCursorOnDrag)
    GetUI()->HideMouseCursor(false, true);
  mMouseDown = false;
  SetDirty(false);
}

void IKnobControlBase::OnMouseDrag(float /*x*/, float /*y*/, float dX, float dY, const IMouseMod& mod)
{
  const double gearing = IsFineControl(mod, false) ? mGearing * 10.0 : mGearing;
  const IRECT r = GetKnobDragBounds();
  const double span = mDirection == kDirectionVertical ? r.T - r.B : r.R - r.L;
  if (span == 0.0 || gearing == 0.0)
    return;
  const double delta = (mDirection == kDirectionVertical ? dY : dX) / span / gearing;
  // The accumulator is clamped, not the motion: a drag past an end turns back at once.
  mMouseDragValue = std::clamp(mMouseDragValue + delta, 0.0, 1.0);
  SetValue(SnapToParamStep(*this, mMouseDragValue), 0);
  SetDirty(true);
}

void IKnobControlBase::OnMouseWheel(float /*x*/, float /*y*/, const IMouseMod& mod, float d)
{
  SetValue(WheelValue(*this, GetValue(0), d, IsFineControl(mod, true)), 0);
  SetDirty(true);
}

} // namespace iplug::igraphics
