#pragma once

// Helpers for the platform stand-in tests: ownership of CF references, scratch folders, environment
// variables set for one test.

#include <CoreFoundation/CoreFoundation.h>

#include "support/CFOwned.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>


inline CFStringRef MakeString(const std::string& text)
{
  return CFStringCreateWithCString(nullptr, text.c_str(), kCFStringEncodingUTF8);
}

// The decoded POSIX path of a file URL.
inline std::string PathOf(CFURLRef url)
{
  char path[4096];
  return CFURLGetFileSystemRepresentation(url, true, reinterpret_cast<UInt8*>(path), sizeof(path)) ? path : "<no path>";
}

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class ScratchDirectory {
public:
  ScratchDirectory()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "platform-test-XXXXXX").string();
    mPath = mkdtemp(pattern.data());
  }
  ~ScratchDirectory()
  {
    std::error_code error;
    std::filesystem::remove_all(mPath, error);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& Path() const { return mPath; }

private:
  std::filesystem::path mPath;
};

inline void WriteFile(const std::filesystem::path& path, const std::string& contents)
{
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << contents;
}

// Sets (or, with nothing, unsets) an environment variable for the lifetime of the object.
class ScopedEnvironment {
public:
  ScopedEnvironment(const char* name, std::optional<std::string> value)
    : mName(name)
  {
    if (const char* previous = std::getenv(name))
      mPrevious = previous;
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }
  ~ScopedEnvironment()
  {
    if (mPrevious)
      setenv(mName.c_str(), mPrevious->c_str(), 1);
    else
      unsetenv(mName.c_str());
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
  std::string mName;
  std::optional<std::string> mPrevious;
};

// A minimal Info.plist naming an identifier and, optionally, an executable.
inline std::string InfoPlist(const std::string& identifier, const std::string& executable = std::string(), const std::string& extraEntries = std::string())
{
  std::string plist = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
  plist += "<key>CFBundleIdentifier</key><string>" + identifier + "</string>\n";
  if (!executable.empty())
    plist += "<key>CFBundleExecutable</key><string>" + executable + "</string>\n";
  return plist + extraEntries + "</dict>\n</plist>\n";
}
