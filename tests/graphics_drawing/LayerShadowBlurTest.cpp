#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/RecordingGraphics.h"

using namespace iplug::igraphics;

// The separable alpha blur behind layer drop shadows.

namespace
{
struct BlurProbe : RecordingGraphics
{
  using IGraphics::BlurAlpha;
};

// A width x height RGBA buffer with every alpha byte set to alpha.
std::vector<unsigned char> Pixels(int width, int height, unsigned char alpha)
{
  std::vector<unsigned char> pixels(static_cast<size_t>(width * height * 4), 0);
  for (size_t i = 3; i < pixels.size(); i += 4)
    pixels[i] = alpha;
  return pixels;
}

unsigned char Alpha(const std::vector<unsigned char>& pixels, int width, int x, int y)
{
  return pixels[static_cast<size_t>((y * width + x) * 4 + 3)];
}

const std::vector<unsigned char> kKernel = {255, 155, 35}; // blur size 2 at scale 1: s = 3
constexpr int kNorm = 255 + 2 * (155 + 35);
} // namespace

TEST(LayerShadowBlur, UniformAreaKeepsItsValue)
{
  std::vector<unsigned char> pixels = Pixels(9, 9, 200);
  BlurProbe::BlurAlpha(pixels.data(), 9, 9, 3, kKernel, kNorm);
  EXPECT_EQ(Alpha(pixels, 9, 4, 4), 200);
}

TEST(LayerShadowBlur, SinglePixelSpreadsSymmetrically)
{
  std::vector<unsigned char> pixels = Pixels(9, 9, 0);
  pixels[(4 * 9 + 4) * 4 + 3] = 255;
  BlurProbe::BlurAlpha(pixels.data(), 9, 9, 3, kKernel, kNorm);
  const int centre = Alpha(pixels, 9, 4, 4);
  EXPECT_EQ(centre, 255 * 255 / kNorm * 255 / kNorm);
  EXPECT_EQ(Alpha(pixels, 9, 3, 4), Alpha(pixels, 9, 5, 4));
  EXPECT_EQ(Alpha(pixels, 9, 4, 3), Alpha(pixels, 9, 4, 5));
  EXPECT_EQ(Alpha(pixels, 9, 3, 4), Alpha(pixels, 9, 4, 3));
  EXPECT_GT(Alpha(pixels, 9, 3, 4), 0);
  EXPECT_EQ(Alpha(pixels, 9, 1, 4), 0) << "beyond the kernel";
}

TEST(LayerShadowBlur, EdgeOfAnOpaqueAreaFadesOutward)
{
  std::vector<unsigned char> pixels = Pixels(9, 1, 0);
  for (int x = 0; x < 5; ++x)
    pixels[static_cast<size_t>(x * 4 + 3)] = 255;
  BlurProbe::BlurAlpha(pixels.data(), 9, 1, 3, kKernel, kNorm);
  EXPECT_GT(Alpha(pixels, 9, 4, 0), Alpha(pixels, 9, 5, 0));
  EXPECT_GT(Alpha(pixels, 9, 5, 0), Alpha(pixels, 9, 6, 0));
  EXPECT_EQ(Alpha(pixels, 9, 7, 0), 0);
  for (int x = 0; x < 9; ++x)
    EXPECT_LE(Alpha(pixels, 9, x, 0), 255);
}

TEST(LayerShadowBlur, OnlyTheAlphaByteChanges)
{
  std::vector<unsigned char> pixels = Pixels(3, 3, 0);
  pixels[(1 * 3 + 1) * 4 + 3] = 255;
  pixels[0] = 17;
  BlurProbe::BlurAlpha(pixels.data(), 3, 3, 3, kKernel, kNorm);
  EXPECT_EQ(pixels[0], 17);
}
