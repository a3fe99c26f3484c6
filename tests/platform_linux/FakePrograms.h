#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

// A temporary folder of shell scripts standing in for desktop programs (zenity, xdg-open), put on PATH while it
// exists, so the real process runner can be driven without a desktop.
class FakePrograms
{
public:
  // The folder goes first on PATH; with alone it is all of PATH, so every other program is missing.
  explicit FakePrograms(bool alone = false)
    : mFolder(std::filesystem::temp_directory_path() /
              ("tidewell-fake-programs-" + std::to_string(getpid()) + "-" + std::to_string(sCount++)))
  {
    std::filesystem::create_directories(mFolder);
    const char* path = std::getenv("PATH");
    mHadPath = path != nullptr;
    mOldPath = path ? path : "";
    const std::string newPath = alone || mOldPath.empty() ? mFolder.string() : mFolder.string() + ":" + mOldPath;
    setenv("PATH", newPath.c_str(), 1);
  }
  // Puts PATH back and removes the folder.
  ~FakePrograms()
  {
    if (mHadPath)
      setenv("PATH", mOldPath.c_str(), 1);
    else
      unsetenv("PATH");
    std::error_code error;
    std::filesystem::remove_all(mFolder, error);
  }
  FakePrograms(const FakePrograms&) = delete;
  FakePrograms& operator=(const FakePrograms&) = delete;

  // Writes the program name: a shell script running body with the system's PATH.
  void Add(const std::string& name, const std::string& body) const
  {
    const std::filesystem::path file = mFolder / name;
    {
      std::ofstream out(file);
      out << "#!/bin/sh\nPATH=/usr/bin:/bin\n" << body << "\n";
    }
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
  }
  // A file in the folder, for the programs' traces.
  std::filesystem::path File(const std::string& name) const { return mFolder / name; }

private:
  static inline int sCount = 0;
  std::filesystem::path mFolder;
  std::string mOldPath;
  bool mHadPath = false;
};
