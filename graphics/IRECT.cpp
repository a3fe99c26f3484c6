#include "IRECT.h"

#include <cmath>

namespace iplug::igraphics {

void IRECT::PixelAlign()
{
  L = std::floor(L);
  T = std::floor(T);
  R = std::ceil(R);
  B = std::ceil(B);
}

IRECT IRECT::GetPixelAligned() const
{
  IRECT r = *this;
  r.PixelAlign();
  return r;
}

void IRECT::PixelAlign(float scale)
{
  if (!(scale > 0.f) || !std::isfinite(scale))
    scale = 1.f;
  Scale(scale);
  PixelAlign();
  Scale(1.f / scale);
}

IRECT IRECT::GetPixelAligned(float scale) const
{
  IRECT r = *this;
  r.PixelAlign(scale);
  return r;
}

} // namespace iplug::igraphics
