#include "IButtonControlBase.h"

namespace iplug::igraphics
{

IButtonControlBase::IButtonControlBase(const IRECT& bounds, IActionFunction actionFunc)
  : IControl(bounds, std::move(actionFunc))
{
  mDoubleClickIsClick = true;
}

void IButtonControlBase::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  SetValue(1.0, 0);
  SetDirty(true);
}

void IButtonControlBase::OnEndAnimation()
{
  SetValue(0.0, 0);
  IControl::OnEndAnimation();
}

} // namespace iplug::igraphics
