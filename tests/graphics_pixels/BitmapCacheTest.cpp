#include "graphics_pixels/PixelTestSupport.h"
#include "graphics_resources/TemporaryResources.h"

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

namespace
{
// A context using the graphics core's own bitmap loading and process-wide cache, whose back end only counts
// the files it is asked to decode (no GL needed).
class CountingGraphics : public IGraphicsOffscreen
{
public:
  using IGraphicsOffscreen::IGraphicsOffscreen;
  using IGraphics::LoadBitmap;

  IBitmap LoadBitmap(const char* name, int nStates = 1, bool framesAreHorizontal = false, int targetScale = 0) override
  {
    return IGraphics::LoadBitmap(name, nStates, framesAreHorizontal, targetScale);
  }

  int mLoads = 0;

protected:
  StaticStorage<APIBitmap>& BitmapCache() override { return SharedBitmapCache(); }
  APIBitmap* LoadAPIBitmap(const char*, int scale, iplug::EResourceLocation, const char*) override
  {
    ++mLoads;
    return new APIBitmap(1, 20 * scale, 10 * scale, static_cast<float>(scale), 1.f);
  }
};

class BitmapCacheTest : public ::testing::Test
{
protected:
  void SetUp() override { ASSERT_TRUE(mFolders.BundleOpen()); }

  // Writes an empty file for each density (1 is the plain name) and returns the density LoadBitmap found.
  int FoundDensity(std::initializer_list<int> densities, int target)
  {
    for (int d : densities)
      TemporaryResources::Write(mFolders.ResourceDir(), d == 1 ? "knob.png" : "knob@" + std::to_string(d) + "x.png", "");
    IGEditorDelegate dlg(0);
    IGraphicsOffscreen g(dlg, 10, 10);
    g.SetBundleID(TemporaryResources::kBundleID);
    WDL_String path;
    int found = 0;
    EXPECT_EQ(g.SearchImageResource("knob.png", "png", path, target, found), iplug::kAbsolutePath);
    std::filesystem::remove_all(mFolders.ResourceDir());
    std::filesystem::create_directories(mFolders.ResourceDir());
    return found;
  }

  TemporaryResources mFolders;
};
} // namespace

TEST_F(BitmapCacheTest, DensitySearchFollowsTheTableOrder)
{
  EXPECT_EQ(FoundDensity({1, 2, 3}, 1), 1);
  EXPECT_EQ(FoundDensity({2, 3}, 1), 3) << "1 prefers 3 to 2";
  EXPECT_EQ(FoundDensity({2}, 1), 2);
  EXPECT_EQ(FoundDensity({1, 3}, 2), 3) << "2 prefers 3 to 1";
  EXPECT_EQ(FoundDensity({1}, 2), 1);
  EXPECT_EQ(FoundDensity({1, 2}, 3), 2);
  EXPECT_EQ(FoundDensity({1}, 4), 1);
  EXPECT_EQ(FoundDensity({3, 4}, 4), 4);
}

TEST_F(BitmapCacheTest, OneLoadPerNameAndScaleAcrossTwoContexts)
{
  TemporaryResources::Write(mFolders.ResourceDir(), "knob.png", "");
  IGEditorDelegate dlg(0);
  CountingGraphics first(dlg, 10, 10);
  CountingGraphics second(dlg, 10, 10);
  first.SetBundleID(TemporaryResources::kBundleID);
  second.SetBundleID(TemporaryResources::kBundleID);

  const IBitmap a = first.LoadBitmap("knob.png", 1, false, 1);
  const IBitmap b = second.LoadBitmap("knob.png", 1, false, 1);
  const IBitmap c = first.LoadBitmap("knob.png", 1, false, 1);
  ASSERT_TRUE(a.IsValid());
  EXPECT_EQ(a.GetAPIBitmap(), b.GetAPIBitmap());
  EXPECT_EQ(a.GetAPIBitmap(), c.GetAPIBitmap());
  EXPECT_EQ(first.mLoads + second.mLoads, 1);
  EXPECT_EQ(IGraphics::SharedBitmapCache().Find("knob.png", 1.0), a.GetAPIBitmap());
  EXPECT_EQ(IGraphics::SharedBitmapCache().Find("knob.png", 2.0), nullptr);
}

