#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace iplug::igraphics::test
{

// A fresh home folder (HOME pointed at it, XDG folders unset, so the music folder is <home>/Music) holding a
// plug-in bundle with identifier kBundleID that is open, and so known by identifier, while this object lives.
class TemporaryResources
{
public:
  static constexpr const char* kBundleID = "com.tidewell.test.resources";
  static constexpr const char* kSubfolder = "Tidewell";

  TemporaryResources()
  {
    static std::atomic<int> counter{0};
    mRoot = std::filesystem::temp_directory_path() /
            ("tidewell-resources-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    mBundleDir = mRoot / "Plug-Ins" / "Resources.component";
    std::filesystem::create_directories(mBundleDir / "Contents" / "MacOS");
    std::filesystem::create_directories(ResourceDir());
    std::filesystem::create_directories(SharedDir());
    std::ofstream(mBundleDir / "Contents" / "Info.plist")
      << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
         "<key>CFBundleIdentifier</key><string>" << kBundleID << "</string></dict></plist>\n";
    if (const char* home = std::getenv("HOME"))
      mOldHome = home;
    ::setenv("HOME", mRoot.c_str(), 1);
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
      ::unsetenv(variable);
    const std::string dir = mBundleDir.string();
    CFURLRef url = CFURLCreateFromFileSystemRepresentation(nullptr, reinterpret_cast<const UInt8*>(dir.c_str()),
                                                           static_cast<CFIndex>(dir.size()), true);
    mBundle = CFBundleCreate(nullptr, url);
    CFRelease(url);
  }

  ~TemporaryResources()
  {
    if (mBundle)
      CFRelease(mBundle);
    ::setenv("HOME", mOldHome.c_str(), 1);
    std::error_code error;
    std::filesystem::remove_all(mRoot, error);
  }

  TemporaryResources(const TemporaryResources&) = delete;
  TemporaryResources& operator=(const TemporaryResources&) = delete;

  // Whether the bundle could be opened.
  bool BundleOpen() const { return mBundle != nullptr; }
  // The bundle's resource directory.
  std::filesystem::path ResourceDir() const { return mBundleDir / "Contents" / "Resources"; }
  // The shared resources folder <home>/Music/Tidewell/Resources.
  std::filesystem::path SharedDir() const { return mRoot / "Music" / kSubfolder / "Resources"; }
  // A folder outside both.
  const std::filesystem::path& Root() const { return mRoot; }

  // Writes bytes to dir/name (creating folders) and returns the file's path.
  static std::filesystem::path Write(const std::filesystem::path& dir, const std::string& name, const std::string& bytes)
  {
    const std::filesystem::path path = dir / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

private:
  std::filesystem::path mRoot;
  std::filesystem::path mBundleDir;
  std::string mOldHome;
  CFBundleRef mBundle = nullptr;
};

} // namespace iplug::igraphics::test
