// The process-wide font descriptor cache: one entry per font id, emptied with its last user, and safe
// to use from several threads.
#include "FontTestSupport.h"

#include "LinuxFontCache.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace iplug::igraphics::test {
namespace {

PlatformFontPtr MakeFont(const std::u16string& family)
{
  FaceLayout layout;
  layout.names = {MicrosoftName(1, family), MicrosoftName(2, u"Regular")};
  const std::vector<uint8_t> bytes = BuildFace(layout);
  return LinuxFontHelpers::LoadPlatformFont("id", bytes.data(), static_cast<int>(bytes.size()));
}

// Each test holds the cache as one graphics context would, so releasing it at the end empties it.
class LinuxFontCacheTest : public ::testing::Test
{
protected:
  void SetUp() override { LinuxFontCache::Instance().Retain(); }
  void TearDown() override { LinuxFontCache::Instance().Release(); }
  LinuxFontCache& Cache() { return LinuxFontCache::Instance(); }
};

TEST_F(LinuxFontCacheTest, KeepsTheFirstFontCachedUnderAnId)
{
  Cache().CachePlatformFont("label", MakeFont(u"First"));
  Cache().CachePlatformFont("label", MakeFont(u"Second"));
  const auto found = Cache().Find("label");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->family, "First");
  EXPECT_DOUBLE_EQ(found->emRatio, 1.0);
  EXPECT_EQ(Cache().Size(), 1);
  EXPECT_FALSE(Cache().Find("other"));
}

TEST_F(LinuxFontCacheTest, NullIdsAndFontsAreIgnored)
{
  Cache().CachePlatformFont(nullptr, MakeFont(u"First"));
  Cache().CachePlatformFont("none", PlatformFontPtr());
  EXPECT_EQ(Cache().Size(), 0);
  EXPECT_FALSE(Cache().Find(nullptr));
}

TEST_F(LinuxFontCacheTest, TheLastReleaseEmptiesIt)
{
  Cache().Retain();
  Cache().CachePlatformFont("label", MakeFont(u"First"));
  Cache().Release();
  EXPECT_EQ(Cache().Size(), 1);
  Cache().Release();
  EXPECT_EQ(Cache().Size(), 0);
  Cache().Retain();
}

TEST(FontCacheThreads, ConcurrentCachingKeepsOneEntryPerId)
{
  LinuxFontCache& cache = LinuxFontCache::Instance();
  cache.Retain();
  std::vector<PlatformFontPtr> fonts;
  for (int i = 0; i < 4; ++i)
    fonts.push_back(MakeFont(u"Threaded"));
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
  {
    threads.emplace_back([&cache, &fonts, t] {
      for (int round = 0; round < 50; ++round)
      {
        const std::string id = "font" + std::to_string(round % 8);
        cache.CachePlatformFont(id.c_str(), fonts[t]);
        cache.Find(id.c_str());
      }
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_EQ(cache.Size(), 8);
  cache.Release();
  EXPECT_EQ(cache.Size(), 0);
}

} // namespace
} // namespace iplug::igraphics::test
