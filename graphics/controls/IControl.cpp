#include "IControl.h"

#include <algorithm>
#include <cmath>

#include "IEditorDelegate.h"
#include "IGraphics.h"

namespace iplug::igraphics
{

IControl::IControl(const IRECT& bounds, int paramIdx, IActionFunction actionFunc)
  : mBounds(bounds)
  , mHitBounds(bounds)
  , mOnAction(std::move(actionFunc))
  , mValueSlots{{paramIdx, 0.0}}
{
}

IControl::IControl(const IRECT& bounds, std::initializer_list<int> params, IActionFunction actionFunc)
  : mBounds(bounds)
  , mHitBounds(bounds)
  , mOnAction(std::move(actionFunc))
{
  for (int paramIdx : params)
    mValueSlots.push_back({paramIdx, 0.0});
}

IControl::IControl(const IRECT& bounds, IActionFunction actionFunc)
  : IControl(bounds, -1, std::move(actionFunc))
{
}

void IControl::SetParamIdx(int paramIdx, int valIdx)
{
  mValueSlots[static_cast<std::size_t>(valIdx)].paramIdx = paramIdx;
  SetDirty(false);
}

void IControl::SetValueFromDelegate(double value, int valIdx)
{
  const double current = GetValue(valIdx);
  if (value != current || std::isnan(value))
  {
    SetValue(value, valIdx);
    SetDirty(false);
  }
}

void IControl::SetValue(double value, int valIdx)
{
  if (valIdx < 0)
  {
    for (ValueSlot& slot : mValueSlots)
      slot.value = value;
    return;
  }
  mValueSlots[static_cast<std::size_t>(valIdx)].value = value;
}

void IControl::Hide(bool hide)
{
  mIsHidden = hide;
  SetDirty(false);
}

void IControl::SetDisabled(bool disable)
{
  mDrawBlend.mWeight = disable ? 0.25f : 1.0f;
  mIsDisabled = disable;
  SetDirty(false);
}

void IControl::SetDirty(bool triggerAction, int valIdx)
{
  if (NVals() == 1)
    valIdx = 0;

  const int first = valIdx >= 0 ? valIdx : 0;
  const int last = valIdx >= 0 ? valIdx : NVals() - 1;
  for (int i = first; i <= last; ++i)
    SetValue(std::clamp(GetValue(i), 0.0, 1.0), i);
  mIsDirty = true;

  if (!triggerAction)
    return;

  for (int i = first; i <= last; ++i)
  {
    const int paramIdx = GetParamIdx(i);
    if (paramIdx < 0)
      continue;
    if (mEditorDelegate)
      mEditorDelegate->SendParameterValueFromUI(paramIdx, GetValue(i));
    if (mGraphicsContext)
      mGraphicsContext->UpdatePeers(this, i);
  }
  if (mOnAction)
    mOnAction(this);
}

const IParam* IControl::GetParam(int valIdx) const
{
  const int paramIdx = GetParamIdx(valIdx);
  if (paramIdx < 0 || !mEditorDelegate)
    return nullptr;
  return mEditorDelegate->GetParam(paramIdx);
}

int IControl::LinkedToParam(int paramIdx) const
{
  for (int i = 0; i < NVals(); ++i)
    if (mValueSlots[static_cast<std::size_t>(i)].paramIdx == paramIdx)
      return i;
  return -1;
}

void IControl::SetRECT(const IRECT& bounds)
{
  mBounds = bounds;
  OnResize();
}

} // namespace iplug::igraphics
