#include "IBitmap.h"

namespace iplug::igraphics {

namespace {

int UserUnits(int storedPixels, float scale)
{
  return static_cast<int>(static_cast<float>(storedPixels) / scale);
}

} // namespace

IBitmap::IBitmap(APIBitmap* apiBitmap, int nFrames, bool framesAreHorizontal, const char* resourceName)
  : mAPIBitmap(apiBitmap)
  , mN(nFrames < 1 ? 1 : nFrames)
  , mHorizontalFrames(framesAreHorizontal)
  , mResourceName(resourceName)
{
  if (!apiBitmap)
    return;
  const float scale = apiBitmap->GetScale() > 0.f ? apiBitmap->GetScale() : 1.f;
  mW = UserUnits(apiBitmap->GetWidth(), scale);
  mH = UserUnits(apiBitmap->GetHeight(), scale);
}

} // namespace iplug::igraphics
