#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "IVPlotControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

TEST(IVPlotControl, DrawsEachFunctionAsAPolylineOfTheGivenPointsInsideTheWidget)
{
  GraphicsFixture f;
  const std::vector<IVPlotControl::Plot> plots = {
    {COLOR_RED, [](double x) { return 4.0 * x - 2.0; }},
    {COLOR_BLUE, [](double) { return std::numeric_limits<double>::quiet_NaN(); }}};
  auto* plot = static_cast<IVPlotControl*>(f.graphics.AttachControl(
    new IVPlotControl(IRECT(0, 0, 100, 100), plots, 11, "", DEFAULT_STYLE.WithShowLabel(false), -1.f, 1.f)));
  const IRECT& w = plot->GetWidgetBounds();
  EXPECT_EQ(plot->YForValue(-1.0), w.B);
  EXPECT_EQ(plot->YForValue(1.0), w.T);
  EXPECT_EQ(plot->YForValue(5.0), w.T) << "values past the range stay inside";

  f.graphics.mLogging = true;
  plot->DrawWidget(f.graphics);
  int lineTos = 0;
  for (const std::string& line : f.graphics.mLog)
  {
    float x = 0.f, y = 0.f;
    if (std::sscanf(line.c_str(), "PathLineTo %f %f", &x, &y) == 2 || std::sscanf(line.c_str(), "PathMoveTo %f %f", &x, &y) == 2)
    {
      EXPECT_TRUE(w.GetPadded(0.01f).Contains(x, y)) << line;
      if (line.rfind("PathLineTo", 0) == 0)
        ++lineTos;
    }
  }
  EXPECT_GE(lineTos, 2 * 10) << "ten segments per plot";
}

TEST(IVPlotControl, AddingAPlotRedrawsAndAtLeastTwoPointsAreDrawn)
{
  GraphicsFixture f;
  auto* plot = static_cast<IVPlotControl*>(
    f.graphics.AttachControl(new IVPlotControl(IRECT(0, 0, 100, 100), {}, 0, "", DEFAULT_STYLE)));
  plot->SetClean();
  plot->AddPlotFunc(COLOR_GREEN, [](double x) { return x; });
  EXPECT_EQ(plot->NPlots(), 1);
  EXPECT_TRUE(plot->IsDirty());
  f.graphics.mLogging = true;
  plot->DrawWidget(f.graphics);
  EXPECT_EQ(std::count_if(f.graphics.mLog.begin(), f.graphics.mLog.end(),
                          [](const std::string& l) { return l.rfind("PathStroke", 0) == 0; }),
            3) << "the zero axis, the plot and the frame";
}
