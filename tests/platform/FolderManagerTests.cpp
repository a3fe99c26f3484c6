// The Folder Manager answered the XDG way, from a scratch home directory.

#include "PlatformTestSupport.h"

#include <CoreServices/CoreServices.h>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// The path FSFindFolder gives, or the status it returned.
std::string Find(SInt16 domain, OSType type, bool create = false)
{
  FSRef ref;
  const OSErr status = FSFindFolder(domain, type, create, &ref);
  if (status != noErr)
    return "error " + std::to_string(status);
  UInt8 path[4096];
  if (FSRefMakePath(&ref, path, sizeof(path)) != noErr)
    return "no path";
  return reinterpret_cast<const char*>(path);
}

// A home directory of its own, with no XDG variables from the machine.
class FolderManager : public ::testing::Test {
protected:
  ScratchDirectory mScratch;
  fs::path mHome = mScratch.Path();
  ScopedEnvironment mHomeVariable{"HOME", mHome.string()};
  ScopedEnvironment mConfig{"XDG_CONFIG_HOME", std::nullopt};
  ScopedEnvironment mData{"XDG_DATA_HOME", std::nullopt};
  ScopedEnvironment mCache{"XDG_CACHE_HOME", std::nullopt};
  ScopedEnvironment mMusic{"XDG_MUSIC_DIR", std::nullopt};
  ScopedEnvironment mDesktop{"XDG_DESKTOP_DIR", std::nullopt};
};

TEST_F(FolderManager, TheCurrentUserFolderIsHome)
{
  EXPECT_EQ(Find(kUserDomain, kCurrentUserFolderType), mHome.string());
  EXPECT_EQ(Find(kOnSystemDisk, kCurrentUserFolderType), mHome.string());
}

TEST_F(FolderManager, UserDirectoriesComeFromTheUserDirsFile)
{
  WriteFile(mHome / ".config" / "user-dirs.dirs", "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\nXDG_MUSIC_DIR=\"/srv/music\"\n");
  fs::create_directories(mHome / "Schreibtisch");
  EXPECT_EQ(Find(kUserDomain, kDesktopFolderType), (mHome / "Schreibtisch").string());
  EXPECT_EQ(Find(kUserDomain, kMusicDocumentsFolderType), "error " + std::to_string(fnfErr)) << "named but missing, and not to be created";
}

TEST_F(FolderManager, TheEnvironmentAndThenHomeFillInWhatTheFileLeavesOut)
{
  ScopedEnvironment music("XDG_MUSIC_DIR", (mHome / "Tunes").string());
  EXPECT_EQ(Find(kUserDomain, kMusicDocumentsFolderType, true), (mHome / "Tunes").string());
  EXPECT_EQ(Find(kUserDomain, kDesktopFolderType), "error " + std::to_string(fnfErr));
  EXPECT_EQ(Find(kUserDomain, kDesktopFolderType, true), (mHome / "Desktop").string());
  EXPECT_TRUE(fs::is_directory(mHome / "Desktop"));
}

TEST_F(FolderManager, ApplicationSupportFollowsTheDomain)
{
  EXPECT_EQ(Find(kUserDomain, kApplicationSupportFolderType, true), (mHome / ".local" / "share").string());
  ScopedEnvironment data("XDG_DATA_HOME", (mHome / "data").string());
  EXPECT_EQ(Find(kUserDomain, kApplicationSupportFolderType, true), (mHome / "data").string());
  EXPECT_EQ(Find(kSystemDomain, kApplicationSupportFolderType), "/usr/share");
}

TEST_F(FolderManager, LibraryAndAudioFoldersLieInTheDomainsLibrary)
{
  EXPECT_EQ(Find(kUserDomain, kDomainLibraryFolderType, true), (mHome / ".local" / "lib").string());
  EXPECT_EQ(Find(kUserDomain, kAudioComponentsFolderType, true), (mHome / ".local/lib/Audio/Plug-Ins/Components").string());
  EXPECT_EQ(Find(kUserDomain, kAudioPresetsFolderType, true), (mHome / ".local/lib/Audio/Presets").string());
  EXPECT_EQ(Find(kSystemDomain, kDomainLibraryFolderType), "/usr/lib");
}

TEST_F(FolderManager, PreferencesCachesAndTemporaryFiles)
{
  EXPECT_EQ(Find(kUserDomain, kPreferencesFolderType, true), (mHome / ".config").string());
  EXPECT_EQ(Find(kUserDomain, kCachedDataFolderType, true), (mHome / ".cache").string());
  ScopedEnvironment temporary("TMPDIR", mHome.string());
  EXPECT_EQ(Find(kLocalDomain, kTemporaryFolderType), mHome.string());
}

TEST_F(FolderManager, BadArgumentsGetTheirStatus)
{
  EXPECT_EQ(FSFindFolder(kUserDomain, kCurrentUserFolderType, false, nullptr), paramErr);
  EXPECT_EQ(Find(kUserDomain, 0x3F3F3F3F), "error " + std::to_string(fnfErr)) << "unknown folder type";
  EXPECT_EQ(Find(kNetworkDomain, kApplicationSupportFolderType), "error " + std::to_string(fnfErr));
  EXPECT_EQ(Find(kLocalDomain, kDesktopFolderType), "error " + std::to_string(fnfErr)) << "the machine has no desktop";

  FSRef ref;
  ASSERT_EQ(FSFindFolder(kUserDomain, kCurrentUserFolderType, false, &ref), noErr);
  UInt8 tooSmall[4];
  EXPECT_EQ(FSRefMakePath(&ref, tooSmall, sizeof(tooSmall)), pathTooLongErr);
  EXPECT_EQ(FSRefMakePath(&ref, nullptr, 100), paramErr);
  FSRef zeroed = {};
  UInt8 path[64];
  EXPECT_EQ(FSRefMakePath(&zeroed, path, sizeof(path)), paramErr);
  EXPECT_EQ(FSRefMakePath(nullptr, path, sizeof(path)), paramErr);
}

TEST_F(FolderManager, AFileInTheWayIsNoFolder)
{
  WriteFile(mHome / "Desktop", "a file, not a folder");
  EXPECT_EQ(Find(kUserDomain, kDesktopFolderType, true), "error " + std::to_string(fnfErr));
}

}
