#pragma once

#include <AudioToolbox/AudioToolbox.h>

#include <memory>
#include <string>

#include "CFRef.h"

// One instance of an audio component, opened through the platform's component services and disposed
// of (uninitialised first) when it goes. Every call runs on the thread that made the instance.
class HostComponent
{
public:
  // Makes an instance of component; null with a one-line error text when it cannot be loaded or opened.
  static std::unique_ptr<HostComponent> Open(AudioComponent component, std::string& error);
  // Finds the Tidewell component (ComponentLocator::Find) and makes an instance of it.
  static std::unique_ptr<HostComponent> OpenTidewell(const std::string& bundlePath, std::string& error);

  HostComponent(const HostComponent&) = delete;
  HostComponent& operator=(const HostComponent&) = delete;
  ~HostComponent();

  AudioUnit Unit() const { return mUnit; }
  AudioComponent Component() const { return mComponent; }
  // The component's registered name ("Kelvane: Tidewell").
  std::string Name() const;

  // Initialize and Uninitialize; the instance remembers whether it must uninitialise when it goes.
  OSStatus Initialize();
  OSStatus Uninitialize();

  // Reads a fixed-size property into value.
  template <class T>
  OSStatus Get(AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element, T& value) const
  {
    UInt32 size = sizeof(T);
    return AudioUnitGetProperty(mUnit, id, scope, element, &value, &size);
  }
  // Writes a fixed-size property from value.
  template <class T>
  OSStatus Set(AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element, const T& value)
  {
    return AudioUnitSetProperty(mUnit, id, scope, element, &value, sizeof(T));
  }

  // A parameter's value in its own units, global scope.
  OSStatus GetParameter(AudioUnitParameterID id, AudioUnitParameterValue& value) const;
  OSStatus SetParameter(AudioUnitParameterID id, AudioUnitParameterValue value);

  // The ClassInfo property list a host saves in its project (caller owns it through the reference).
  OSStatus SaveState(CFRef<CFPropertyListRef>& state) const;
  // Restores a ClassInfo property list.
  OSStatus RestoreState(CFPropertyListRef state);

private:
  HostComponent(AudioComponent component, AudioUnit unit) : mComponent(component), mUnit(unit) {}

  AudioComponent mComponent;
  AudioUnit mUnit;
  bool mInitialized = false;
};
