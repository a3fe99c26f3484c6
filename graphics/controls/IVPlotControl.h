#pragma once

#include <functional>
#include <vector>

#include "IControl.h"
#include "ILayer.h"
#include "IVectorBase.h"

namespace iplug::igraphics
{

// Draws functions of x in 0..1 as polylines between a minimum and a maximum, each in its colour, over a
// zero axis; optionally cached in a layer. Main thread.
class IVPlotControl : public IControl, public IVectorBase
{
public:
  // One function to draw and its colour.
  struct Plot
  {
    IColor color;                       // line colour
    std::function<double(double)> func; // y for x in 0..1
  };

  // Plots of numPoints points each (at least 2) between min and max; useLayer caches the drawing.
  IVPlotControl(const IRECT& bounds, const std::vector<Plot>& plots, int numPoints, const char* label = "",
                const IVStyle& style = DEFAULT_STYLE, float min = -1.f, float max = 1.f, bool useLayer = false);

  // Background, label, plots (from the layer when cached).
  void Draw(IGraphics& g) override;
  // The zero axis and every plot.
  void DrawWidget(IGraphics& g) override;
  // Lays out and drops the cached layer.
  void OnResize() override;

  // Adds a plot and redraws.
  void AddPlotFunc(const IColor& color, const std::function<double(double)>& func);
  // Number of plots.
  int NPlots() const { return static_cast<int>(mPlots.size()); }
  // The y coordinate of value y in the widget (clamped to the range).
  float YForValue(double y) const;

private:
  std::vector<Plot> mPlots;
  int mNumPoints;
  float mMin;
  float mMax;
  bool mUseLayer;
  ILayerPtr mLayer;
};

} // namespace iplug::igraphics
