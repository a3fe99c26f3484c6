#include "ComponentRegistry.h"

#include "BundleObject.h"
#include "BundleRegistry.h"
#include "Export.h"
#include "FolderLocator.h"
#include "StringObject.h"

#include <CoreAudio/CoreAudioTypes.h>
#include <CoreServices/Folders.h>
#include <StandIn/StandInComponents.h>

#include <algorithm>
#include <filesystem>

namespace standin {

namespace {

// A four-character code written as a four-character string ("aufx"); Latin-1 covers the MacRoman
// characters codes commonly use.
bool ReadFourCharCode(CFTypeRef value, OSType& code)
{
  char text[5] = {};
  if (!CFObject::Cast<StringObject>(value) || !CFStringGetCString(static_cast<CFStringRef>(value), text, sizeof(text), kCFStringEncodingISOLatin1) || text[3] == '\0')
    return false;
  code = 0;
  for (int i = 0; i < 4; ++i)
    code = (code << 8) | static_cast<UInt8>(text[i]);
  return true;
}

CFTypeRef EntryValue(CFDictionaryRef entry, const char* key)
{
  return CFDictionaryGetValue(entry, __CFStringMakeConstantString(key));
}

// One AudioComponents entry of a bundle's Info.plist; null when a required key is missing or malformed.
std::unique_ptr<OpaqueAudioComponent> ReadEntry(CFTypeRef value, CFBundleRef bundle)
{
  if (CFGetTypeID(value) != CFDictionaryGetTypeID())
    return nullptr;
  auto* entry = static_cast<CFDictionaryRef>(value);
  auto component = std::make_unique<OpaqueAudioComponent>();
  component->description = {};
  std::optional<std::string> factoryName = StringValue(EntryValue(entry, "factoryFunction"));
  CFTypeRef name = EntryValue(entry, "name");
  if (!ReadFourCharCode(EntryValue(entry, "type"), component->description.componentType)
      || !ReadFourCharCode(EntryValue(entry, "subtype"), component->description.componentSubType)
      || !ReadFourCharCode(EntryValue(entry, "manufacturer"), component->description.componentManufacturer)
      || !factoryName || factoryName->empty() || !CFObject::Cast<StringObject>(name))
    return nullptr;
  SInt64 version = 0;
  CFNumberGetValue(static_cast<CFNumberRef>(EntryValue(entry, "version")), kCFNumberSInt64Type, &version);
  component->version = static_cast<UInt32>(version);
  component->name = CFStringCreateCopy(nullptr, static_cast<CFStringRef>(name));
  component->factory = nullptr;
  component->bundle = static_cast<CFBundleRef>(const_cast<void*>(CFRetain(bundle)));
  component->factoryName = *factoryName;
  return component;
}

bool Matches(const AudioComponentDescription& component, const AudioComponentDescription* wanted)
{
  if (!wanted)
    return true;
  return (wanted->componentType == 0 || wanted->componentType == component.componentType)
      && (wanted->componentSubType == 0 || wanted->componentSubType == component.componentSubType)
      && (wanted->componentManufacturer == 0 || wanted->componentManufacturer == component.componentManufacturer);
}

}

ComponentRegistry& ComponentRegistry::Instance()
{
  static auto* registry = new ComponentRegistry();
  return *registry;
}

AudioComponent ComponentRegistry::Register(const AudioComponentDescription& description, CFStringRef name, UInt32 version, AudioComponentFactoryFunction factory)
{
  auto component = std::make_unique<OpaqueAudioComponent>();
  component->description = description;
  component->name = CFObject::Cast<StringObject>(name) ? CFStringCreateCopy(nullptr, name) : NewString(std::string());
  component->version = version;
  component->factory = factory;
  component->bundle = nullptr;
  std::lock_guard<std::mutex> lock(mMutex);
  mComponents.push_back(std::move(component));
  return mComponents.back().get();
}

OSStatus ComponentRegistry::RegisterBundle(const std::string& path, UInt32& added)
{
  added = 0;
  std::error_code error;
  if (!std::filesystem::is_directory(path, error))
    return kAudio_FileNotFoundError;
  const std::string canonical = std::filesystem::canonical(path, error).string();
  {
    std::lock_guard<std::mutex> lock(mMutex);
    if (error || mBundlePaths.count(canonical))
      return error ? OSStatus(kAudio_FileNotFoundError) : OSStatus(noErr);
  }
  BundleObject* bundle = BundleRegistry::Instance().Open(canonical);
  if (!bundle)
    return kAudio_FileNotFoundError;
  const auto bundleRef = ToRef<CFBundleRef>(bundle);
  CFTypeRef entries = CFDictionaryGetValue(bundle->Info(), CFSTR("AudioComponents"));
  std::vector<std::unique_ptr<OpaqueAudioComponent>> components;
  for (CFIndex i = 0; i < CFArrayGetCount(static_cast<CFArrayRef>(entries)); ++i)
  {
    if (std::unique_ptr<OpaqueAudioComponent> component = ReadEntry(CFArrayGetValueAtIndex(static_cast<CFArrayRef>(entries), i), bundleRef))
      components.push_back(std::move(component));
  }
  bundle->Release();
  if (components.empty())
    return invalidComponentID;
  std::lock_guard<std::mutex> lock(mMutex);
  if (!mBundlePaths.insert(canonical).second)
  {
    for (auto& component : components)
    {
      CFRelease(component->name);
      CFRelease(component->bundle);
    }
    return noErr;
  }
  added = static_cast<UInt32>(components.size());
  for (auto& component : components)
    mComponents.push_back(std::move(component));
  return noErr;
}

void ComponentRegistry::ScanSearchFolders()
{
  for (SInt16 domain : {SInt16(kUserDomain), SInt16(kLocalDomain)})
  {
    std::optional<std::string> folder = FolderLocator::Locate(domain, kAudioComponentsFolderType);
    std::error_code error;
    if (!folder || !std::filesystem::is_directory(*folder, error))
      continue;
    std::vector<std::string> bundles;
    for (const auto& entry : std::filesystem::directory_iterator(*folder, error))
    {
      if (entry.path().extension() == ".component" && entry.is_directory(error))
        bundles.push_back(entry.path().string());
    }
    std::sort(bundles.begin(), bundles.end());
    for (const std::string& bundle : bundles)
    {
      UInt32 added = 0;
      RegisterBundle(bundle, added);
    }
  }
}

AudioComponent ComponentRegistry::FindNext(AudioComponent after, const AudioComponentDescription* description)
{
  std::lock_guard<std::mutex> lock(mMutex);
  size_t start = 0;
  if (after)
  {
    const auto found = std::find_if(mComponents.begin(), mComponents.end(), [&](const auto& component) { return component.get() == after; });
    if (found == mComponents.end())
      return nullptr;
    start = static_cast<size_t>(found - mComponents.begin()) + 1;
  }
  for (size_t i = start; i < mComponents.size(); ++i)
  {
    if (Matches(mComponents[i]->description, description))
      return mComponents[i].get();
  }
  return nullptr;
}

bool ComponentRegistry::Contains(AudioComponent component)
{
  std::lock_guard<std::mutex> lock(mMutex);
  return std::any_of(mComponents.begin(), mComponents.end(), [&](const auto& candidate) { return candidate.get() == component; });
}

AudioComponentFactoryFunction ComponentRegistry::Factory(AudioComponent component)
{
  CFBundleRef bundle = nullptr;
  std::string name;
  {
    std::lock_guard<std::mutex> lock(mMutex);
    if (component->factory || !component->bundle)
      return component->factory;
    bundle = component->bundle;
    name = component->factoryName;
  }
  // Loading runs the code's initialisers, which may register components themselves: no lock here.
  CFStringRef symbolName = NewString(name);
  void* symbol = CFBundleGetFunctionPointerForName(bundle, symbolName);
  CFRelease(symbolName);
  if (!symbol)
    return nullptr;
  std::lock_guard<std::mutex> lock(mMutex);
  component->factory = reinterpret_cast<AudioComponentFactoryFunction>(symbol);
  return component->factory;
}

}

