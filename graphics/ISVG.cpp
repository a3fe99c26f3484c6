#include "ISVG.h"

#include "NSVGImage.h"

namespace iplug::igraphics {

float ISVG::W() const
{
  return mImage ? mImage->width : 0.f;
}

float ISVG::H() const
{
  return mImage ? mImage->height : 0.f;
}

} // namespace iplug::igraphics
