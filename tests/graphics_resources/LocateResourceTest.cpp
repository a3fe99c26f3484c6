#include <gtest/gtest.h>

#include <filesystem>

#include "LocateResource.h"
#include "graphics_resources/TemporaryResources.h"

using namespace iplug;
using iplug::igraphics::test::TemporaryResources;

namespace
{
class LocateResourceTest : public ::testing::Test
{
protected:
  void SetUp() override { ASSERT_TRUE(mFolders.BundleOpen()); }

  EResourceLocation Locate(const char* name, const char* type)
  {
    return LocateResource(name, type, mResult, TemporaryResources::kBundleID, nullptr, TemporaryResources::kSubfolder);
  }

  static std::string Canonical(const std::filesystem::path& path) { return std::filesystem::canonical(path).string(); }
  std::string Result() const { return std::filesystem::canonical(mResult.Get()).string(); }

  TemporaryResources mFolders;
  WDL_String mResult;
};
} // namespace

TEST_F(LocateResourceTest, EmptyOrNullNameIsNotFound)
{
  EXPECT_EQ(Locate("", "png"), kNotFound);
  EXPECT_EQ(Locate(nullptr, "png"), kNotFound);
}

TEST_F(LocateResourceTest, BundleResourceIsFoundFirst)
{
  const auto inBundle = TemporaryResources::Write(mFolders.ResourceDir(), "knob.png", "x");
  TemporaryResources::Write(mFolders.SharedDir(), "knob.png", "y");
  ASSERT_EQ(Locate("knob.png", "png"), kAbsolutePath);
  EXPECT_EQ(Result(), Canonical(inBundle));
}

TEST_F(LocateResourceTest, DirectoriesInTheNameAreKeptInsideTheBundle)
{
  const auto path = TemporaryResources::Write(mFolders.ResourceDir() / "img", "knob.png", "x");
  ASSERT_EQ(Locate("img/knob.png", "png"), kAbsolutePath);
  EXPECT_EQ(Result(), Canonical(path));
}

TEST_F(LocateResourceTest, SharedMusicFolderIsSearchedSecondByLastComponent)
{
  const auto shared = TemporaryResources::Write(mFolders.SharedDir(), "knob.png", "y");
  ASSERT_EQ(Locate("skins/knob.png", "png"), kAbsolutePath);
  EXPECT_EQ(Result(), Canonical(shared));
}

TEST_F(LocateResourceTest, PlainPathIsFoundLast)
{
  const auto elsewhere = TemporaryResources::Write(mFolders.Root() / "loose", "knob.png", "z");
  ASSERT_EQ(Locate(elsewhere.c_str(), "png"), kAbsolutePath);
  EXPECT_STREQ(mResult.Get(), elsewhere.c_str());
}

TEST_F(LocateResourceTest, MissingFileIsNotFound)
{
  EXPECT_EQ(Locate("absent.png", "png"), kNotFound);
}

TEST_F(LocateResourceTest, DirectoryIsNotAResource)
{
  std::filesystem::create_directories(mFolders.ResourceDir() / "folder.png");
  EXPECT_EQ(Locate("folder.png", "png"), kNotFound);
}

TEST(ResourcePathFromBundle, NameWithoutDotFailsTheExtensionTest)
{
  TemporaryResources folders;
  ASSERT_TRUE(folders.BundleOpen());
  TemporaryResources::Write(folders.ResourceDir(), "png", "x");
  WDL_String result("stale");
  EXPECT_FALSE(GetResourcePathFromBundle("png", "png", result, TemporaryResources::kBundleID));
  EXPECT_STREQ(result.Get(), "");
}

TEST(ResourcePathFromBundle, UpperCaseExtensionPassesAndKeepsItsOwnCase)
{
  TemporaryResources folders;
  ASSERT_TRUE(folders.BundleOpen());
  const auto path = TemporaryResources::Write(folders.ResourceDir(), "KNOB.PNG", "x");
  WDL_String result;
  ASSERT_TRUE(GetResourcePathFromBundle("KNOB.PNG", "png", result, TemporaryResources::kBundleID));
  EXPECT_EQ(std::filesystem::canonical(result.Get()), std::filesystem::canonical(path));
}

TEST(ResourcePathFromBundle, OtherExtensionIsRefusedBeforeLooking)
{
  TemporaryResources folders;
  ASSERT_TRUE(folders.BundleOpen());
  TemporaryResources::Write(folders.ResourceDir(), "knob.svg", "x");
  WDL_String result;
  EXPECT_FALSE(GetResourcePathFromBundle("knob.svg", "png", result, TemporaryResources::kBundleID));
}

TEST(ResourcePathFromBundle, UnknownBundleFindsNothing)
{
  TemporaryResources folders;
  TemporaryResources::Write(folders.ResourceDir(), "knob.png", "x");
  WDL_String result;
  EXPECT_FALSE(GetResourcePathFromBundle("knob.png", "png", result, "com.tidewell.test.nobody"));
  EXPECT_FALSE(GetResourcePathFromBundle("knob.png", "png", result, nullptr));
}

TEST(ResourcePathFromSharedLocation, EmptyResultWhenMissing)
{
  TemporaryResources folders;
  WDL_String result("stale");
  EXPECT_FALSE(GetResourcePathFromSharedLocation("knob.png", "png", result, TemporaryResources::kSubfolder));
  EXPECT_STREQ(result.Get(), "");
}
