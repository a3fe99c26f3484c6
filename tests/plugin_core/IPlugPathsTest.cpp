#include <gtest/gtest.h>

#include <CoreFoundation/CoreFoundation.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "IPlugPaths.h"

namespace fs = std::filesystem;
using namespace iplug;

namespace
{
  // A bundle laid out in a fresh temporary folder, opened (and so known by identifier) while the fixture lives.
  class PathsWithBundle : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      mRoot = fs::temp_directory_path() / ("tidewell-paths-" + std::to_string(::getpid()));
      mBundleDir = mRoot / "Plug-Ins" / "Sample.component";
      fs::create_directories(mBundleDir / "Contents" / "MacOS");
      fs::create_directories(mBundleDir / "Contents" / "Resources");
      std::ofstream(mBundleDir / "Contents" / "MacOS" / "Sample") << "not code";
      std::ofstream(mBundleDir / "Contents" / "Info.plist")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
           "<key>CFBundleIdentifier</key><string>com.example.paths.sample</string>"
           "<key>CFBundleExecutable</key><string>Sample</string></dict></plist>\n";
      const std::string dir = mBundleDir.string();
      CFURLRef url = CFURLCreateFromFileSystemRepresentation(nullptr, reinterpret_cast<const UInt8*>(dir.c_str()),
                                                             static_cast<CFIndex>(dir.size()), true);
      mBundle = CFBundleCreate(nullptr, url);
      CFRelease(url);
      ASSERT_NE(mBundle, nullptr);
    }

    void TearDown() override
    {
      if (mBundle)
        CFRelease(mBundle);
      fs::remove_all(mRoot);
    }

    fs::path mRoot;
    fs::path mBundleDir;
    CFBundleRef mBundle = nullptr;
  };

  // Points HOME (and the XDG folders) at a fresh temporary folder for the fixture's life.
  class PathsInTemporaryHome : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      mHome = fs::temp_directory_path() / ("tidewell-home-" + std::to_string(::getpid()));
      fs::create_directories(mHome);
      if (const char* home = std::getenv("HOME"))
        mOldHome = home;
      ::setenv("HOME", mHome.c_str(), 1);
      for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        ::unsetenv(variable);
    }

    void TearDown() override
    {
      ::setenv("HOME", mOldHome.c_str(), 1);
      fs::remove_all(mHome);
    }

    fs::path mHome;
    std::string mOldHome;
  };
}

TEST_F(PathsWithBundle, BundlePathsComeFromTheBundleFoundByIdentifier)
{
  const std::string bundle = fs::canonical(mBundleDir).string();
  WDL_String path;
  HostPath(path, "com.example.paths.sample");
  EXPECT_EQ(fs::path(path.Get()), fs::path(bundle) / "Contents" / "MacOS" / "Sample");
  PluginPath(path, "com.example.paths.sample");
  EXPECT_EQ(std::string(path.Get()), fs::canonical(mRoot / "Plug-Ins").string() + "/");
  BundleResourcePath(path, "com.example.paths.sample");
  EXPECT_EQ(fs::path(path.Get()), fs::path(bundle) / "Contents" / "Resources");
}

TEST_F(PathsWithBundle, UnknownBundlesLeaveThePathAlone)
{
  WDL_String path("unchanged");
  HostPath(path, "com.example.nobody");
  PluginPath(path, nullptr);
  BundleResourcePath(path, "");
  EXPECT_STREQ(path.Get(), "unchanged");
}

TEST_F(PathsInTemporaryHome, UserFoldersFollowTheHomeFolder)
{
  WDL_String path;
  UserHomePath(path);
  EXPECT_EQ(fs::path(path.Get()), mHome);
  AppSupportPath(path);
  EXPECT_EQ(fs::path(path.Get()).parent_path().parent_path(), mHome) << path.Get();
  INIPath(path, "Tidewell");
  EXPECT_EQ(fs::path(path.Get()).filename(), "Tidewell");
  VST3PresetsPath(path, "Kelvane", "Tidewell", false);
  EXPECT_EQ(std::string(path.Get()).rfind(mHome.string(), 0), 0u) << path.Get();
  EXPECT_NE(std::string(path.Get()).find("/Audio/Presets/Kelvane/Tidewell/"), std::string::npos) << path.Get();
  EXPECT_FALSE(AppIsSandboxed());
  EXPECT_FALSE(IsXPCAuHost());
  EXPECT_FALSE(IsOOPAuv3AppExtension());
}

TEST_F(PathsInTemporaryHome, AppGroupContainerNeedsAGroup)
{
  WDL_String path("unchanged");
  EXPECT_FALSE(AppGroupContainerPath(path, ""));
  EXPECT_STREQ(path.Get(), "unchanged");
  EXPECT_TRUE(AppGroupContainerPath(path, "group.com.kelvane"));
  EXPECT_NE(std::string(path.Get()).find("Group Containers/group.com.kelvane"), std::string::npos);
}
