#include "IVTrackControlBase.h"

#include <algorithm>
#include <cmath>

#include "IGraphics.h"

namespace iplug::igraphics
{

IVTrackControlBase::IVTrackControlBase(const IRECT& bounds, const char* label, const IVStyle& style,
                                       std::initializer_list<int> params, int nSteps, EDirection direction,
                                       const std::vector<std::string>& trackNames)
  : IControl(bounds, params)
  , IVectorBase(style)
  , mTrackNames(trackNames)
  , mDirection(direction)
  , mNSteps(std::max(nSteps, 0))
{
  // A control needs at least one value slot.
  if (mValueSlots.empty())
    mValueSlots.push_back({-1, 0.0});
  AttachIControl(this, label);
}

IVTrackControlBase::IVTrackControlBase(const IRECT& bounds, const char* label, const IVStyle& style,
                                       int maxNTracks, int nSteps, EDirection direction,
                                       const std::vector<std::string>& trackNames)
  : IControl(bounds)
  , IVectorBase(style)
  , mTrackNames(trackNames)
  , mDirection(direction)
  , mNSteps(std::max(nSteps, 0))
{
  mValueSlots.assign(static_cast<std::size_t>(std::max(maxNTracks, 1)), ValueSlot{});
  AttachIControl(this, label);
}

void IVTrackControlBase::MakeTrackRects(const IRECT& bounds)
{
  // Vertical tracks stand side by side from left to right, horizontal ones are stacked from the top.
  const EDirection across = mDirection == kDirectionVertical ? kDirectionHorizontal : kDirectionVertical;
  const int n = NVals();
  mTrackBounds.clear();
  for (int i = 0; i < n; ++i)
  {
    IRECT r = SubRect(bounds, across, n, i);
    if (n > 1)
    {
      const float pad = std::min(mTrackPadding, (across == kDirectionHorizontal ? r.W() : r.H()) / 4.f);
      r = across == kDirectionHorizontal ? IRECT(r.L + pad, r.T, r.R - pad, r.B) : IRECT(r.L, r.T + pad, r.R, r.B - pad);
    }
    mTrackBounds.push_back(r);
  }
}

void IVTrackControlBase::OnResize()
{
  SetTargetRECT(MakeRects(mBounds, false));
  MakeTrackRects(mWidgetBounds);
  SetDirty(false);
}

int IVTrackControlBase::GetValIdxForPos(float x, float y) const
{
  for (std::size_t i = 0; i < mTrackBounds.size(); ++i)
    if (mTrackBounds[i].Contains(x, y))
      return static_cast<int>(i);
  return -1;
}

void IVTrackControlBase::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  mHighlightedTrack = GetValIdxForPos(x, y);
  IControl::OnMouseOver(x, y, mod);
  SetDirty(false);
}

void IVTrackControlBase::OnMouseOut()
{
  mHighlightedTrack = -1;
  IControl::OnMouseOut();
}

double IVTrackControlBase::GetDrawnValue(int idx) const
{
  const double v = std::clamp(GetValue(idx), 0.0, 1.0);
  if (mNSteps <= 0)
    return v;
  return std::round(v * mNSteps) / mNSteps;
}

void IVTrackControlBase::Draw(IGraphics& g)
{
  DrawBackground(g, mBounds);
  DrawLabel(g);
  DrawWidget(g);
  DrawValue(g, false);
}

void IVTrackControlBase::DrawWidget(IGraphics& g)
{
  for (int i = 0; i < NTracks(); ++i)
  {
    const IRECT& r = GetTrackBounds(i);
    DrawTrackBackground(g, r, i);
    DrawTrackHandle(g, r, i);
    DrawPeak(g, r, i);
    DrawTrackName(g, r, i);
  }
  if (mStyle.drawFrame && mStyle.frameThickness > 0.f)
    g.DrawRect(GetColor(kFR), mWidgetBounds, &mDrawBlend, mStyle.frameThickness);
}

