#pragma once

#include "CFObject.h"

#include <CoreFoundation/CFBundle.h>

#include <mutex>
#include <optional>
#include <string>

namespace standin {

// A bundle directory. With a Contents folder it is laid out as on the platform (Contents/Info.plist,
// Contents/MacOS/<executable>, Contents/Resources); without one it is flat (Info.plist, the executable
// and the resources in the directory itself), as a plain program's directory is.
class BundleObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kBundleTypeID;

  // path: canonical absolute directory. mainExecutable: the running program, for the main bundle of a
  // plain program (whose Info.plist need not name it); empty otherwise.
  BundleObject(std::string path, std::string mainExecutable);
  ~BundleObject() override;

  const std::string& Path() const { return mPath; }
  CFDictionaryRef Info() const { return mInfo; }
  CFStringRef Identifier() const;
  std::string ResourcesPath() const;
  std::optional<std::string> ExecutablePath() const;

  // Loads the executable (it stays loaded); true when it is loaded.
  bool Load();
  bool IsLoaded();
  // An exported symbol of the executable, loading it first; null when there is none.
  void* Symbol(const std::string& name);

  std::string Describe() const override;

private:
  std::string mPath;
  std::string mMainExecutable;
  bool mHasContents;
  CFDictionaryRef mInfo;
  std::mutex mLoadMutex;
  void* mHandle = nullptr;
};

}
