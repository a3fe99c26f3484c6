// Tidewell.app's icon, drawn at build time into the bundle's Resources, where a desktop entry's installation
// takes it from: a square picture at each size, a rounded tile with transparent corners around opaque art.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "DecodedImage.h"

namespace
{
  std::string IconPath(const std::string& name)
  {
    return (std::filesystem::path(TIDEWELL_APP_PATH).parent_path().parent_path() / "Resources" / name).string();
  }

  int Alpha(const iplug::igraphics::DecodedImage& image, int x, int y)
  {
    return image.Pixels()[4 * (y * image.Width() + x) + 3];
  }
}

TEST(AppIcon, IsATileWithTransparentCornersAtEachSize)
{
  for (const auto& [name, size] : {std::pair<std::string, int>{"AppIcon.png", 256}, {"AppIcon-48.png", 48}})
  {
    const iplug::igraphics::DecodedImage icon = iplug::igraphics::DecodedImage::FromFile(IconPath(name).c_str());
    ASSERT_NE(icon.Pixels(), nullptr) << name;
    EXPECT_EQ(icon.Width(), size) << name;
    ASSERT_EQ(icon.Height(), size) << name;
    for (int corner : {0, size - 1})
    {
      EXPECT_EQ(Alpha(icon, corner, 0), 0) << name;
      EXPECT_EQ(Alpha(icon, corner, size - 1), 0) << name;
    }
    // Inside the tile's border everything is opaque.
    for (int y = size / 8; y < size - size / 8; ++y)
      for (int x = size / 8; x < size - size / 8; ++x)
        ASSERT_EQ(Alpha(icon, x, y), 255) << name << " at " << x << "," << y;
  }
}
