#include "BundleObject.h"

#include "BundleRegistry.h"
#include "DictionaryObject.h"
#include "Export.h"
#include "PlistReader.h"
#include "StringObject.h"
#include "URLObject.h"

#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

STANDIN_EXPORT const CFStringRef kCFBundleInfoDictionaryVersionKey = CFSTR("CFBundleInfoDictionaryVersion");
STANDIN_EXPORT const CFStringRef kCFBundleExecutableKey = CFSTR("CFBundleExecutable");
STANDIN_EXPORT const CFStringRef kCFBundleIdentifierKey = CFSTR("CFBundleIdentifier");
STANDIN_EXPORT const CFStringRef kCFBundleVersionKey = CFSTR("CFBundleVersion");
STANDIN_EXPORT const CFStringRef kCFBundleNameKey = CFSTR("CFBundleName");

namespace standin {

namespace {

bool IsDirectory(const std::string& path)
{
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string CanonicalPath(const std::string& path)
{
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved)
    return path;
  std::string result(resolved);
  std::free(resolved);
  return result;
}

// The dictionary of an Info.plist file; an empty one when the file is missing or not a dictionary.
CFDictionaryRef ReadInfoDictionary(const std::string& file)
{
  std::ifstream in(file, std::ios::binary);
  if (in)
  {
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    CFPropertyListRef plist = PlistReader(kCFPropertyListImmutable).Read(reinterpret_cast<const UInt8*>(bytes.data()), bytes.size(), error);
    if (CFObject::Cast<DictionaryObject>(plist))
      return static_cast<CFDictionaryRef>(plist);
    CFRelease(plist);
  }
  return ToRef<CFDictionaryRef>(new DictionaryObject(&kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks, false, 0));
}

std::string ProcessExecutable()
{
  return CanonicalPath("/proc/self/exe");
}

}

BundleObject::BundleObject(std::string path, std::string mainExecutable)
  : CFObject(kTypeID)
  , mPath(std::move(path))
  , mMainExecutable(std::move(mainExecutable))
  , mHasContents(IsDirectory(mPath + "/Contents"))
  , mInfo(ReadInfoDictionary(mPath + (mHasContents ? "/Contents/Info.plist" : "/Info.plist")))
{
}

BundleObject::~BundleObject()
{
  BundleRegistry::Instance().Forget(this);
  CFRelease(mInfo);
}

CFStringRef BundleObject::Identifier() const
{
  CFTypeRef identifier = CFDictionaryGetValue(mInfo, kCFBundleIdentifierKey);
  return CFObject::Cast<StringObject>(identifier) ? static_cast<CFStringRef>(identifier) : nullptr;
}

std::string BundleObject::ResourcesPath() const
{
  return mHasContents ? mPath + "/Contents/Resources" : mPath;
}

std::optional<std::string> BundleObject::ExecutablePath() const
{
  if (!mMainExecutable.empty())
    return mMainExecutable;
  std::optional<std::string> name = StringValue(CFDictionaryGetValue(mInfo, kCFBundleExecutableKey));
  if (!name || name->empty() || name->find('/') != std::string::npos)
    return std::nullopt;
  return mPath + (mHasContents ? "/Contents/MacOS/" : "/") + *name;
}

bool BundleObject::Load()
{
  {
    std::lock_guard<std::mutex> lock(mLoadMutex);
    if (mHandle)
      return true;
    std::optional<std::string> executable = ExecutablePath();
    if (!executable)
      return false;
    // The running program itself cannot be opened by path; its own handle serves.
    const bool isProgram = CanonicalPath(*executable) == ProcessExecutable();
    mHandle = dlopen(isProgram ? nullptr : executable->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!mHandle)
      return false;
  }
  BundleRegistry::Instance().KeepForever(this);
  return true;
}

bool BundleObject::IsLoaded()
{
  {
    std::lock_guard<std::mutex> lock(mLoadMutex);
    if (mHandle)
      return true;
    std::optional<std::string> executable = ExecutablePath();
    if (!executable)
      return false;
    mHandle = dlopen(executable->c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!mHandle)
      return false;
  }
  BundleRegistry::Instance().KeepForever(this);
  return true;
}

void* BundleObject::Symbol(const std::string& name)
{
  if (!Load())
    return nullptr;
  return dlsym(mHandle, name.c_str());
}

std::string BundleObject::Describe() const
{
  return "<CFBundle " + mPath + ">";
}

}

