#include "IVSliderControl.h"

#include <algorithm>

#include "IGraphics.h"
#include "IParam.h"

namespace iplug::igraphics
{

IVSliderControl::IVSliderControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                                 bool valueIsEditable, EDirection direction, double gearing, float handleSize,
                                 float trackSize, bool handleInsideTrack)
  : ISliderControlBase(bounds, paramIdx, direction, gearing, std::max(handleSize, 0.f))
  , IVectorBase(style)
{
  AttachIControl(this, label);
  Setup(valueIsEditable, trackSize, handleInsideTrack);
}

IVSliderControl::IVSliderControl(const IRECT& bounds, IActionFunction actionFunc, const char* label,
                                 const IVStyle& style, bool valueIsEditable, EDirection direction, double gearing,
                                 float handleSize, float trackSize, bool handleInsideTrack)
  : ISliderControlBase(bounds, std::move(actionFunc), direction, gearing, std::max(handleSize, 0.f))
  , IVectorBase(style)
{
  AttachIControl(this, label);
  Setup(valueIsEditable, trackSize, handleInsideTrack);
}

void IVSliderControl::Setup(bool valueIsEditable, float trackSize, bool handleInsideTrack)
{
  mNoPrompt = !valueIsEditable;
  mTextStyle = mStyle.valueText;
  mHideCursorOnDrag = mStyle.hideCursor;
  mShape = kVShapeEllipse;
  mTrackSize = std::max(trackSize, 0.f);
  mHandleInsideTrack = handleInsideTrack;
}

void IVSliderControl::SetStyle(const IVStyle& style)
{
  mTextStyle = style.valueText;
  mHideCursorOnDrag = style.hideCursor;
  IVectorBase::SetStyle(style);
}

void IVSliderControl::UpdateValueStr()
{
  if (const IParam* pParam = GetParam(0))
  {
    WDL_String display;
    pParam->GetDisplayWithLabel(display);
    mValueStr.Set(display.Get());
  }
}

void IVSliderControl::OnInit()
{
  UpdateValueStr();
  const IParam* pParam = GetParam(0);
  if (pParam && mLabelStr.GetLength() == 0)
    mLabelStr.Set(pParam->GetName());
}

void IVSliderControl::OnResize()
{
  ISliderControlBase::OnResize();
  SetTargetRECT(MakeRects(mBounds, true));
  // The handle's centre travels the widget less half a handle at each end, so the handle stays inside.
  const float half = std::min(mHandleSize / 2.f,
                              (mDirection == kDirectionVertical ? mWidgetBounds.H() : mWidgetBounds.W()) / 2.f);
  mTrackBounds = mDirection == kDirectionVertical
                   ? IRECT(mWidgetBounds.L, mWidgetBounds.T + half, mWidgetBounds.R, mWidgetBounds.B - half)
                   : IRECT(mWidgetBounds.L + half, mWidgetBounds.T, mWidgetBounds.R - half, mWidgetBounds.B);
  IControl::SetDirty(false);
}

IRECT IVSliderControl::GetDrawnTrack() const
{
  const float across = mHandleInsideTrack ? mHandleSize : mTrackSize;
  if (mDirection == kDirectionVertical)
    return IRECT(mTrackBounds.MW() - across / 2.f, mTrackBounds.T, mTrackBounds.MW() + across / 2.f, mTrackBounds.B);
  return IRECT(mTrackBounds.L, mTrackBounds.MH() - across / 2.f, mTrackBounds.R, mTrackBounds.MH() + across / 2.f);
}

IRECT IVSliderControl::GetHandleBounds() const
{
  const float v = static_cast<float>(std::clamp(GetValue(0), 0.0, 1.0));
  const float half = mHandleSize / 2.f;
  if (mDirection == kDirectionVertical)
  {
    const float cy = mTrackBounds.B - v * mTrackBounds.H();
    return IRECT(mTrackBounds.MW() - half, cy - half, mTrackBounds.MW() + half, cy + half);
  }
  const float cx = mTrackBounds.L + v * mTrackBounds.W();
  return IRECT(cx - half, mTrackBounds.MH() - half, cx + half, mTrackBounds.MH() + half);
}

void IVSliderControl::Draw(IGraphics& g)
{
  DrawBackground(g, mBounds);
  DrawLabel(g);
  DrawWidget(g);
  DrawValue(g, mValueMouseOver);
}

void IVSliderControl::DrawWidget(IGraphics& g)
{
  const IRECT track = GetDrawnTrack();
  const IRECT handle = GetHandleBounds();
  const IRECT filled = mDirection == kDirectionVertical ? IRECT(track.L, handle.MH(), track.R, track.B)
                                                        : IRECT(track.L, track.T, handle.MW(), track.B);
  DrawTrack(g, filled);
  DrawHandle(g, handle);
}

void IVSliderControl::DrawTrack(IGraphics& g, const IRECT& filledArea)
{
  const IRECT track = GetDrawnTrack();
  const IBlend blend = IsDisabled() ? IBlend(mDrawBlend.mMethod, 0.25f) : mDrawBlend;
  const float radius = std::min(track.W(), track.H()) / 2.f;
  g.FillRoundRect(GetColor(kBG), track, radius, &blend);
  g.FillRoundRect(GetColor(kX1), filledArea, std::min(radius, std::min(filledArea.W(), filledArea.H()) / 2.f), &blend);
  if (mStyle.drawFrame && mStyle.frameThickness > 0.f)
    g.DrawRoundRect(GetColor(kFR), track, radius, &blend, mStyle.frameThickness);
}

void IVSliderControl::DrawHandle(IGraphics& g, const IRECT& bounds)
{
  if (mHandleSize > 0.f)
    DrawPressableShape(g, mShape, bounds, mMouseDown, mHovered, IsDisabled());
}

bool IVSliderControl::IsHit(float x, float y) const
{
  if (!mNoPrompt && mValueBounds.Contains(x, y))
    return true;
  return mWidgetBounds.Contains(x, y);
}

void IVSliderControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  if (mStyle.showValue && !mNoPrompt && mValueBounds.Contains(x, y) && !mWidgetBounds.Contains(x, y))
  {
    PromptUserInput(mValueBounds, 0);
    IControl::SetDirty(false);
    return;
  }
  ISliderControlBase::OnMouseDown(x, y, mod);
  IControl::SetDirty(false);
}

void IVSliderControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  if (mStyle.showValue && !mNoPrompt)
    mValueMouseOver = mValueBounds.Contains(x, y);
  ISliderControlBase::OnMouseOver(x, y, mod);
  IControl::SetDirty(false);
}

void IVSliderControl::OnMouseOut()
{
  mValueMouseOver = false;
  ISliderControlBase::OnMouseOut();
}

void IVSliderControl::SetDirty(bool triggerAction, int /*valIdx*/)
{
  ISliderControlBase::SetDirty(triggerAction, -1);
  UpdateValueStr();
}

} // namespace iplug::igraphics
