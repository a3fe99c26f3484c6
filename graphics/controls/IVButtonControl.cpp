#include "IVButtonControl.h"

#include "IGraphics.h"

namespace iplug::igraphics
{

IVButtonControl::IVButtonControl(const IRECT& bounds, IActionFunction actionFunc, const char* label,
                                 const IVStyle& style, bool labelInButton, bool valueInButton, EVShape shape)
  : IButtonControlBase(bounds, std::move(actionFunc))
  , IVectorBase(style, labelInButton, valueInButton)
{
  AttachIControl(this, label);
  mShape = shape;
}

void IVButtonControl::Draw(IGraphics& g)
{
  DrawBackground(g, mBounds);
  // A label inside the button must come after the shape, or the fill would cover it.
  if (!mLabelInWidget)
    DrawLabel(g);
  DrawWidget(g);
  if (mLabelInWidget)
    DrawLabel(g);
  DrawValue(g, false);
}

void IVButtonControl::DrawWidget(IGraphics& g)
{
  DrawPressableShape(g, mShape, mWidgetBounds, GetValue(0) > 0.5, mHovered, IsDisabled());
}

void IVButtonControl::OnResize()
{
  SetTargetRECT(MakeRects(mBounds, true));
  SetDirty(false);
}

bool IVButtonControl::IsHit(float x, float y) const
{
  return mWidgetBounds.Contains(x, y);
}

} // namespace iplug::igraphics