using standin::BundleObject;
using standin::BundleRegistry;
using standin::CFObject;

STANDIN_EXPORT CFTypeID CFBundleGetTypeID(void)
{
  return BundleObject::kTypeID;
}

STANDIN_EXPORT CFBundleRef CFBundleGetMainBundle(void)
{
  return standin::ToRef<CFBundleRef>(BundleRegistry::Instance().Main());
}

STANDIN_EXPORT CFBundleRef CFBundleGetBundleWithIdentifier(CFStringRef bundleID)
{
  std::optional<std::string> identifier = standin::StringValue(bundleID);
  if (!identifier)
    return nullptr;
  return standin::ToRef<CFBundleRef>(BundleRegistry::Instance().FindByIdentifier(*identifier));
}

STANDIN_EXPORT CFBundleRef CFBundleCreate(CFAllocatorRef, CFURLRef bundleURL)
{
  std::optional<std::string> path = standin::FilePath(bundleURL);
  if (!path)
    return nullptr;
  return standin::ToRef<CFBundleRef>(BundleRegistry::Instance().Open(*path));
}

STANDIN_EXPORT CFStringRef CFBundleGetIdentifier(CFBundleRef bundle)
{
  BundleObject* object = CFObject::Cast<BundleObject>(bundle);
  return object ? object->Identifier() : nullptr;
}

STANDIN_EXPORT CFDictionaryRef CFBundleGetInfoDictionary(CFBundleRef bundle)
{
  BundleObject* object = CFObject::Cast<BundleObject>(bundle);
  return object ? object->Info() : nullptr;
}

STANDIN_EXPORT CFTypeRef CFBundleGetValueForInfoDictionaryKey(CFBundleRef bundle, CFStringRef key)
{
  BundleObject* object = CFObject::Cast<BundleObject>(bundle);
  return object ? CFDictionaryGetValue(object->Info(), key) : nullptr;
}

STANDIN_EXPORT CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle)
{
  BundleObject* object = CFObject::Cast<BundleObject>(bundle);
  return object ? standin::NewFileURL(object->Path(), true) : nullptr;
}

STANDIN_EXPORT CFURLRef CFBundleCopyResourcesDirectoryURL(CFBundleRef bundle)
{
  BundleObject* object = CFObject::Cast<BundleObject>(bundle);
  return object ? standin::NewFileURL(object->ResourcesPath(), true) : nullptr;
}

STANDIN_EXPORT CFURLRef CFBundleCopyExecutableURL(CFBundleRef bundle)
{
  BundleObject* object = CFObject::Cast<BundleObject>(bundle);
  std::optional<std::string> executable = object ? object->ExecutablePath() : std::nullopt;
  return executable ? standin::NewFileURL(*executable, false) : nullptr;
}

STANDIN_EXPORT CFURLRef CFBundleCopyResourceURL(CFBundleRef bundle, CFStringRef resourceName, CFStringRef resourceType, CFStringRef subDirName)
{
  BundleObject* object = CFObject::Cast<BundleObject>(bundle);
  std::optional<std::string> name = standin::StringValue(resourceName);
  if (!object || !name || name->empty())
    return nullptr;
  std::string path = object->ResourcesPath();
  if (std::optional<std::string> subDirectory = standin::StringValue(subDirName); subDirectory && !subDirectory->empty())
    path += "/" + *subDirectory;
  path += "/" + *name;
  if (std::optional<std::string> type = standin::StringValue(resourceType); type && !type->empty())
    path += (*type)[0] == '.' ? *type : "." + *type;
  struct stat info;
  if (stat(path.c_str(), &info) != 0)
    return nullptr;
  return standin::NewFileURL(path, S_ISDIR(info.st_mode));
}

STANDIN_EXPORT Boolean CFBundleLoadExecutable(CFBundleRef bundle)
{
  BundleObject* object = CFObject::Cast<BundleObject>(bundle);
  return object && object->Load();
}

STANDIN_EXPORT Boolean CFBundleIsExecutableLoaded(CFBundleRef bundle)
{
  BundleObject* object = CFObject::Cast<BundleObject>(bundle);
  return object && object->IsLoaded();
}

STANDIN_EXPORT void* CFBundleGetFunctionPointerForName(CFBundleRef bundle, CFStringRef functionName)
{
  BundleObject* object = CFObject::Cast<BundleObject>(bundle);
  std::optional<std::string> name = standin::StringValue(functionName);
  if (!object || !name)
    return nullptr;
  return object->Symbol(*name);
}