void IVTrackControlBase::DrawTrackBackground(IGraphics& g, const IRECT& r, int idx)
{
  g.FillRect(idx == mHighlightedTrack ? GetColor(kHL) : GetColor(kBG), r, &mDrawBlend);
}

void IVTrackControlBase::DrawTrackName(IGraphics& g, const IRECT& r, int idx)
{
  if (idx < static_cast<int>(mTrackNames.size()) && !mTrackNames[static_cast<std::size_t>(idx)].empty())
    g.DrawText(mStyle.valueText, mTrackNames[static_cast<std::size_t>(idx)].c_str(), r, &mDrawBlend);
}

void IVTrackControlBase::DrawTrackHandle(IGraphics& g, const IRECT& r, int idx)
{
  const float v = static_cast<float>(GetDrawnValue(idx));
  const IRECT filled = mDirection == kDirectionVertical ? IRECT(r.L, r.B - v * r.H(), r.R, r.B)
                                                        : IRECT(r.L, r.T, r.L + v * r.W(), r.B);
  if (filled.W() > 0.f && filled.H() > 0.f)
    g.FillRect(GetColor(kX1), filled, &mDrawBlend);
}

void IVTrackControlBase::DrawPeak(IGraphics& g, const IRECT& r, int idx)
{
  const float v = static_cast<float>(GetDrawnValue(idx));
  if (v <= 0.f)
    return;
  if (mDirection == kDirectionVertical)
  {
    const float y = std::min(r.B - v * r.H(), r.B - mPeakSize);
    g.FillRect(GetColor(kX2), IRECT(r.L, y, r.R, y + mPeakSize), &mDrawBlend);
  }
  else
  {
    const float x = std::max(r.L + v * r.W() - mPeakSize, r.L);
    g.FillRect(GetColor(kX2), IRECT(x, r.T, x + mPeakSize, r.B), &mDrawBlend);
  }
}

IVRangeSliderControl::IVRangeSliderControl(const IRECT& bounds, std::initializer_list<int> params,
                                           const char* label, const IVStyle& style, EDirection direction,
                                           bool onlyHandle, float handleSize, float trackSize)
  : IVTrackControlBase(bounds, label, style, params, 0, direction)
  , mOnlyHandle(onlyHandle)
  , mHandleSize(std::max(handleSize, 1.f))
{
  mTrackSize = std::max(trackSize, 0.f);
  mShape = kVShapeEllipse;
}

void IVRangeSliderControl::OnResize()
{
  SetTargetRECT(MakeRects(mBounds, true));
  const IRECT& w = mWidgetBounds;
  const float half = std::min(mHandleSize / 2.f, (mDirection == kDirectionVertical ? w.H() : w.W()) / 2.f);
  mTrackBounds.assign(1, mDirection == kDirectionVertical ? IRECT(w.L, w.T + half, w.R, w.B - half)
                                                          : IRECT(w.L + half, w.T, w.R - half, w.B));
  SetDirty(false);
}

IRECT IVRangeSliderControl::GetHandleBounds(int idx) const
{
  const IRECT& t = mTrackBounds.empty() ? mWidgetBounds : mTrackBounds.front();
  const float v = static_cast<float>(std::clamp(GetValue(idx), 0.0, 1.0));
  const float half = mHandleSize / 2.f;
  if (mDirection == kDirectionVertical)
  {
    const float cy = t.B - v * t.H();
    return IRECT(t.MW() - half, cy - half, t.MW() + half, cy + half);
  }
  const float cx = t.L + v * t.W();
  return IRECT(cx - half, t.MH() - half, cx + half, t.MH() + half);
}

