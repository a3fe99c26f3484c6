#include "IFontData.h"

namespace iplug::igraphics {

namespace {

std::vector<unsigned char> CopyBytes(const void* data, int size)
{
  if (!data || size <= 0)
    return {};
  const auto* bytes = static_cast<const unsigned char*>(data);
  return std::vector<unsigned char>(bytes, bytes + size);
}

} // namespace

IFontData::IFontData(const void* data, int size, int faceIdx)
  : mBytes(CopyBytes(data, size))
  , mFaceIdx(faceIdx)
  , mInfo(mBytes.empty() ? nullptr : mBytes.data(), static_cast<int>(mBytes.size()), faceIdx)
{
}

} // namespace iplug::igraphics
