// Font data keeps its own copy of the bytes and says when the back end can use it.
#include "FontTestSupport.h"

#include "IFontData.h"

#include <gtest/gtest.h>

namespace iplug::igraphics::test {
namespace {

TEST(IFontData, KeepsItsOwnCopyOfTheBytes)
{
  std::vector<uint8_t> bytes = BuildFace(FaceLayout());
  const IFontData data(bytes.data(), static_cast<int>(bytes.size()), 0);
  const std::vector<uint8_t> original = bytes;
  std::fill(bytes.begin(), bytes.end(), 0);
  ASSERT_EQ(data.GetSize(), static_cast<int>(original.size()));
  EXPECT_NE(data.Get(), bytes.data());
  EXPECT_TRUE(std::equal(original.begin(), original.end(), data.Get()));
  EXPECT_TRUE(data.IsValid());
  EXPECT_STREQ(data.GetInfo().GetFamily().Get(), "Test Family");
}

TEST(IFontData, UsableOnlyWithBytesAFaceIndexAndAReadableFace)
{
  const std::vector<uint8_t> bytes = BuildFace(FaceLayout());
  EXPECT_FALSE(IFontData(nullptr, 10, 0).IsValid());
  EXPECT_FALSE(IFontData(bytes.data(), 0, 0).IsValid());
  EXPECT_FALSE(IFontData(bytes.data(), -5, 0).IsValid());
  EXPECT_FALSE(IFontData(bytes.data(), static_cast<int>(bytes.size()), -1).IsValid());
  EXPECT_FALSE(IFontData(bytes.data(), static_cast<int>(bytes.size()), 1).IsValid());
  EXPECT_EQ(IFontData(nullptr, 10, 0).Get(), nullptr);
  EXPECT_EQ(IFontData(bytes.data(), static_cast<int>(bytes.size()), 3).GetFaceIdx(), 3);
}

} // namespace
} // namespace iplug::igraphics::test