using standin::ComponentRegistry;

namespace {

// The component when it is one of the registry's; null otherwise.
AudioComponent Known(AudioComponent component)
{
  return (component && ComponentRegistry::Instance().Contains(component)) ? component : nullptr;
}

}

STANDIN_EXPORT AudioComponent AudioComponentFindNext(AudioComponent inComponent, const AudioComponentDescription* inDesc)
{
  if (!inComponent)
    ComponentRegistry::Instance().ScanSearchFolders();
  return ComponentRegistry::Instance().FindNext(inComponent, inDesc);
}

STANDIN_EXPORT UInt32 AudioComponentCount(const AudioComponentDescription* inDesc)
{
  UInt32 count = 0;
  for (AudioComponent component = AudioComponentFindNext(nullptr, inDesc); component; component = ComponentRegistry::Instance().FindNext(component, inDesc))
    ++count;
  return count;
}

STANDIN_EXPORT OSStatus AudioComponentCopyName(AudioComponent inComponent, CFStringRef* outName)
{
  if (!Known(inComponent) || !outName)
    return kAudio_ParamError;
  *outName = CFStringCreateCopy(nullptr, inComponent->name);
  return noErr;
}

STANDIN_EXPORT OSStatus AudioComponentGetDescription(AudioComponent inComponent, AudioComponentDescription* outDesc)
{
  if (!Known(inComponent) || !outDesc)
    return kAudio_ParamError;
  *outDesc = inComponent->description;
  return noErr;
}

STANDIN_EXPORT OSStatus AudioComponentGetVersion(AudioComponent inComponent, UInt32* outVersion)
{
  if (!Known(inComponent) || !outVersion)
    return kAudio_ParamError;
  *outVersion = inComponent->version;
  return noErr;
}

STANDIN_EXPORT AudioComponent AudioComponentRegister(const AudioComponentDescription* inDesc, CFStringRef inName, UInt32 inVersion, AudioComponentFactoryFunction inFactory)
{
  if (!inDesc || !inFactory)
    return nullptr;
  return ComponentRegistry::Instance().Register(*inDesc, inName, inVersion, inFactory);
}

STANDIN_EXPORT OSStatus StandInRegisterComponentBundle(const char* bundlePath, UInt32* outCount)
{
  UInt32 added = 0;
  const OSStatus status = bundlePath ? ComponentRegistry::Instance().RegisterBundle(bundlePath, added) : OSStatus(kAudio_ParamError);
  if (outCount)
    *outCount = added;
  return status;
}
