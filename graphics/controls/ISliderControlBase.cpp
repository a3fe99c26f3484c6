#include "ISliderControlBase.h"

#include <algorithm>

#include "IGraphics.h"
#include "IKnobControlBase.h"
#include "IParam.h"

namespace iplug::igraphics
{

ISliderControlBase::ISliderControlBase(const IRECT& bounds, int paramIdx, EDirection dir, double gearing,
                                       float handleSize)
  : IControl(bounds, paramIdx)
  , mDirection(dir)
  , mHandleSize(handleSize)
  , mGearing(gearing)
{
}

ISliderControlBase::ISliderControlBase(const IRECT& bounds, IActionFunction actionFunc, EDirection dir,
                                       double gearing, float handleSize)
  : IControl(bounds, std::move(actionFunc))
  , mDirection(dir)
  , mHandleSize(handleSize)
  , mGearing(gearing)
{
}

bool ISliderControlBase::IsFineControl(const IMouseMod& mod, bool /*wheel*/) const
{
  return mod.S || mod.C;
}

bool ISliderControlBase::LinkedToSteppedParam() const
{
  const IParam* pParam = GetParam(0);
  return pParam && pParam->GetStepped();
}

void ISliderControlBase::OnResize()
{
  mHitBounds = mBounds;
  mHovered = false;
  mTrackBounds = mBounds;
  SetDirty(false);
}

void ISliderControlBase::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  mMouseDown = true;
  if (!LinkedToSteppedParam())
    SnapToMouse(x, y, mDirection, mTrackBounds);
  mMouseDragValue = GetValue(0);
  if (mHideCursorOnDrag)
    GetUI()->HideMouseCursor(true, true);
  if (mod.R)
    PromptUserInput(GetValIdxForPos(x, y));
}

void ISliderControlBase::OnMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  if (mHideCursorOnDrag)
    GetUI()->HideMouseCursor(false, true);
  mMouseDown = false;
  SetDirty(false);
}

void ISliderControlBase::OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod)
{
  if ((mod.IsTouch() || !mHideCursorOnDrag) && !LinkedToSteppedParam())
  {
    SnapToMouse(x, y, mDirection, mTrackBounds);
    return;
  }
  const double gearing = IsFineControl(mod, false) ? mGearing * 10.0 : mGearing;
  const double span = mDirection == kDirectionHorizontal ? mTrackBounds.R - mTrackBounds.L - mHandleSize
                                                         : mTrackBounds.T - mTrackBounds.B;
  if (span == 0.0 || gearing == 0.0)
    return;
  const double delta = (mDirection == kDirectionHorizontal ? dX : dY) / span / gearing;
  mMouseDragValue = std::clamp(mMouseDragValue + delta, 0.0, 1.0);
  SetValue(SnapToParamStep(*this, mMouseDragValue), 0);
  SetDirty(true);
}

void ISliderControlBase::OnMouseWheel(float /*x*/, float /*y*/, const IMouseMod& mod, float d)
{
  SetValue(WheelValue(*this, GetValue(0), d, IsFineControl(mod, true)), 0);
  SetDirty(true);
}

} // namespace iplug::igraphics
