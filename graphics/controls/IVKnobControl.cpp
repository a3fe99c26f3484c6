#include "IVKnobControl.h"

#include <algorithm>

#include "IGraphics.h"
#include "IParam.h"

namespace iplug::igraphics
{

IVKnobControl::IVKnobControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                             bool valueIsEditable, bool valueInWidget, float aMin, float aMax, float aAnchor,
                             EDirection direction, double gearing, float trackSize)
  : IKnobControlBase(bounds, paramIdx, direction, gearing)
  , IVectorBase(style, false, valueInWidget)
  , mAngleMin(aMin)
  , mAngleMax(aMax)
  , mAnchorAngle(aAnchor)
{
  AttachIControl(this, label);
  Setup(valueIsEditable, trackSize);
}

IVKnobControl::IVKnobControl(const IRECT& bounds, IActionFunction actionFunc, const char* label,
                             const IVStyle& style, bool valueIsEditable, bool valueInWidget, float aMin, float aMax,
                             float aAnchor, EDirection direction, double gearing, float trackSize)
  : IKnobControlBase(bounds, -1, direction, gearing)
  , IVectorBase(style, false, valueInWidget)
  , mAngleMin(aMin)
  , mAngleMax(aMax)
  , mAnchorAngle(aAnchor)
{
  SetActionFunction(std::move(actionFunc));
  AttachIControl(this, label);
  Setup(valueIsEditable, trackSize);
}

void IVKnobControl::Setup(bool valueIsEditable, float trackSize)
{
  mNoPrompt = !valueIsEditable;
  mTextStyle = mStyle.valueText;
  mHideCursorOnDrag = mStyle.hideCursor;
  mShape = kVShapeEllipse;
  mTrackSize = std::max(trackSize, 0.f);
}

void IVKnobControl::SetStyle(const IVStyle& style)
{
  mTextStyle = style.valueText;
  mHideCursorOnDrag = style.hideCursor;
  IVectorBase::SetStyle(style);
}

void IVKnobControl::UpdateValueStr()
{
  if (const IParam* pParam = GetParam(0))
  {
    WDL_String display;
    pParam->GetDisplayWithLabel(display);
    mValueStr.Set(display.Get());
  }
}

void IVKnobControl::OnInit()
{
  UpdateValueStr();
  const IParam* pParam = GetParam(0);
  if (pParam && mLabelStr.GetLength() == 0)
    mLabelStr.Set(pParam->GetName());
}

void IVKnobControl::OnResize()
{
  SetTargetRECT(MakeRects(mBounds, false));
  IControl::SetDirty(false);
}

float IVKnobControl::GetAngle() const
{
  return mAngleMin + (mAngleMax - mAngleMin) * static_cast<float>(GetValue(0));
}

void IVKnobControl::Draw(IGraphics& g)
{
  DrawBackground(g, mBounds);
  DrawLabel(g);
  DrawWidget(g);
  DrawValue(g, mValueMouseOver);
}

void IVKnobControl::DrawWidget(IGraphics& g)
{
  const float cx = mWidgetBounds.MW();
  const float cy = mWidgetBounds.MH();
  const float radius = std::min(mWidgetBounds.W(), mWidgetBounds.H()) / 2.f - mTrackSize / 2.f;
  const float angle = GetAngle();
  DrawIndicatorTrack(g, angle, cx, cy, radius);
  const float handleRadius = std::max(1.f, 2.f * (radius - mTrackToHandleDistance)) / 2.f;
  const IRECT handle(cx - handleRadius, cy - handleRadius, cx + handleRadius, cy + handleRadius);
  DrawPressableShape(g, kVShapeEllipse, handle, mMouseDown, mHovered, IsDisabled());
  DrawPointer(g, angle, cx, cy, handleRadius);
}

void IVKnobControl::DrawIndicatorTrack(IGraphics& g, float angle, float cx, float cy, float radius)
{
  if (mTrackSize <= 0.f || radius <= 0.f)
    return;
  g.DrawArc(GetColor(kX1), cx, cy, radius, std::min(mAnchorAngle, angle), std::max(mAnchorAngle, angle),
            &mDrawBlend, mTrackSize);
}

void IVKnobControl::DrawPointer(IGraphics& g, float angle, float cx, float cy, float radius)
{
  g.DrawRadialLine(GetColor(kFR), cx, cy, angle, mInnerPointerFrac * radius, mOuterPointerFrac * radius,
                   &mDrawBlend, mPointerThickness);
}

IRECT IVKnobControl::GetKnobDragBounds()
{
  return CentredSquare(mWidgetBounds);
}

bool IVKnobControl::IsHit(float x, float y) const
{
  if (!mNoPrompt && mValueBounds.Contains(x, y))
    return true;
  return mWidgetBounds.Contains(x, y);
}

void IVKnobControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  // A value drawn over the dial is no separate target: there a click always turns the knob.
  if (mStyle.showValue && !mNoPrompt && !mValueInWidget && mValueBounds.Contains(x, y))
  {
    PromptUserInput(mValueBounds, 0);
    IControl::SetDirty(false);
    return;
  }
  IKnobControlBase::OnMouseDown(x, y, mod);
  IControl::SetDirty(false);
}

void IVKnobControl::OnMouseUp(float x, float y, const IMouseMod& mod)
{
  IKnobControlBase::OnMouseUp(x, y, mod);
  SetDirty(true);
}

void IVKnobControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  if (mStyle.showValue && !mNoPrompt)
    mValueMouseOver = mValueBounds.Contains(x, y);
  IKnobControlBase::OnMouseOver(x, y, mod);
  IControl::SetDirty(false);
}

void IVKnobControl::OnMouseOut()
{
  mValueMouseOver = false;
  IKnobControlBase::OnMouseOut();
}

void IVKnobControl::SetDirty(bool triggerAction, int /*valIdx*/)
{
  IKnobControlBase::SetDirty(triggerAction, -1);
  UpdateValueStr();
}

} // namespace iplug::igraphics
