#include "IVXYPadControl.h"

#include <algorithm>

#include "IGraphics.h"

namespace iplug::igraphics
{

IVXYPadControl::IVXYPadControl(const IRECT& bounds, std::initializer_list<int> params, const char* label,
                               const IVStyle& style, float handleRadius)
  : IControl(bounds, params)
  , IVectorBase(style)
  , mHandleRadius(std::max(handleRadius, 1.f))
{
  // The pad always has its two values, whatever the list held.
  mValueSlots.resize(2);
  AttachIControl(this, label);
  mShape = kVShapeEllipse;
}

void IVXYPadControl::OnResize()
{
  SetTargetRECT(MakeRects(mBounds, true));
  SetDirty(false);
}

IRECT IVXYPadControl::GetTravelBounds() const
{
  const float inset = std::min({mHandleRadius, mWidgetBounds.W() / 2.f, mWidgetBounds.H() / 2.f});
  return mWidgetBounds.GetPadded(-std::max(inset, 0.f));
}

void IVXYPadControl::GetHandleCentre(float& x, float& y) const
{
  const IRECT r = GetTravelBounds();
  x = r.L + static_cast<float>(std::clamp(GetValue(0), 0.0, 1.0)) * r.W();
  y = r.B - static_cast<float>(std::clamp(GetValue(1), 0.0, 1.0)) * r.H();
}

void IVXYPadControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  if (mod.R)
  {
    IControl::OnMouseDown(x, y, mod);
    return;
  }
  mMouseDown = true;
  if (mStyle.hideCursor)
  {
    GetUI()->HideMouseCursor(true, false);
    mCursorHidden = true;
  }
  OnMouseDrag(x, y, 0.f, 0.f, mod);
}

void IVXYPadControl::OnMouseDrag(float x, float y, float /*dX*/, float /*dY*/, const IMouseMod& /*mod*/)
{
  // Values map to where the handle is drawn (inside the pad), not to the whole control with its label.
  const IRECT r = GetTravelBounds();
  if (r.W() <= 0.f || r.H() <= 0.f)
    return;
  x = std::clamp(x, r.L, r.R);
  y = std::clamp(y, r.T, r.B);
  SetValue((x - r.L) / r.W(), 0);
  SetValue(1.0 - (y - r.T) / r.H(), 1);
  SetDirty(true);
}

void IVXYPadControl::OnMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  if (mCursorHidden)
  {
    GetUI()->HideMouseCursor(false, false);
    mCursorHidden = false;
  }
  mMouseDown = false;
  SetDirty(true);
}

void IVXYPadControl::Draw(IGraphics& g)
{
  DrawBackground(g, mBounds);
  DrawLabel(g);
  DrawWidget(g);
  DrawValue(g, false);
}

void IVXYPadControl::DrawWidget(IGraphics& g)
{
  const IRECT& r = mWidgetBounds;
  g.FillRect(GetColor(kBG), r, &mDrawBlend);
  const IBlend half(mDrawBlend.mMethod, mDrawBlend.mWeight * 0.5f);
  g.DrawLine(GetColor(kFR), r.MW(), r.T, r.MW(), r.B, &half);
  g.DrawLine(GetColor(kFR), r.L, r.MH(), r.R, r.MH(), &half);
  if (mStyle.drawFrame && mStyle.frameThickness > 0.f)
    g.DrawRect(GetColor(kFR), r, &mDrawBlend, mStyle.frameThickness);
  float cx = 0.f;
  float cy = 0.f;
  GetHandleCentre(cx, cy);
  const IRECT handle(cx - mHandleRadius, cy - mHandleRadius, cx + mHandleRadius, cy + mHandleRadius);
  DrawPressableShape(g, mShape, handle, mMouseDown, mHovered, IsDisabled());
}

} // namespace iplug::igraphics
