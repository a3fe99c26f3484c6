#pragma once

#include <AudioUnit/AudioComponent.h>

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

// One registered audio component. Components live as long as the process.
struct OpaqueAudioComponent {
  AudioComponentDescription description;
  CFStringRef name;                      // owned
  UInt32 version;
  AudioComponentFactoryFunction factory; // found in the bundle's code on first use
  CFBundleRef bundle;                    // owned; null for components registered in-process
  std::string factoryName;
};

namespace standin {

// The process's audio components: those registered in-process and those of the component bundles in
// the search folders or registered by path, in registration order.
class ComponentRegistry {
public:
  static ComponentRegistry& Instance();

  AudioComponent Register(const AudioComponentDescription& description, CFStringRef name, UInt32 version, AudioComponentFactoryFunction factory);
  // Registers the AudioComponents entries of a bundle; see StandInRegisterComponentBundle.
  OSStatus RegisterBundle(const std::string& path, UInt32& added);
  // Registers the bundles of the user's and the machine's components folders not seen before.
  void ScanSearchFolders();

  AudioComponent FindNext(AudioComponent after, const AudioComponentDescription* description);
  bool Contains(AudioComponent component);
  // The factory, looked up in the bundle's code the first time; null when it cannot be had.
  AudioComponentFactoryFunction Factory(AudioComponent component);

private:
  ComponentRegistry() = default;

  std::mutex mMutex;
  std::vector<std::unique_ptr<OpaqueAudioComponent>> mComponents;
  std::set<std::string> mBundlePaths;
};

}
