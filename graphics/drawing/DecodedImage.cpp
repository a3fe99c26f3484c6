#include "DecodedImage.h"

#include <cstddef>

#include <stb/stb_image.h>

namespace iplug::igraphics
{

void DecodedImage::FreePixels::operator()(unsigned char* pPixels) const
{
  stbi_image_free(pPixels);
}

DecodedImage::DecodedImage(unsigned char* pPixels, int width, int height)
  : mPixels(pPixels)
{
  if (!pPixels || width <= 0 || height <= 0)
  {
    mPixels.reset();
    return;
  }
  mWidth = width;
  mHeight = height;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  mOpaque = true;
  for (std::size_t i = 0; i < count && mOpaque; ++i)
    mOpaque = pPixels[i * 4 + 3] == 255;
}

DecodedImage DecodedImage::FromFile(const char* path)
{
  int width = 0;
  int height = 0;
  int channels = 0;
  unsigned char* pixels = path ? stbi_load(path, &width, &height, &channels, 4) : nullptr;
  return DecodedImage(pixels, width, height);
}

DecodedImage DecodedImage::FromMemory(const void* pData, int size)
{
  int width = 0;
  int height = 0;
  int channels = 0;
  unsigned char* pixels =
    pData && size > 0
      ? stbi_load_from_memory(static_cast<const stbi_uc*>(pData), size, &width, &height, &channels, 4)
      : nullptr;
  return DecodedImage(pixels, width, height);
}

} // namespace iplug::igraphics
