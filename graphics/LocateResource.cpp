#include "LocateResource.h"

#include <CoreFoundation/CoreFoundation.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <strings.h>
#include <string_view>

#include "IPlugPaths.h"

namespace iplug
{

namespace
{
  // The text after the last dot of name, or the whole name when it has none.
  std::string_view Extension(std::string_view name)
  {
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(dot + 1);
  }

  // name without its extension (the whole name when it has no dot).
  std::string_view WithoutExtension(std::string_view name)
  {
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
  }

  // Whether name's extension equals type, ignoring case.
  bool ExtensionMatches(const char* name, const char* type)
  {
    const std::string_view extension = Extension(name);
    const size_t typeLength = std::strlen(type);
    return extension.size() == typeLength && ::strncasecmp(extension.data(), type, typeLength) == 0;
  }

  bool IsFile(const char* path)
  {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
  }

  // The directory of the bundle with bundleID; false when no such bundle is loaded.
  bool BundleDirectory(WDL_String& path, const char* bundleID)
  {
    CFStringRef identifier = CFStringCreateWithCString(kCFAllocatorDefault, bundleID, kCFStringEncodingUTF8);
    if (!identifier)
      return false;
    CFBundleRef bundle = CFBundleGetBundleWithIdentifier(identifier);
    CFRelease(identifier);
    CFURLRef url = bundle ? CFBundleCopyBundleURL(bundle) : nullptr;
    if (!url)
      return false;
    char buffer[PATH_MAX] = {};
    const bool ok = CFURLGetFileSystemRepresentation(url, true, reinterpret_cast<UInt8*>(buffer), sizeof(buffer));
    CFRelease(url);
    if (ok)
      path.Set(buffer);
    return ok;
  }

  // path without its last count components ("/a/b/c/d" less 2 is "/a/b").
  void DropLastComponents(WDL_String& path, int count)
  {
    std::string_view text(path.Get(), static_cast<size_t>(path.GetLength()));
    while (!text.empty() && text.back() == '/')
      text.remove_suffix(1);
    for (int i = 0; i < count; ++i)
    {
      const size_t slash = text.rfind('/');
      text = slash == std::string_view::npos ? std::string_view() : text.substr(0, slash);
    }
    path.SetLen(static_cast<int>(text.size()));
  }

  // The folder the bundle's resources are read from: its resource directory, or inside an app extension the
  // "Resources" folder beside the bundle that contains it. Empty when the bundle is unknown.
  void ResourceDirectory(WDL_String& directory, const char* bundleID)
  {
    directory.Set("");
    if (!bundleID || !bundleID[0])
      return;
    if (IsOOPAuv3AppExtension())
    {
      if (BundleDirectory(directory, bundleID))
      {
        DropLastComponents(directory, 2);
        directory.Append("/Resources");
      }
      return;
    }
    BundleResourcePath(directory, bundleID);
  }
}

bool GetResourcePathFromBundle(const char* name, const char* type, WDL_String& result, const char* bundleID)
{
  result.Set("");
  if (!name || !name[0] || !type || !ExtensionMatches(name, type))
    return false;
  WDL_String candidate;
  ResourceDirectory(candidate, bundleID);
  if (!candidate.GetLength())
    return false;
  const std::string_view base = WithoutExtension(name);
  const std::string_view extension = Extension(name);
  candidate.AppendFormatted(PATH_MAX, "/%.*s.%.*s", static_cast<int>(base.size()), base.data(),
                            static_cast<int>(extension.size()), extension.data());
  if (!IsFile(candidate.Get()))
    return false;
  result.Set(candidate.Get());
  return true;
}

bool GetResourcePathFromSharedLocation(const char* name, const char* type, WDL_String& result,
                                       const char* sharedResourcesSubPath)
{
  result.Set("");
  if (!name || !name[0] || !type || !ExtensionMatches(name, type))
    return false;
  WDL_String candidate;
  SharedMusicPath(candidate);
  if (!candidate.GetLength())
    return false;
  if (sharedResourcesSubPath && sharedResourcesSubPath[0])
    candidate.AppendFormatted(PATH_MAX, "/%s", sharedResourcesSubPath);
  std::string_view leaf(name);
  if (const size_t slash = leaf.rfind('/'); slash != std::string_view::npos)
    leaf = leaf.substr(slash + 1);
  const std::string_view base = WithoutExtension(leaf);
  const std::string_view extension = Extension(name);
  candidate.AppendFormatted(PATH_MAX, "/Resources/%.*s.%.*s", static_cast<int>(base.size()), base.data(),
                            static_cast<int>(extension.size()), extension.data());
  if (!IsFile(candidate.Get()))
    return false;
  result.Set(candidate.Get());
  return true;
}

EResourceLocation LocateResource(const char* name, const char* type, WDL_String& result, const char* bundleID,
                                 void* /*pModule*/, const char* sharedResourcesSubPath)
{
  if (!name || !name[0])
    return kNotFound;
  if (GetResourcePathFromBundle(name, type, result, bundleID))
    return kAbsolutePath;
  if (GetResourcePathFromSharedLocation(name, type, result, sharedResourcesSubPath))
    return kAbsolutePath;
  if (IsFile(name))
  {
    result.Set(name);
    return kAbsolutePath;
  }
  return kNotFound;
}

} // namespace iplug
