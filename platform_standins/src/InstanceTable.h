#pragma once

#include <AudioUnit/AudioComponent.h>

#include <mutex>
#include <unordered_set>

// One live instance of an audio component: the handle hosts hold.
struct ComponentInstanceRecord {
  AudioComponent component;
  AudioComponentPlugInInterface* plugin; // what the factory returned; self of every method
  Handle storage;                        // GetComponentInstanceStorage; the plug-in interface at first
};

namespace standin {

// The live instances, so that a stale or foreign handle is refused instead of followed.
class InstanceTable {
public:
  static InstanceTable& Instance();

  void Add(ComponentInstanceRecord* instance);
  // False when the instance is not live.
  bool Remove(ComponentInstanceRecord* instance);
  // The plug-in interface of a live instance, or null.
  AudioComponentPlugInInterface* Plugin(AudioComponentInstance instance);
  AudioComponent Component(AudioComponentInstance instance);
  Handle Storage(AudioComponentInstance instance);
  void SetStorage(AudioComponentInstance instance, Handle storage);

private:
  InstanceTable() = default;

  std::mutex mMutex;
  std::unordered_set<ComponentInstanceRecord*> mInstances;
};

}
