#include "IVPlotControl.h"

#include <algorithm>
#include <cmath>

#include "IGraphics.h"

namespace iplug::igraphics
{

IVPlotControl::IVPlotControl(const IRECT& bounds, const std::vector<Plot>& plots, int numPoints, const char* label,
                             const IVStyle& style, float min, float max, bool useLayer)
  : IControl(bounds)
  , IVectorBase(style)
  , mPlots(plots)
  , mNumPoints(std::max(numPoints, 2))
  , mMin(std::min(min, max))
  , mMax(std::max(min, max))
  , mUseLayer(useLayer)
{
  mPassThroughMouse = true;
  AttachIControl(this, label);
}

void IVPlotControl::AddPlotFunc(const IColor& color, const std::function<double(double)>& func)
{
  mPlots.push_back({color, func});
  if (mLayer)
    mLayer->Invalidate();
  SetDirty(false);
}

void IVPlotControl::OnResize()
{
  SetTargetRECT(MakeRects(mBounds, false));
  if (mLayer)
    mLayer->Invalidate();
  SetDirty(false);
}

float IVPlotControl::YForValue(double y) const
{
  const IRECT& r = mWidgetBounds;
  // A non-finite sample draws at the bottom rather than leaving the widget.
  const double finite = std::isfinite(y) ? y : mMin;
  const double norm = mMax > mMin ? (std::clamp(finite, static_cast<double>(mMin), static_cast<double>(mMax)) - mMin) /
                                      (mMax - mMin)
                                  : 0.5;
  return r.B - static_cast<float>(norm) * r.H();
}

void IVPlotControl::Draw(IGraphics& g)
{
  DrawBackground(g, mBounds);
  DrawLabel(g);
  if (!mUseLayer)
  {
    DrawWidget(g);
    return;
  }
  if (!g.CheckLayer(mLayer))
  {
    g.StartLayer(this, mWidgetBounds);
    DrawWidget(g);
    mLayer = g.EndLayer();
  }
  g.DrawLayer(mLayer, &mDrawBlend);
}

void IVPlotControl::DrawWidget(IGraphics& g)
{
  const IRECT& r = mWidgetBounds;
  if (mMin < 0.f && mMax > 0.f)
  {
    const float zero = YForValue(0.0);
    const IBlend half(mDrawBlend.mMethod, mDrawBlend.mWeight * 0.5f);
    g.DrawLine(GetColor(kFR), r.L, zero, r.R, zero, &half);
  }
  const float thickness = std::max(mStyle.frameThickness, 1.f);
  for (const Plot& plot : mPlots)
  {
    if (!plot.func)
      continue;
    g.PathClear();
    for (int i = 0; i < mNumPoints; ++i)
    {
      const double x = static_cast<double>(i) / (mNumPoints - 1);
      const float px = r.L + static_cast<float>(x) * r.W();
      const float py = YForValue(plot.func(x));
      if (i == 0)
        g.PathMoveTo(px, py);
      else
        g.PathLineTo(px, py);
    }
    g.PathStroke(IPattern(plot.color), thickness, IStrokeOptions(), &mDrawBlend);
  }
  if (mStyle.drawFrame && mStyle.frameThickness > 0.f)
    g.DrawRect(GetColor(kFR), r, &mDrawBlend, mStyle.frameThickness);
}

} // namespace iplug::igraphics
