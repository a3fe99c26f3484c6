#include "graphics_pixels/PixelTestSupport.h"
#include "graphics_resources/TemporaryResources.h"

#include "NSVGImage.h"
#include "SVGHolder.h"

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

namespace
{
constexpr const char* kSquare =
  "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='20' viewBox='0 0 40 20'>"
  "<rect x='0' y='0' width='20' height='20' fill='#ff0000'/></svg>";

class SVGResourceTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(mFolders.BundleOpen());
    mGraphics.SetBundleID(TemporaryResources::kBundleID);
  }

  TemporaryResources mFolders;
  IGEditorDelegate mDelegate{0};
  IGraphicsOffscreen mGraphics{mDelegate, 50, 50};
};
} // namespace

TEST_F(SVGResourceTest, SameDocumentTwiceIsParsedOnce)
{
  const auto path = TemporaryResources::Write(mFolders.ResourceDir(), "square.svg", kSquare);
  const ISVG first = mGraphics.LoadSVG("square.svg");
  ASSERT_TRUE(first.IsValid());
  EXPECT_FLOAT_EQ(first.mImage->width, 40.f);
  std::filesystem::remove(path);
  const ISVG second = mGraphics.LoadSVG("square.svg");
  EXPECT_EQ(second.mImage, first.mImage) << "the file is not read again";
}

TEST_F(SVGResourceTest, MalformedDocumentIsInvalidAndNotCached)
{
  const char* broken = "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'><rect";
  const int before = IGraphics::SVGCache().Size();
  EXPECT_FALSE(mGraphics.LoadSVG("broken.svg", broken, static_cast<int>(std::strlen(broken)), "px", 72.f).IsValid());
  EXPECT_EQ(IGraphics::SVGCache().Size(), before);
  EXPECT_EQ(IGraphics::SVGCache().Find("broken.svg"), nullptr);
}

TEST_F(SVGResourceTest, EmptyOrMissingFileIsInvalid)
{
  TemporaryResources::Write(mFolders.ResourceDir(), "empty.svg", "");
  EXPECT_FALSE(mGraphics.LoadSVG("empty.svg").IsValid());
  EXPECT_FALSE(mGraphics.LoadSVG("absent.svg").IsValid());
}

TEST_F(SVGResourceTest, BytesStopAtTheFirstNul)
{
  std::string bytes(kSquare);
  bytes.push_back('\0');
  bytes += "<garbage";
  EXPECT_TRUE(mGraphics.LoadSVG("nul.svg", bytes.data(), static_cast<int>(bytes.size()), "px", 72.f).IsValid());
}

TEST_F(SVGResourceTest, LoadResourceReadsTheWholeFileOrNothing)
{
  TemporaryResources::Write(mFolders.ResourceDir(), "data.svg", "abcdef");
  WDL_TypedBuf<uint8_t> bytes = mGraphics.LoadResource("data.svg", "svg");
  ASSERT_EQ(bytes.GetSize(), 6);
  EXPECT_EQ(std::memcmp(bytes.Get(), "abcdef", 6), 0);
  EXPECT_EQ(mGraphics.LoadResource("absent.svg", "svg").GetSize(), 0);
  TemporaryResources::Write(mFolders.ResourceDir(), "empty.svg", "");
  EXPECT_EQ(mGraphics.LoadResource("empty.svg", "svg").GetSize(), 0);
}
