#include "IPattern.h"

namespace iplug::igraphics {

namespace {

void AddStops(IPattern& pattern, std::initializer_list<IColorStop> stops)
{
  for (const IColorStop& stop : stops)
    pattern.AddStop(stop.mColor, stop.mOffset);
}

} // namespace

IPattern IPattern::CreateLinearGradient(float x1, float y1, float x2, float y2,
                                        std::initializer_list<IColorStop> stops)
{
  IPattern pattern(kPatternLinear);
  const double dx = static_cast<double>(x2) - x1;
  const double dy = static_cast<double>(y2) - y1;
  const double lengthSquared = dx * dx + dy * dy;

  // The pattern's y axis runs along the gradient and is normalised so that (x2, y2) lands on (0, 1);
  // its x axis is the perpendicular, which the paint ignores.
  if (lengthSquared > 0.0)
  {
    const double ux = dx / lengthSquared;
    const double uy = dy / lengthSquared;
    pattern.mTransform = IMatrix(uy, ux, -ux, uy, -(x1 * uy - y1 * ux), -(x1 * ux + y1 * uy));
  }
  else
  {
    pattern.mTransform = IMatrix(1.0, 0.0, 0.0, 1.0, -x1, -y1);
  }

  AddStops(pattern, stops);
  return pattern;
}

IPattern IPattern::CreateRadialGradient(float x, float y, float r, std::initializer_list<IColorStop> stops)
{
  IPattern pattern(kPatternRadial);
  const double radius = r > 0.f ? r : 1.0;
  pattern.mTransform = IMatrix(1.0 / radius, 0.0, 0.0, 1.0 / radius, -x / radius, -y / radius);
  AddStops(pattern, stops);
  return pattern;
}

bool IPattern::AddStop(const IColor& color, float offset)
{
  if (mNStops >= kMaxStops)
    return false;
  mStops[mNStops++] = IColorStop(color, offset);
  return true;
}

} // namespace iplug::igraphics
