#include "InstanceTable.h"

#include "ComponentRegistry.h"
#include "Export.h"

#include <CoreAudio/CoreAudioTypes.h>

namespace standin {

InstanceTable& InstanceTable::Instance()
{
  static auto* table = new InstanceTable();
  return *table;
}

void InstanceTable::Add(ComponentInstanceRecord* instance)
{
  std::lock_guard<std::mutex> lock(mMutex);
  mInstances.insert(instance);
}

bool InstanceTable::Remove(ComponentInstanceRecord* instance)
{
  std::lock_guard<std::mutex> lock(mMutex);
  return mInstances.erase(instance) > 0;
}

AudioComponentPlugInInterface* InstanceTable::Plugin(AudioComponentInstance instance)
{
  std::lock_guard<std::mutex> lock(mMutex);
  return mInstances.count(instance) ? instance->plugin : nullptr;
}

AudioComponent InstanceTable::Component(AudioComponentInstance instance)
{
  std::lock_guard<std::mutex> lock(mMutex);
  return mInstances.count(instance) ? instance->component : nullptr;
}

Handle InstanceTable::Storage(AudioComponentInstance instance)
{
  std::lock_guard<std::mutex> lock(mMutex);
  return mInstances.count(instance) ? instance->storage : nullptr;
}

void InstanceTable::SetStorage(AudioComponentInstance instance, Handle storage)
{
  std::lock_guard<std::mutex> lock(mMutex);
  if (mInstances.count(instance))
    instance->storage = storage;
}

}

using standin::ComponentRegistry;
using standin::InstanceTable;

STANDIN_EXPORT OSStatus AudioComponentInstanceNew(AudioComponent inComponent, AudioComponentInstance* outInstance)
{
  if (!outInstance)
    return kAudio_ParamError;
  *outInstance = nullptr;
  if (!inComponent)
    return kAudio_ParamError;
  if (!ComponentRegistry::Instance().Contains(inComponent))
    return invalidComponentID;
  AudioComponentFactoryFunction factory = ComponentRegistry::Instance().Factory(inComponent);
  AudioComponentPlugInInterface* plugin = factory ? factory(&inComponent->description) : nullptr;
  if (!plugin)
    return invalidComponentID;
  if (!plugin->Open || !plugin->Close || !plugin->Lookup)
  {
    if (plugin->Close)
      plugin->Close(plugin);
    return invalidComponentID;
  }
  auto* instance = new ComponentInstanceRecord{inComponent, plugin, reinterpret_cast<Handle>(plugin)};
  InstanceTable::Instance().Add(instance);
  const OSStatus status = plugin->Open(plugin, instance);
  if (status != noErr)
  {
    // As the Component Manager always did, a failed open is still closed, so the component can free
    // what its factory allocated.
    InstanceTable::Instance().Remove(instance);
    plugin->Close(plugin);
    delete instance;
    return status;
  }
  *outInstance = instance;
  return noErr;
}

STANDIN_EXPORT OSStatus AudioComponentInstanceDispose(AudioComponentInstance inInstance)
{
  if (!inInstance)
    return kAudio_ParamError;
  if (!InstanceTable::Instance().Remove(inInstance))
    return badComponentInstance;
  inInstance->plugin->Close(inInstance->plugin);
  delete inInstance;
  return noErr;
}

STANDIN_EXPORT AudioComponent AudioComponentInstanceGetComponent(AudioComponentInstance inInstance)
{
  return InstanceTable::Instance().Component(inInstance);
}

STANDIN_EXPORT Boolean AudioComponentInstanceCanDo(AudioComponentInstance inInstance, SInt16 inSelectorID)
{
  AudioComponentPlugInInterface* plugin = InstanceTable::Instance().Plugin(inInstance);
  return plugin && plugin->Lookup(inSelectorID) != nullptr;
}

STANDIN_EXPORT Handle GetComponentInstanceStorage(ComponentInstance aComponentInstance)
{
  return InstanceTable::Instance().Storage(aComponentInstance);
}

STANDIN_EXPORT void SetComponentInstanceStorage(ComponentInstance aComponentInstance, Handle theStorage)
{
  InstanceTable::Instance().SetStorage(aComponentInstance, theStorage);
}
