#pragma once

namespace iplug
{

// The host protocol an instance speaks; fixed by the host adapter at construction.
enum EAPI
{
  kAPIVST2 = 0,
  kAPIVST3 = 1,
  kAPIAU = 2,
  kAPIAUv3 = 3,
  kAPIAAX = 4,
  kAPIAPP = 5,
  kAPIWAM = 6,
  kAPIWEB = 7,
  kAPILV2 = 8,
};

// Display name of an API kind ("AU" for kAPIAU), or "" for a value outside the enumeration. Static text.
inline const char* GetAPIName(int api)
{
  constexpr const char* kNames[] = {"VST2", "VST3", "AU", "AUv3", "AAX", "APP", "WAM", "WEB", "LV2"};
  constexpr int kCount = static_cast<int>(sizeof(kNames) / sizeof(kNames[0]));
  return (api >= 0 && api < kCount) ? kNames[api] : "";
}

} // namespace iplug
