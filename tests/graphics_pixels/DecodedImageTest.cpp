// Decoding an image tells whether every pixel is fully opaque, which lets an opaque bitmap hide what lies
// under it; a single translucent pixel anywhere, or bytes that are not an image, must not pass as opaque.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DecodedImage.h"
#include "RGBAImage.h"

using namespace iplug::igraphics;

namespace
{
// A temporary PNG of a 9 x 7 picture in one opaque colour, with the pixel at (x, y) given alpha instead.
class TemporaryPNG
{
public:
  TemporaryPNG(const char* name, int x, int y, int alpha)
    : mPath(std::filesystem::temp_directory_path() / (std::string("tidewell-") + name + ".png"))
  {
    RGBAImage image(9, 7);
    for (int row = 0; row < 7; ++row)
      for (int col = 0; col < 9; ++col)
        image.SetPixel(col, row, IColor(255, 30, 120, 200));
    image.SetPixel(x, y, IColor(alpha, 30, 120, 200));
    mWritten = image.WritePNG(mPath.c_str());
  }
  ~TemporaryPNG() { std::filesystem::remove(mPath); }

  std::string Path() const { return mPath.string(); }
  bool Written() const { return mWritten; }
  std::vector<unsigned char> Bytes() const
  {
    std::ifstream in(mPath, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
  }

private:
  std::filesystem::path mPath;
  bool mWritten = false;
};
} // namespace

TEST(DecodedImage, AnImageWhoseEveryPixelIsOpaqueIsOpaqueFromFileAndMemory)
{
  const TemporaryPNG png("opaque", 8, 6, 255);
  ASSERT_TRUE(png.Written());
  const DecodedImage fromFile = DecodedImage::FromFile(png.Path().c_str());
  ASSERT_NE(fromFile.Pixels(), nullptr);
  EXPECT_EQ(fromFile.Width(), 9);
  EXPECT_EQ(fromFile.Height(), 7);
  EXPECT_EQ(fromFile.Pixels()[4 * (6 * 9 + 8) + 2], 200);
  EXPECT_TRUE(fromFile.IsOpaque());

  const std::vector<unsigned char> bytes = png.Bytes();
  EXPECT_TRUE(DecodedImage::FromMemory(bytes.data(), static_cast<int>(bytes.size())).IsOpaque());
}

TEST(DecodedImage, OneTranslucentPixelAnywhereMakesItTranslucent)
{
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{8, 6}, std::pair{4, 3}})
  {
    const TemporaryPNG png("translucent", x, y, 254);
    ASSERT_TRUE(png.Written());
    const DecodedImage decoded = DecodedImage::FromFile(png.Path().c_str());
    ASSERT_NE(decoded.Pixels(), nullptr);
    EXPECT_FALSE(decoded.IsOpaque()) << "pixel " << x << "," << y;
  }
}

TEST(DecodedImage, BytesThatAreNoImageOrAMissingFileDecodeToNothing)
{
  const unsigned char junk[] = {0x89, 'P', 'N', 'G', 0, 1, 2, 3};
  for (const DecodedImage& decoded :
       {DecodedImage::FromMemory(junk, sizeof(junk)), DecodedImage::FromMemory(nullptr, 10),
        DecodedImage::FromMemory(junk, 0), DecodedImage::FromFile("/nonexistent/tidewell.png"),
        DecodedImage::FromFile(nullptr)})
  {
    EXPECT_EQ(decoded.Pixels(), nullptr);
    EXPECT_EQ(decoded.Width(), 0);
    EXPECT_FALSE(decoded.IsOpaque());
  }
}