int IVRangeSliderControl::GetValIdxForPos(float x, float y) const
{
  if (mTrackBounds.empty())
    return -1;
  const IRECT& t = mTrackBounds.front();
  const bool vertical = mDirection == kDirectionVertical;
  const float length = vertical ? t.H() : t.W();
  if (length <= 0.f)
    return -1;
  const float pointer = vertical ? (t.B - y) / length : (x - t.L) / length;
  const float reach = mHandleSize / 2.f / length;
  // Handles may sit on one another: then the pointer's side picks the one that can move that way.
  int best = -1;
  float bestDistance = 0.f;
  for (int i = 0; i < NVals(); ++i)
  {
    const IRECT h = GetHandleBounds(i);
    const IRECT grab = vertical ? IRECT(t.L, h.T, t.R, h.B) : IRECT(h.L, t.T, h.R, t.B);
    if (!grab.Contains(x, y))
      continue;
    const float d = pointer - static_cast<float>(GetValue(i));
    const float distance = std::fabs(d);
    const float tie = reach * 1e-3f;
    if (best < 0 || distance < bestDistance - tie || (distance <= bestDistance + tie && d > 0.f))
    {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

void IVRangeSliderControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  mMouseOverHandle = GetValIdxForPos(x, y);
  IVTrackControlBase::OnMouseOver(x, y, mod);
}

void IVRangeSliderControl::OnMouseOut()
{
  mMouseOverHandle = -1;
  IVTrackControlBase::OnMouseOut();
}

void IVRangeSliderControl::MoveHandle(int idx, float x, float y)
{
  const double lo = idx > 0 ? GetValue(idx - 1) : 0.0;
  // Values set out of order from outside must not give an empty range.
  const double hi = std::max(idx < NVals() - 1 ? GetValue(idx + 1) : 1.0, lo);
  SnapToMouse(x, y, mDirection, mTrackBounds.front(), idx, lo, hi);
}

void IVRangeSliderControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  if (mod.R)
  {
    IControl::OnMouseDown(x, y, mod);
    return;
  }
  mMouseDownHandle = GetValIdxForPos(x, y);
  if (mMouseDownHandle >= 0)
    MoveHandle(mMouseDownHandle, x, y);
}

void IVRangeSliderControl::OnMouseDrag(float x, float y, float /*dX*/, float /*dY*/, const IMouseMod& /*mod*/)
{
  if (mMouseDownHandle >= 0 && !mTrackBounds.empty())
    MoveHandle(mMouseDownHandle, x, y);
}

void IVRangeSliderControl::OnMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  mMouseDownHandle = -1;
  SetDirty(false);
}

void IVRangeSliderControl::DrawWidget(IGraphics& g)
{
  const IRECT& t = mTrackBounds.empty() ? mWidgetBounds : mTrackBounds.front();
  const bool vertical = mDirection == kDirectionVertical;
  if (!mOnlyHandle)
  {
    const float across = std::max(mTrackSize, 1.f);
    const IRECT line = vertical ? IRECT(t.MW() - across / 2.f, t.T, t.MW() + across / 2.f, t.B)
                                : IRECT(t.L, t.MH() - across / 2.f, t.R, t.MH() + across / 2.f);
    g.FillRect(GetColor(kSH), line, &mDrawBlend);
    // The spans between consecutive handles, twice the track's width.
    for (int i = 0; i + 1 < NVals(); ++i)
    {
      const IRECT a = GetHandleBounds(i);
      const IRECT b = GetHandleBounds(i + 1);
      const IRECT span = vertical ? IRECT(line.L - across / 2.f, std::min(a.MH(), b.MH()), line.R + across / 2.f,
                                          std::max(a.MH(), b.MH()))
                                  : IRECT(std::min(a.MW(), b.MW()), line.T - across / 2.f, std::max(a.MW(), b.MW()),
                                          line.B + across / 2.f);
      g.FillRect(GetColor(kX1), span, &mDrawBlend);
    }
  }
  for (int i = 0; i < NVals(); ++i)
    DrawPressableShape(g, mShape, GetHandleBounds(i), i == mMouseDownHandle, i == mMouseOverHandle, IsDisabled());
}

} // namespace iplug::igraphics
