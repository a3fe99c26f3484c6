#include "ISVGControls.h"

#include <algorithm>
#include <cmath>

#include "IGraphics.h"

namespace iplug::igraphics
{

ISVGControl::ISVGControl(const IRECT& bounds, const ISVG& svg, bool useLayer)
  : IControl(bounds)
  , mSVG(svg)
  , mUseLayer(useLayer)
{
}

void ISVGControl::Draw(IGraphics& g)
{
  if (!mUseLayer)
  {
    g.DrawSVG(mSVG, mBounds, &mDrawBlend);
    return;
  }
  if (!g.CheckLayer(mLayer))
  {
    // The layer covers the bounds on the backing-pixel grid, so the cached pixels land exactly.
    const float s = g.GetBackingPixelScale();
    const IRECT area(std::floor(mBounds.L * s) / s, std::floor(mBounds.T * s) / s, std::ceil(mBounds.R * s) / s,
                     std::ceil(mBounds.B * s) / s);
    g.StartLayer(this, area);
    g.DrawSVG(mSVG, mBounds);
    mLayer = g.EndLayer();
  }
  g.DrawLayer(mLayer, &mDrawBlend);
}

void ISVGControl::SetSVG(const ISVG& svg)
{
  mSVG = svg;
  if (mLayer)
    mLayer->Invalidate();
  SetDirty(false);
}

ISVGButtonControl::ISVGButtonControl(const IRECT& bounds, IActionFunction actionFunc, const ISVG& offImage,
                                     const ISVG& onImage)
  : IButtonControlBase(bounds, std::move(actionFunc))
  , mOffSVG(offImage)
  , mOnSVG(onImage)
{
}

void ISVGButtonControl::Draw(IGraphics& g)
{
  g.DrawSVG(GetValue(0) > 0.5 ? mOnSVG : mOffSVG, mBounds, &mDrawBlend);
}

ISVGKnobControl::ISVGKnobControl(const IRECT& bounds, const ISVG& svg, int paramIdx)
  : IKnobControlBase(bounds, paramIdx, kDirectionVertical, 4.0)
  , mSVG(svg)
{
}

void ISVGKnobControl::Draw(IGraphics& g)
{
  g.DrawRotatedSVG(mSVG, mBounds.MW(), mBounds.MH(), mBounds.W(), mBounds.H(), -135.0 + GetValue(0) * 270.0,
                   &mDrawBlend);
}

void ISVGKnobControl::SetSVG(const ISVG& svg)
{
  mSVG = svg;
  SetDirty(false);
}

ISVGSwitchControl::ISVGSwitchControl(const IRECT& bounds, std::initializer_list<ISVG> svgs, int paramIdx,
                                     IActionFunction actionFunc)
  : ISwitchControlBase(bounds, paramIdx, std::move(actionFunc), static_cast<int>(svgs.size()))
  , mSVGs(svgs)
{
}

void ISVGSwitchControl::Draw(IGraphics& g)
{
  if (mSVGs.empty())
    return;
  const int n = static_cast<int>(mSVGs.size());
  const int idx = std::clamp(static_cast<int>((n - 1) * GetValue(0) + 0.5), 0, n - 1);
  g.DrawSVG(mSVGs[static_cast<std::size_t>(idx)], mBounds, &mDrawBlend);
}

ISVGSliderControl::ISVGSliderControl(const IRECT& bounds, const ISVG& handleSvg, const ISVG& trackSvg, int paramIdx,
                                     EDirection dir, double gearing)
  : ISliderControlBase(bounds, paramIdx, dir, gearing, 0.f)
  , mHandleSVG(handleSvg)
  , mTrackSVG(trackSvg)
{
}

void ISVGSliderControl::OnResize()
{
  mHitBounds = mBounds;
  mHovered = false;
  // The track keeps its picture's aspect: full height for vertical sliders, full width for horizontal ones.
  const float aspect = mTrackSVG.H() > 0.f ? mTrackSVG.W() / mTrackSVG.H() : 1.f;
  if (mDirection == kDirectionVertical)
  {
    const float w = std::max(mBounds.H() * aspect, 1.f);
    mTrackBounds = IRECT(mBounds.MW() - w / 2.f, mBounds.T, mBounds.MW() + w / 2.f, mBounds.B);
  }
  else
  {
    const float h = std::max(mBounds.W() / std::max(aspect, 1e-6f), 1.f);
    mTrackBounds = IRECT(mBounds.L, mBounds.MH() - h / 2.f, mBounds.R, mBounds.MH() + h / 2.f);
  }
  // The handle is as wide as the track (vertical) or as high (horizontal), with its picture's aspect.
  const float handleAspect = mHandleSVG.H() > 0.f ? mHandleSVG.W() / mHandleSVG.H() : 1.f;
  if (mDirection == kDirectionVertical)
  {
    const float h = mTrackBounds.W() / std::max(handleAspect, 1e-6f);
    mHandleBounds = IRECT(mTrackBounds.L, mTrackBounds.T, mTrackBounds.R, mTrackBounds.T + h);
  }
  else
  {
    const float w = mTrackBounds.H() * handleAspect;
    mHandleBounds = IRECT(mTrackBounds.R - w, mTrackBounds.T, mTrackBounds.R, mTrackBounds.B);
  }
  SetDirty(false);
}

IRECT ISVGSliderControl::GetHandleBounds(double value) const
{
  if (value < 0.0)
    value = GetValue(0);
  // At 1 the handle sits at the top (or right) end, where a click on the track also means 1.
  const auto travel = static_cast<float>(1.0 - value);
  if (mDirection == kDirectionVertical)
  {
    const float dy = travel * (mTrackBounds.H() - mHandleBounds.H());
    return IRECT(mHandleBounds.L, mHandleBounds.T + dy, mHandleBounds.R, mHandleBounds.B + dy);
  }
  const float dx = travel * (mTrackBounds.W() - mHandleBounds.W());
  return IRECT(mHandleBounds.L - dx, mHandleBounds.T, mHandleBounds.R - dx, mHandleBounds.B);
}

void ISVGSliderControl::Draw(IGraphics& g)
{
  g.DrawSVG(mTrackSVG, mTrackBounds, &mDrawBlend);
  g.DrawSVG(mHandleSVG, GetHandleBounds(), &mDrawBlend);
}

} // namespace iplug::igraphics
