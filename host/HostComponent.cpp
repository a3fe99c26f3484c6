#include "HostComponent.h"

#include "CFStringUtf8.h"
#include "ComponentLocator.h"
#include "StatusText.h"

std::unique_ptr<HostComponent> HostComponent::Open(AudioComponent component, std::string& error)
{
  AudioUnit unit = nullptr;
  const OSStatus status = AudioComponentInstanceNew(component, &unit);
  if (status != noErr || !unit)
  {
    error = "cannot open the Tidewell component: " + StatusText(status);
    return nullptr;
  }
  return std::unique_ptr<HostComponent>(new HostComponent(component, unit));
}

std::unique_ptr<HostComponent> HostComponent::OpenTidewell(const std::string& bundlePath, std::string& error)
{
  AudioComponent component = ComponentLocator::Find(bundlePath, error);
  return component ? Open(component, error) : nullptr;
}

HostComponent::~HostComponent()
{
  if (mInitialized)
    AudioUnitUninitialize(mUnit);
  AudioComponentInstanceDispose(mUnit);
}

std::string HostComponent::Name() const
{
  CFRef<CFStringRef> name;
  if (AudioComponentCopyName(mComponent, name.Out()) != noErr)
    return {};
  return iplug::CFStringUtf8(name.Get());
}

OSStatus HostComponent::Initialize()
{
  const OSStatus status = AudioUnitInitialize(mUnit);
  if (status == noErr)
    mInitialized = true;
  return status;
}

OSStatus HostComponent::Uninitialize()
{
  const OSStatus status = AudioUnitUninitialize(mUnit);
  if (status == noErr)
    mInitialized = false;
  return status;
}

OSStatus HostComponent::GetParameter(AudioUnitParameterID id, AudioUnitParameterValue& value) const
{
  return AudioUnitGetParameter(mUnit, id, kAudioUnitScope_Global, 0, &value);
}

OSStatus HostComponent::SetParameter(AudioUnitParameterID id, AudioUnitParameterValue value)
{
  return AudioUnitSetParameter(mUnit, id, kAudioUnitScope_Global, 0, value, 0);
}

OSStatus HostComponent::SaveState(CFRef<CFPropertyListRef>& state) const
{
  CFPropertyListRef list = nullptr;
  const OSStatus status = Get(kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, list);
  state = CFRef<CFPropertyListRef>(status == noErr ? list : nullptr);
  return status;
}

OSStatus HostComponent::RestoreState(CFPropertyListRef state)
{
  return Set(kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, state);
}
