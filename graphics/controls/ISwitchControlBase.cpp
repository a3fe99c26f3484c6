#include "ISwitchControlBase.h"

#include <algorithm>

#include "IParam.h"

namespace iplug::igraphics
{

ISwitchControlBase::ISwitchControlBase(const IRECT& bounds, int paramIdx, IActionFunction actionFunc, int numStates)
  : IControl(bounds, paramIdx, std::move(actionFunc))
  , mNumStates(std::max(numStates, 1))
  , mStatesDisabled(static_cast<std::size_t>(mNumStates), false)
{
  mDoubleClickIsClick = true;
}

void ISwitchControlBase::OnInit()
{
  if (const IParam* pParam = GetParam(0))
  {
    mNumStates = std::max(static_cast<int>(pParam->GetMax() - pParam->GetMin()) + 1, 1);
    mStatesDisabled.assign(static_cast<std::size_t>(mNumStates), false);
  }
}

void ISwitchControlBase::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  double v = GetValue(0);
  if (mNumStates == 2)
    v = v == 0.0 ? 1.0 : 0.0;
  else if (mNumStates > 2)
  {
    v += 1.0 / (mNumStates - 1);
    if (v > 1.0)
      v = 0.0;
  }
  SetValue(v, 0);
  mMouseDown = true;
  SetDirty(true);
}

void ISwitchControlBase::OnMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  mMouseDown = false;
  SetDirty(false);
}

void ISwitchControlBase::SetStateDisabled(int stateIdx, bool disabled)
{
  if (stateIdx >= 0 && stateIdx < mNumStates)
    mStatesDisabled[static_cast<std::size_t>(stateIdx)] = disabled;
  SetDirty(false);
}

void ISwitchControlBase::SetAllStatesDisabled(bool disabled)
{
  std::fill(mStatesDisabled.begin(), mStatesDisabled.end(), disabled);
  SetDirty(false);
}

bool ISwitchControlBase::GetStateDisabled(int stateIdx) const
{
  if (stateIdx < 0 || stateIdx >= mNumStates)
    return false;
  return mStatesDisabled[static_cast<std::size_t>(stateIdx)];
}

} // namespace iplug::igraphics
