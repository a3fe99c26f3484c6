#include "IPlugPaths.h"

#include <CoreFoundation/CoreFoundation.h>
#include <CoreServices/CoreServices.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace iplug
{

namespace
{
  // Holds one Core Foundation reference for its lifetime.
  class ScopedCFRef
  {
  public:
    explicit ScopedCFRef(CFTypeRef ref) : mRef(ref) {}
    ~ScopedCFRef()
    {
      if (mRef)
        CFRelease(mRef);
    }
    ScopedCFRef(const ScopedCFRef&) = delete;
    ScopedCFRef& operator=(const ScopedCFRef&) = delete;
    CFTypeRef Get() const { return mRef; }

  private:
    CFTypeRef mRef;
  };

  // The loaded bundle with bundleID (not owned), or null.
  CFBundleRef FindBundle(const char* bundleID)
  {
    if (!bundleID || !bundleID[0])
      return nullptr;
    ScopedCFRef identifier(CFStringCreateWithCString(kCFAllocatorDefault, bundleID, kCFStringEncodingUTF8));
    if (!identifier.Get())
      return nullptr;
    return CFBundleGetBundleWithIdentifier(static_cast<CFStringRef>(identifier.Get()));
  }

  // Writes the file-system path of url (which it releases) into path; false when there is none.
  bool SetFromURL(WDL_String& path, CFURLRef url)
  {
    ScopedCFRef owned(url);
    char buffer[PATH_MAX] = {};
    if (!url || !CFURLGetFileSystemRepresentation(url, true, reinterpret_cast<UInt8*>(buffer), sizeof(buffer)))
      return false;
    path.Set(buffer);
    return true;
  }

  // Writes the folder of folderType in domain into path; false (path unchanged) when there is none.
  // The folder is created when missing, as these folders always exist where plug-ins expect them.
  bool SetFromFolder(WDL_String& path, FSVolumeRefNum domain, OSType folderType)
  {
    FSRef ref;
    char buffer[PATH_MAX] = {};
    if (FSFindFolder(domain, folderType, kCreateFolder, &ref) != noErr)
      return false;
    if (FSRefMakePath(&ref, reinterpret_cast<UInt8*>(buffer), sizeof(buffer)) != noErr)
      return false;
    path.Set(buffer);
    return true;
  }
}

void HostPath(WDL_String& path, const char* bundleID)
{
  if (CFBundleRef bundle = FindBundle(bundleID))
    SetFromURL(path, CFBundleCopyExecutableURL(bundle));
}

void PluginPath(WDL_String& path, const char* bundleID)
{
  CFBundleRef bundle = FindBundle(bundleID);
  if (!bundle)
    return;
  ScopedCFRef bundleURL(CFBundleCopyBundleURL(bundle));
  if (!bundleURL.Get())
    return;
  CFURLRef folder = CFURLCreateCopyDeletingLastPathComponent(kCFAllocatorDefault, static_cast<CFURLRef>(bundleURL.Get()));
  if (SetFromURL(path, folder))
    path.Append("/");
}

void BundleResourcePath(WDL_String& path, const char* bundleID)
{
  // The resource URL may be relative to the bundle; the file-system form resolves it.
  if (CFBundleRef bundle = FindBundle(bundleID))
    SetFromURL(path, CFBundleCopyResourcesDirectoryURL(bundle));
}

void DesktopPath(WDL_String& path)
{
  SetFromFolder(path, kUserDomain, kDesktopFolderType);
}

void UserHomePath(WDL_String& path)
{
  SetFromFolder(path, kUserDomain, kCurrentUserFolderType);
}

void SharedMusicPath(WDL_String& path)
{
  SetFromFolder(path, kUserDomain, kMusicDocumentsFolderType);
}

void AppSupportPath(WDL_String& path, bool isSystem)
{
  SetFromFolder(path, isSystem ? kLocalDomain : kUserDomain, kApplicationSupportFolderType);
}

void INIPath(WDL_String& path, const char* name)
{
  if (SetFromFolder(path, kUserDomain, kApplicationSupportFolderType))
    path.AppendFormatted(1024, "/%s", name ? name : "");
}

void VST3PresetsPath(WDL_String& path, const char* mfrName, const char* pluginName, bool isSystem)
{
  WDL_String library;
  if (!SetFromFolder(library, isSystem ? kLocalDomain : kUserDomain, kDomainLibraryFolderType))
    return;
  path.SetFormatted(4096, "%s/Audio/Presets/%s/%s/", library.Get(), mfrName ? mfrName : "", pluginName ? pluginName : "");
}

bool AppGroupContainerPath(WDL_String& path, const char* appGroupID)
{
  WDL_String library;
  if (!appGroupID || !appGroupID[0] || !SetFromFolder(library, kUserDomain, kDomainLibraryFolderType))
    return false;
  path.SetFormatted(4096, "%s/Group Containers/%s", library.Get(), appGroupID);
  return true;
}

bool IsOOPAuv3AppExtension()
{
  CFBundleRef mainBundle = CFBundleGetMainBundle();
  CFStringRef identifier = mainBundle ? CFBundleGetIdentifier(mainBundle) : nullptr;
  char buffer[256] = {};
  if (!identifier || !CFStringGetCString(identifier, buffer, sizeof(buffer), kCFStringEncodingUTF8))
    return false;
  return std::strstr(buffer, "AUv3") != nullptr;
}

bool AppIsSandboxed()
{
  WDL_String home;
  UserHomePath(home);
  return std::strstr(home.Get(), "Library/Containers/") != nullptr;
}

bool IsXPCAuHost()
{
  return std::strstr(program_invocation_short_name, "XPC") != nullptr;
}

} // namespace iplug
