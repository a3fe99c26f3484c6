#include "IVGroupControl.h"

#include <algorithm>

#include "IGraphics.h"

namespace iplug::igraphics
{

IVGroupControl::IVGroupControl(const IRECT& bounds, const char* label, float labelOffset, const IVStyle& style)
  : IControl(bounds)
  , IVectorBase(style)
  , mLabelOffset(labelOffset)
{
  mPassThroughMouse = true;
  AttachIControl(this, label);
}

IVGroupControl::IVGroupControl(const char* groupName, const char* label, float labelOffset, const IVStyle& style,
                               float padL, float padT, float padR, float padB)
  : IControl(IRECT())
  , IVectorBase(style)
  , mGroupToCover(groupName ? groupName : "")
  , mLabelOffset(labelOffset)
  , mPadL(padL)
  , mPadT(padT)
  , mPadR(padR)
  , mPadB(padB)
{
  mPassThroughMouse = true;
  AttachIControl(this, label);
}

void IVGroupControl::OnInit()
{
  if (mGroupToCover.GetLength() > 0)
    SetBoundsBasedOnGroup(mGroupToCover.Get(), mPadL, mPadT, mPadR, mPadB);
}

void IVGroupControl::SetBoundsBasedOnGroup(const char* groupName, float padL, float padT, float padR, float padB)
{
  // The name may be this control's own stored name, which Set would overwrite while reading it.
  if (groupName != mGroupToCover.Get())
    mGroupToCover.Set(groupName ? groupName : "");
  mPadL = padL;
  mPadT = padT;
  mPadR = padR;
  mPadB = padB;
  IGraphics* pGraphics = GetUI();
  if (!pGraphics || mGroupToCover.GetLength() == 0)
    return;
  IRECT covered;
  bool any = false;
  pGraphics->ForControlInGroup(mGroupToCover.Get(), [&](IControl* pControl) {
    if (pControl == this)
      return;
    covered = any ? covered.Union(pControl->GetRECT()) : pControl->GetRECT();
    any = true;
  });
  if (!any)
    return;
  mBounds = mHitBounds = IRECT(covered.L - padL, covered.T - padT, covered.R + padR, covered.B + padB);
  OnResize();
}

void IVGroupControl::OnResize()
{
  // The label sits on the top edge, so the frame starts at the label's middle.
  mLabelBounds = IRECT();
  float frameTop = mBounds.T;
  if (mStyle.showLabel && mLabelStr.GetLength() > 0 && GetUI())
  {
    IRECT size;
    GetUI()->MeasureText(mStyle.labelText, mLabelStr.Get(), size);
    const float left = std::min(mBounds.L + mLabelOffset, mBounds.R);
    mLabelBounds = IRECT(left, mBounds.T, std::min(left + size.W(), mBounds.R), mBounds.T + size.H());
    frameTop = std::min(mLabelBounds.MH(), mBounds.B);
  }
  const float inset = mStyle.drawFrame ? mStyle.frameThickness / 2.f : 0.f;
  mWidgetBounds = IRECT(mBounds.L + inset, frameTop + inset, mBounds.R - inset, mBounds.B - inset);
  mValueBounds = mWidgetBounds;
  SetDirty(false);
}

void IVGroupControl::Draw(IGraphics& g)
{
  DrawBackground(g, mWidgetBounds);
  DrawWidget(g);
  DrawLabel(g);
}

void IVGroupControl::DrawWidget(IGraphics& g)
{
  if (!mStyle.drawFrame || mStyle.frameThickness <= 0.f)
    return;
  const IRECT& r = mWidgetBounds;
  const float rad = RoundnessRadius(r);
  const bool gap = mLabelBounds.W() > 0.f;
  // Clockwise from the right of the label round to its left, leaving the label's gap open.
  const float gapL = gap ? std::max(mLabelBounds.L - 2.f, r.L + rad) : r.L + rad;
  const float gapR = gap ? std::min(mLabelBounds.R + 2.f, r.R - rad) : r.L + rad;
  g.PathClear();
  g.PathMoveTo(gapR, r.T);
  g.PathLineTo(r.R - rad, r.T);
  if (rad > 0.f)
    g.PathArc(r.R - rad, r.T + rad, rad, 0.f, 90.f);
  g.PathLineTo(r.R, r.B - rad);
  if (rad > 0.f)
    g.PathArc(r.R - rad, r.B - rad, rad, 90.f, 180.f);
  g.PathLineTo(r.L + rad, r.B);
  if (rad > 0.f)
    g.PathArc(r.L + rad, r.B - rad, rad, 180.f, 270.f);
  g.PathLineTo(r.L, r.T + rad);
  if (rad > 0.f)
    g.PathArc(r.L + rad, r.T + rad, rad, 270.f, 360.f);
  g.PathLineTo(gapL, r.T);
  g.PathStroke(IPattern(GetColor(kFR)), mStyle.frameThickness, IStrokeOptions(), &mDrawBlend);
}

} // namespace iplug::igraphics
