#pragma once

#include "CFObject.h"

#include <CoreFoundation/CFURL.h>

#include <optional>
#include <string>

namespace standin {

// An absolute URL. File URLs also keep their decoded POSIX path (no trailing slash except for "/").
class URLObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kURLTypeID;

  // A file URL for a path (relative paths are taken from the current directory); null for an empty path.
  static URLObject* FromPath(std::string path, bool isDirectory);
  // A URL from a percent-encoded string, resolved against a file base URL when relative; null when invalid.
  static URLObject* FromString(const std::string& text, const URLObject* base);
  ~URLObject() override;

  CFStringRef String() const { return mString; }
  bool IsFile() const { return mIsFile; }
  const std::string& Path() const { return mPath; }
  bool IsDirectory() const { return mIsDirectory; }

  bool Equals(const CFObject& other) const override;
  CFHashCode Hash() const override;
  std::string Describe() const override { return mText; }

private:
  URLObject(std::string text, bool isFile, std::string path, bool isDirectory);

  std::string mText;
  CFStringRef mString;
  bool mIsFile;
  std::string mPath;
  bool mIsDirectory;
};

// A new file URL (caller owns) for an absolute path; null for an empty path.
CFURLRef NewFileURL(const std::string& path, bool isDirectory);

// The decoded path of a file URL, or nothing for anything else.
std::optional<std::string> FilePath(CFTypeRef url);

}
