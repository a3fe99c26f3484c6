#include "RGBAImage.h"

#include <GL/gl.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstring>

namespace iplug::igraphics {

namespace {

constexpr int kBytesPerPixel = 4;

uint8_t Unpremultiply(uint8_t channel, uint8_t alpha)
{
  if (alpha == 0)
    return 0;
  return static_cast<uint8_t>(std::min(255, (channel * 255 + alpha / 2) / alpha));
}

} // namespace

RGBAImage::RGBAImage(int width, int height)
  : mWidth(std::max(width, 0))
  , mHeight(std::max(height, 0))
  , mData(static_cast<size_t>(mWidth) * static_cast<size_t>(mHeight) * kBytesPerPixel, 0)
{
}

RGBAImage RGBAImage::ReadFramebuffer(int width, int height)
{
  if (width <= 0 || height <= 0 || !glGetString(GL_VERSION))
    return RGBAImage();
  RGBAImage image(width, height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.mData.data());
  // GL's first row is the bottom one.
  const size_t stride = static_cast<size_t>(width) * kBytesPerPixel;
  std::vector<uint8_t> row(stride);
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
  {
    uint8_t* a = image.mData.data() + static_cast<size_t>(top) * stride;
    uint8_t* b = image.mData.data() + static_cast<size_t>(bottom) * stride;
    std::memcpy(row.data(), a, stride);
    std::memcpy(a, b, stride);
    std::memcpy(b, row.data(), stride);
  }
  return image;
}

IColor RGBAImage::GetPixel(int x, int y) const
{
  if (mData.empty())
    return IColor(0, 0, 0, 0);
  x = std::clamp(x, 0, mWidth - 1);
  y = std::clamp(y, 0, mHeight - 1);
  const uint8_t* p = mData.data() + (static_cast<size_t>(y) * static_cast<size_t>(mWidth) + static_cast<size_t>(x)) * kBytesPerPixel;
  return IColor(p[3], p[0], p[1], p[2]);
}

void RGBAImage::SetPixel(int x, int y, const IColor& color)
{
  if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
    return;
  IColor c = color;
  c.Clamp();
  uint8_t* p = mData.data() + (static_cast<size_t>(y) * static_cast<size_t>(mWidth) + static_cast<size_t>(x)) * kBytesPerPixel;
  p[0] = static_cast<uint8_t>(c.R);
  p[1] = static_cast<uint8_t>(c.G);
  p[2] = static_cast<uint8_t>(c.B);
  p[3] = static_cast<uint8_t>(c.A);
}

bool RGBAImage::WritePNG(const char* path) const
{
  if (mData.empty() || !path)
    return false;
  std::vector<uint8_t> straight(mData);
  for (size_t i = 0; i < straight.size(); i += kBytesPerPixel)
  {
    const uint8_t alpha = straight[i + 3];
    for (size_t c = 0; c < 3; ++c)
      straight[i + c] = Unpremultiply(straight[i + c], alpha);
  }
  return stbi_write_png(path, mWidth, mHeight, kBytesPerPixel, straight.data(), mWidth * kBytesPerPixel) != 0;
}

} // namespace iplug::igraphics
