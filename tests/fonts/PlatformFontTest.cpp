// Choosing the face of a font file by its style name.
#include "FontTestSupport.h"

#include "PlatformFont.h"

#include <gtest/gtest.h>

namespace iplug::igraphics::test {
namespace {

std::vector<uint8_t> Face(const std::u16string& style)
{
  FaceLayout layout;
  layout.names = {MicrosoftName(1, u"Family")};
  if (!style.empty())
    layout.names.push_back(MicrosoftName(2, style));
  return BuildFace(layout);
}

int FaceIdx(const std::vector<uint8_t>& bytes, const char* style)
{
  return PlatformFont::GetFaceIdx(bytes.data(), static_cast<int>(bytes.size()), style);
}

TEST(PlatformFontFaceIdx, SingleFaceWithoutAStyleAskedIsFaceZero)
{
  const auto bytes = Face(u"Regular");
  EXPECT_EQ(FaceIdx(bytes, ""), 0);
  EXPECT_EQ(FaceIdx(bytes, nullptr), 0);
}

TEST(PlatformFontFaceIdx, AStyleTheFileLacksGivesMinusOne)
{
  EXPECT_EQ(FaceIdx(Face(u"Regular"), "Italic"), -1);
}

TEST(PlatformFontFaceIdx, CollectionFaceIsPickedByItsStyleName)
{
  const auto collection = BuildCollection({Face(u"Regular"), Face(u"Bold"), Face(u"Italic")});
  EXPECT_EQ(FaceIdx(collection, "Regular"), 0);
  EXPECT_EQ(FaceIdx(collection, "Bold"), 1);
  EXPECT_EQ(FaceIdx(collection, "Italic"), 2);
  EXPECT_EQ(FaceIdx(collection, "bold"), -1);
}

TEST(PlatformFontFaceIdx, FacesWithoutAStyleNameAreSkipped)
{
  const auto collection = BuildCollection({Face(u""), Face(u"Bold")});
  EXPECT_EQ(FaceIdx(collection, ""), 1);
}

TEST(PlatformFontFaceIdx, BytesThatAreNoFontGiveMinusOne)
{
  const std::vector<uint8_t> garbage(64, 0xAB);
  EXPECT_EQ(FaceIdx(garbage, ""), -1);
  EXPECT_EQ(PlatformFont::GetFaceIdx(nullptr, 0, ""), -1);
}

} // namespace
} // namespace iplug::igraphics::test
