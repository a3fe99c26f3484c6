#include "IControl.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "IEditorDelegate.h"
#include "IGraphics.h"
#include "IParam.h"
#include "IPopupMenu.h"

namespace iplug::igraphics
{

namespace
{

// Milliseconds of the steady clock, with fractions.
double NowMs()
{
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Whether value replaces current: NaN always does, so a host can force a redraw.
bool DiffersFrom(double value, double current)
{
  return value != current || std::isnan(value);
}

} // namespace

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

void IControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  if (mod.R)
    PromptUserInput(GetValIdxForPos(x, y));
}

void IControl::OnMouseDblClick(float x, float y, const IMouseMod& /*mod*/)
{
  SetValueToDefault(GetValIdxForPos(x, y));
}

void IControl::OnMouseOver(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  const bool wasOver = mHovered;
  mHovered = true;
  if (!wasOver)
    SetDirty(false);
}

void IControl::OnMouseOut()
{
  const bool wasOver = mHovered;
  mHovered = false;
  if (wasOver)
    SetDirty(false);
}

bool IControl::OnGesture(const IGestureInfo& info)
{
  const auto found = mGestureHandlers.find(info.type);
  if (found == mGestureHandlers.end())
    return false;
  mLastGesture = info.type;
  found->second(this, info);
  return true;
}

void IControl::OnPopupMenuSelection(IPopupMenu* pMenu, int valIdx)
{
  if (!pMenu || valIdx < 0 || valIdx >= NVals() || mNoPrompt)
    return;
  const IParam* pParam = GetParam(valIdx);
  if (!pParam)
    return;
  const double normalized = std::clamp(pParam->ToNormalisedValue(pMenu->GetChosenItemIdx()), 0.0, 1.0);
  SetValueFromUserInput(normalized, valIdx);
}

void IControl::DrawPTHighlight(IGraphics& g)
{
  if (mAutomationHighlighted)
    g.FillCircle(mAutomationHighlightColor, mBounds.R - 5.f, mBounds.T + 5.f, 2.f);
}

void IControl::SetParamIdx(int paramIdx, int valIdx)
{
  mValueSlots.at(static_cast<std::size_t>(valIdx)).paramIdx = paramIdx;
  SetDirty(false);
}

void IControl::SetValueFromDelegate(double value, int valIdx)
{
  // The host echoes every change the user makes; a control under the pointer must not jump back.
  if (mGraphicsContext && mGraphicsContext->ControlIsCaptured(this))
    return;
  if (DiffersFrom(value, GetValue(valIdx)))
  {
    SetValue(value, valIdx);
    SetDirty(false);
  }
}

void IControl::SetValueFromUserInput(double value, int valIdx)
{
  if (DiffersFrom(value, GetValue(valIdx)))
  {
    SetValue(value, valIdx);
    SetDirty(true, valIdx);
  }
}

double IControl::NormalisedDefault(int valIdx) const
{
  const IParam* pParam = GetParam(valIdx);
  if (!pParam)
    return -1.0;
  return std::clamp(pParam->ToNormalisedValue(pParam->GetDefault()), 0.0, 1.0);
}

void IControl::SetValueToDefault(int valIdx)
{
  if (NVals() == 1)
    valIdx = 0;
  const int first = valIdx >= 0 ? valIdx : 0;
  const int last = valIdx >= 0 ? valIdx : NVals() - 1;
  for (int i = first; i <= last; ++i)
  {
    const double normalized = NormalisedDefault(i);
    if (normalized >= 0.0)
      SetValue(normalized, i);
  }
  SetDirty(true, valIdx);
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

void IControl::SetPosition(float x, float y)
{
  x = std::max(x, 0.f);
  y = std::max(y, 0.f);
  const float dX = x - mBounds.L;
  const float dY = y - mBounds.T;
  mBounds = IRECT(x, y, x + mBounds.W(), y + mBounds.H());
  mHovered = false;
  OnResize();
  mHitBounds = IRECT(mHitBounds.L + dX, mHitBounds.T + dY, mHitBounds.R + dX, mHitBounds.B + dY);
  mHovered = false;
}

void IControl::SetSize(float w, float h)
{
  w = std::max(w, 0.f);
  h = std::max(h, 0.f);
  mBounds = IRECT(mBounds.L, mBounds.T, mBounds.L + w, mBounds.T + h);
  mHitBounds = mBounds;
  mHovered = false;
  OnResize();
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

void IControl::SnapToMouse(float x, float y, EDirection direction, const IRECT& bounds, int valIdx, double minClip,
                           double maxClip)
{
  x = std::clamp(x, bounds.L, bounds.R);
  y = std::clamp(y, bounds.T, bounds.B);
  double v = 0.0;
  if (direction == kDirectionVertical)
    v = bounds.H() > 0.f ? 1.0 - static_cast<double>(y - bounds.T) / bounds.H() : 0.0;
  else
    v = bounds.W() > 0.f ? static_cast<double>(x - bounds.L) / bounds.W() : 0.0;
  v = std::clamp(std::round(v / 0.001) * 0.001, minClip, maxClip);
  SetValue(v, valIdx);
  SetDirty(true, valIdx);
}

void IControl::OnEndAnimation()
{
  mAnimator = nullptr;
  SetDirty(false);
  if (mOnAnimationEnd)
    mOnAnimationEnd(this);
}

const IParam* IControl::GetParam(int valIdx) const
{
  const int paramIdx = GetParamIdx(valIdx);
  if (paramIdx < 0 || !mEditorDelegate || paramIdx >= mEditorDelegate->NParams())
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

void IControl::PromptUserInput(int valIdx)
{
  if (valIdx < 0 || valIdx >= NVals() || mNoPrompt || !mGraphicsContext)
    return;
  const IParam* pParam = GetParam(valIdx);
  if (!pParam)
    return;
  const IRECT area = pParam->NDisplayTexts() > 0
                       ? mBounds
                       : IRECT(mBounds.MW() - 20.f, mBounds.MH() - 8.f, mBounds.MW() + 20.f, mBounds.MH() + 8.f);
  mGraphicsContext->PromptUserInput(*this, area, valIdx);
  SetDirty(false);
}

void IControl::PromptUserInput(const IRECT& bounds, int valIdx)
{
  if (valIdx < 0 || valIdx >= NVals() || mNoPrompt || !mGraphicsContext || !GetParam(valIdx))
    return;
  mGraphicsContext->PromptUserInput(*this, bounds, valIdx);
}

void IControl::StartAnimation(int durationMs)
{
  mAnimationStartMs = NowMs();
  mAnimationLengthMs = durationMs;
}

double IControl::GetAnimationProgress() const
{
  if (!mAnimator)
    return 0.0;
  return (NowMs() - mAnimationStartMs) / mAnimationLengthMs;
}

void IControl::Animate()
{
  if (mAnimator)
    mAnimator(this);
}

IControl* IControl::AttachGestureRecognizer(EGestureType type, IGestureFunc func)
{
  mGestureHandlers[type] = std::move(func);
  if (mGraphicsContext)
    mGraphicsContext->AttachGestureRecognizer(type);
  return this;
}

void IControl::SetPTParameterHighlight(bool isHighlighted, int colorIdx)
{
  switch (colorIdx)
  {
  case 0: mAutomationHighlightColor = COLOR_RED; break;
  case 1: mAutomationHighlightColor = COLOR_BLUE; break;
  case 2: mAutomationHighlightColor = COLOR_GREEN; break;
  case 3: mAutomationHighlightColor = COLOR_YELLOW; break;
  default: break;
  }
  mAutomationHighlighted = isHighlighted;
  SetDirty(false);
}

void IControl::SetAnimation(IActionFunction func, int durationMs)
{
  mAnimator = std::move(func);
  StartAnimation(durationMs);
}

void IControl::SetRECT(const IRECT& bounds)
{
  mBounds = bounds;
  OnResize();
}

void EmptyClickActionFunc(IControl* /*pCaller*/) {}

void DefaultAnimationFunc(IControl* pCaller)
{
  if (pCaller->GetAnimationFunction() && pCaller->GetAnimationProgress() > 1.0)
    pCaller->OnEndAnimation();
}

void DefaultClickActionFunc(IControl* pCaller)
{
  pCaller->SetAnimation(DefaultAnimationFunc, 100);
}

namespace
{

// Shows slot 0's parameter text in the graphics context's bubble at (x, y).
void ShowParamBubble(IControl* pCaller, float x, float y, EDirection dir)
{
  const IParam* pParam = pCaller->GetParam(0);
  IGraphics* pGraphics = pCaller->GetUI();
  if (!pParam || !pGraphics)
    return;
  WDL_String display;
  pParam->GetDisplayWithLabel(display, true);
  pGraphics->ShowBubbleControl(pCaller, x, y, display.Get(), dir, IRECT(0.f, 0.f, 50.f, 30.f));
}

} // namespace

void ShowBubbleHorizontalActionFunc(IControl* pCaller)
{
  const IRECT& r = pCaller->GetRECT();
  ShowParamBubble(pCaller, r.R, r.MH(), kDirectionHorizontal);
}

void ShowBubbleVerticalActionFunc(IControl* pCaller)
{
  const IRECT& r = pCaller->GetRECT();
  ShowParamBubble(pCaller, r.MW(), r.T, kDirectionVertical);
}

} // namespace iplug::igraphics