TEST_F(BitmapCacheTest, UnsupportedExtensionIsRefusedBeforeAnyFileAccess)
{
  TemporaryResources::Write(mFolders.ResourceDir(), "anim.gif", "");
  IGEditorDelegate dlg(0);
  CountingGraphics g(dlg, 10, 10);
  g.SetBundleID(TemporaryResources::kBundleID);
  EXPECT_FALSE(g.LoadBitmap("anim.gif", 1, false, 1).IsValid());
  EXPECT_EQ(g.mLoads, 0);
}

TEST_F(BitmapCacheTest, BackEndCachesPerContextUnderTheDensityFound)
{
  RGBAImage(20, 10).WritePNG((mFolders.ResourceDir() / "knob@2x.png").c_str());
  OffscreenCanvas canvas(30, 30);
  canvas.G().SetBundleID(TemporaryResources::kBundleID);
  ASSERT_TRUE(canvas.Open());
  const IBitmap first = canvas.G().LoadBitmap("knob.png");
  const IBitmap again = canvas.G().LoadBitmap("knob.png", 1, false, 2);
  ASSERT_TRUE(first.IsValid());
  EXPECT_EQ(first.GetScale(), 2.f);
  EXPECT_EQ(first.W(), 10);
  EXPECT_EQ(again.GetAPIBitmap(), first.GetAPIBitmap()) << "cached under (knob.png, 2)";
}

TEST_F(BitmapCacheTest, ScaleBitmapRendersAtTheTargetDensityAndKeepsTheScales)
{
  RGBAImage(20, 10).WritePNG((mFolders.ResourceDir() / "knob.png").c_str());
  OffscreenCanvas canvas(30, 30);
  canvas.G().SetBundleID(TemporaryResources::kBundleID);
  ASSERT_TRUE(canvas.Open());
  const IBitmap plain = canvas.G().LoadBitmap("knob.png", 2, true);
  ASSERT_TRUE(plain.IsValid());
  const IBitmap scaled = canvas.G().ScaleBitmap(plain, "knob.png", 2);
  ASSERT_TRUE(scaled.IsValid());
  EXPECT_EQ(scaled.GetAPIBitmap()->GetWidth(), 40);
  EXPECT_EQ(scaled.GetAPIBitmap()->GetHeight(), 20);
  EXPECT_EQ(scaled.GetScale(), 2.f);
  EXPECT_EQ(scaled.W(), 20);
  EXPECT_EQ(scaled.N(), 2);
  EXPECT_TRUE(scaled.GetFramesAreHorizontal());
  EXPECT_EQ(canvas.G().GetScreenScale(), 1.f);
  EXPECT_EQ(canvas.G().GetDrawScale(), 1.f);
}

TEST_F(BitmapCacheTest, BitmapFromMemoryAtDoubleDensityIsRenderedAndCached)
{
  const std::filesystem::path file = mFolders.Root() / "mem.png";
  RGBAImage(8, 4).WritePNG(file.c_str());
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  OffscreenCanvas canvas(30, 30);
  ASSERT_TRUE(canvas.Open());
  const IBitmap bitmap = canvas.G().LoadBitmap("mem.png", bytes.data(), static_cast<int>(bytes.size()), 1, false, 2);
  ASSERT_TRUE(bitmap.IsValid());
  EXPECT_EQ(bitmap.GetAPIBitmap()->GetWidth(), 16);
  EXPECT_EQ(bitmap.W(), 8);
  const IBitmap again = canvas.G().LoadBitmap("mem.png", bytes.data(), static_cast<int>(bytes.size()), 1, false, 2);
  EXPECT_EQ(again.GetAPIBitmap(), bitmap.GetAPIBitmap());
  EXPECT_FALSE(canvas.G().LoadBitmap("junk.png", "xyz", 3).IsValid());
}

TEST(BitmapExtSupported, AcceptsPngAndJpegInAnyCaseOnly)
{
  IGEditorDelegate dlg(0);
  IGraphicsOffscreen g(dlg, 10, 10);
  EXPECT_TRUE(g.BitmapExtSupported("PNG"));
  EXPECT_TRUE(g.BitmapExtSupported("Jpg"));
  EXPECT_TRUE(g.BitmapExtSupported("JPEG"));
  EXPECT_FALSE(g.BitmapExtSupported("gif"));
  EXPECT_FALSE(g.BitmapExtSupported(nullptr));
  EXPECT_FALSE(g.BitmapExtSupported("png-but-far-too-long-for-the-32-byte-copy"));
}
