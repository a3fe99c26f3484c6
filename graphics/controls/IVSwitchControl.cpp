#include "IVSwitchControl.h"

#include <algorithm>

#include "IGraphics.h"
#include "IParam.h"

namespace iplug::igraphics
{

IVSwitchControl::IVSwitchControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                                 bool valueInButton)
  : ISwitchControlBase(bounds, paramIdx, nullptr, 2)
  , IVectorBase(style, false, valueInButton)
{
  AttachIControl(this, label);
}

IVSwitchControl::IVSwitchControl(const IRECT& bounds, IActionFunction actionFunc, const char* label,
                                 const IVStyle& style, int numStates, bool valueInButton)
  : ISwitchControlBase(bounds, -1, std::move(actionFunc), numStates)
  , IVectorBase(style, false, valueInButton)
{
  AttachIControl(this, label);
}

int IVSwitchControl::GetSelectedIdx() const
{
  const int idx = static_cast<int>((mNumStates - 1) * GetValue(0) + 0.5);
  return std::clamp(idx, 0, std::max(mNumStates - 1, 0));
}

void IVSwitchControl::UpdateValueStr()
{
  if (const IParam* pParam = GetParam(0))
  {
    WDL_String display;
    pParam->GetDisplayWithLabel(display);
    mValueStr.Set(display.Get());
  }
}

void IVSwitchControl::OnInit()
{
  ISwitchControlBase::OnInit();
  UpdateValueStr();
  const IParam* pParam = GetParam(0);
  if (pParam && mLabelStr.GetLength() == 0)
    mLabelStr.Set(pParam->GetName());
}

void IVSwitchControl::OnResize()
{
  SetTargetRECT(MakeRects(mBounds, true));
  IControl::SetDirty(false);
}

bool IVSwitchControl::IsHit(float x, float y) const
{
  return mWidgetBounds.Contains(x, y);
}

void IVSwitchControl::SetDirty(bool triggerAction, int valIdx)
{
  ISwitchControlBase::SetDirty(triggerAction, valIdx);
  UpdateValueStr();
}

void IVSwitchControl::Draw(IGraphics& g)
{
  DrawBackground(g, mBounds);
  DrawLabel(g);
  DrawWidget(g);
  DrawValue(g, false);
}

void IVSwitchControl::DrawWidget(IGraphics& g)
{
  DrawPressableShape(g, mShape, mWidgetBounds, mMouseDown, mHovered, IsDisabled());
}

IVToggleControl::IVToggleControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                                 const char* offText, const char* onText)
  : IVSwitchControl(bounds, paramIdx, label, style, true)
  , mOffText(offText ? offText : "")
  , mOnText(onText ? onText : "")
{
  UpdateValueStr();
}

IVToggleControl::IVToggleControl(const IRECT& bounds, IActionFunction actionFunc, const char* label,
                                 const IVStyle& style, const char* offText, const char* onText)
  : IVSwitchControl(bounds, std::move(actionFunc), label, style, 2, true)
  , mOffText(offText ? offText : "")
  , mOnText(onText ? onText : "")
{
  UpdateValueStr();
}

void IVToggleControl::UpdateValueStr()
{
  mValueStr.Set(GetValue(0) > 0.5 ? mOnText.Get() : mOffText.Get());
}

void IVToggleControl::DrawWidget(IGraphics& g)
{
  DrawPressableShape(g, mShape, mWidgetBounds, GetValue(0) > 0.5, mHovered, IsDisabled());
}

IVSlideSwitchControl::IVSlideSwitchControl(const IRECT& bounds, int paramIdx, const char* label,
                                           const IVStyle& style, bool valueInButton, EDirection direction)
  : IVSwitchControl(bounds, paramIdx, label, style, valueInButton)
  , mDirection(direction)
{
}

IVSlideSwitchControl::IVSlideSwitchControl(const IRECT& bounds, IActionFunction actionFunc, const char* label,
                                           const IVStyle& style, bool valueInButton, EDirection direction,
                                           int numStates, int initialState)
  : IVSwitchControl(bounds, std::move(actionFunc), label, style, numStates, valueInButton)
  , mDirection(direction)
{
  const int states = std::max(numStates, 1);
  SetValue(states > 1 ? std::clamp(initialState, 0, states - 1) / static_cast<double>(states - 1) : 0.0, 0);
}

IRECT IVSlideSwitchControl::GetCell(int idx) const
{
  return SubRect(mWidgetBounds, mDirection, std::max(mNumStates, 1), idx);
}

void IVSlideSwitchControl::OnResize()
{
  SetTargetRECT(MakeRects(mBounds, true));
  mHandleBounds = GetCell(GetSelectedIdx());
  IControl::SetDirty(false);
}

void IVSlideSwitchControl::SetDirty(bool triggerAction, int valIdx)
{
  IVSwitchControl::SetDirty(triggerAction, valIdx);
  if (!GetAnimationFunction())
    mHandleBounds = GetCell(GetSelectedIdx());
}

void IVSlideSwitchControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  mStartRect = mHandleBounds;
  IVSwitchControl::OnMouseDown(x, y, mod);
  mEndRect = GetCell(GetSelectedIdx());
  mHandleBounds = mStartRect;
  SetAnimation(SlideAnimation, 100);
}

void IVSlideSwitchControl::SlideAnimation(IControl* pCaller)
{
  auto* pSwitch = static_cast<IVSlideSwitchControl*>(pCaller);
  const double progress = pSwitch->GetAnimationProgress();
  if (progress > 1.0)
  {
    pSwitch->OnEndAnimation();
    return;
  }
  const float p = static_cast<float>(progress);
  const IRECT& a = pSwitch->mStartRect;
  const IRECT& b = pSwitch->mEndRect;
  pSwitch->mHandleBounds = IRECT(a.L + (b.L - a.L) * p, a.T + (b.T - a.T) * p, a.R + (b.R - a.R) * p,
                                 a.B + (b.B - a.B) * p);
  pSwitch->IControl::SetDirty(false);
}

void IVSlideSwitchControl::OnEndAnimation()
{
  mHandleBounds = mEndRect;
  IVSwitchControl::OnEndAnimation();
}

void IVSlideSwitchControl::DrawWidget(IGraphics& g)
{
  const IBlend blend = IsDisabled() ? IBlend(mDrawBlend.mMethod, 0.25f) : mDrawBlend;
  const float radius = RoundnessRadius(mWidgetBounds);
  g.FillRoundRect(GetColor(kBG), mWidgetBounds, radius, &blend);
  if (mStyle.drawFrame && mStyle.frameThickness > 0.f)
    g.DrawRoundRect(GetColor(kFR), mWidgetBounds, radius, &blend, mStyle.frameThickness);
  DrawPressableShape(g, mShape, mHandleBounds, mMouseDown, mHovered, IsDisabled());
}

} // namespace iplug::igraphics
