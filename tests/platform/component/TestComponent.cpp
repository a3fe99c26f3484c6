// A small audio component for the platform stand-ins' tests: one gain parameter (global scope, ID 0),
// the sample-rate property, one property listener and one render notification, a renderer that writes
// the gain into every sample, and two private properties that use the platform from inside the
// component's own code. Subtype 'opnf' makes Open fail.

#include <AudioToolbox/AudioToolbox.h>

#include <cstring>
#include <initializer_list>

namespace {

constexpr AudioUnitPropertyID kOwnResourcesProperty = 64000; // get: a new URL of the Resources folder, found by bundle identifier
constexpr AudioUnitPropertyID kPostGestureProperty = 64001;  // set: announces a begin, value and end gesture on parameter 0
constexpr OSType kOpenFailsSubtype = 0x6F706E66;             // 'opnf'

struct TestUnit {
  AudioComponentPlugInInterface plugin; // first: every method receives the unit as self
  bool openFails = false;
  AudioComponentInstance instance = nullptr;
  bool initialized = false;
  Float32 gain = 1.0f;
  Float64 sampleRate = 44100.0;
  AudioUnitPropertyID listenedProperty = 0;
  AudioUnitPropertyListenerProc listener = nullptr;
  void* listenerData = nullptr;
  AURenderCallback renderNotify = nullptr;
  void* renderNotifyData = nullptr;
};

TestUnit& Unit(void* self)
{
  return *static_cast<TestUnit*>(self);
}

template <class Proc>
AudioComponentMethod Method(Proc proc)
{
  return reinterpret_cast<AudioComponentMethod>(reinterpret_cast<void (*)()>(proc));
}

void PostGesture(TestUnit& unit)
{
  AudioUnitEvent event = {};
  event.mArgument.mParameter = {unit.instance, 0, kAudioUnitScope_Global, 0};
  for (AudioUnitEventType type : {kAudioUnitEvent_BeginParameterChangeGesture, kAudioUnitEvent_ParameterValueChange, kAudioUnitEvent_EndParameterChangeGesture})
  {
    event.mEventType = type;
    AUEventListenerNotify(nullptr, nullptr, &event);
  }
}

OSStatus Initialize(void* self)
{
  Unit(self).initialized = true;
  return noErr;
}

OSStatus Uninitialize(void* self)
{
  Unit(self).initialized = false;
  return noErr;
}

OSStatus GetPropertyInfo(void*, AudioUnitPropertyID id, AudioUnitScope, AudioUnitElement, UInt32* outDataSize, Boolean* outWritable)
{
  UInt32 size = 0;
  Boolean writable = false;
  switch (id)
  {
    case kAudioUnitProperty_SampleRate: size = sizeof(Float64); writable = true; break;
    case kOwnResourcesProperty: size = sizeof(CFURLRef); break;
    case kPostGestureProperty: size = sizeof(UInt32); writable = true; break;
    default: return kAudioUnitErr_InvalidProperty;
  }
  if (outDataSize)
    *outDataSize = size;
  if (outWritable)
    *outWritable = writable;
  return noErr;
}

OSStatus GetProperty(void* self, AudioUnitPropertyID id, AudioUnitScope, AudioUnitElement, void* outData, UInt32* ioDataSize)
{
  if (id == kAudioUnitProperty_SampleRate)
  {
    if (*ioDataSize < sizeof(Float64))
      return kAudioUnitErr_InvalidPropertyValue;
    std::memcpy(outData, &Unit(self).sampleRate, sizeof(Float64));
    *ioDataSize = sizeof(Float64);
    return noErr;
  }
  if (id == kOwnResourcesProperty)
  {
    CFBundleRef bundle = CFBundleGetBundleWithIdentifier(CFSTR("com.tidewell.test.component"));
    if (!bundle || *ioDataSize < sizeof(CFURLRef))
      return kAudioUnitErr_InvalidPropertyValue;
    CFURLRef resources = CFBundleCopyResourcesDirectoryURL(bundle);
    std::memcpy(outData, &resources, sizeof(CFURLRef));
    *ioDataSize = sizeof(CFURLRef);
    return noErr;
  }
  return kAudioUnitErr_InvalidProperty;
}

OSStatus SetProperty(void* self, AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element, const void* inData, UInt32 inDataSize)
{
  TestUnit& unit = Unit(self);
  if (id == kPostGestureProperty)
  {
    PostGesture(unit);
    return noErr;
  }
  if (id != kAudioUnitProperty_SampleRate)
    return kAudioUnitErr_InvalidProperty;
  if (!inData || inDataSize != sizeof(Float64))
    return kAudioUnitErr_InvalidPropertyValue;
  std::memcpy(&unit.sampleRate, inData, sizeof(Float64));
  if (unit.listener && unit.listenedProperty == id)
    unit.listener(unit.listenerData, unit.instance, id, scope, element);
  return noErr;
}

OSStatus GetParameter(void* self, AudioUnitParameterID id, AudioUnitScope scope, AudioUnitElement, AudioUnitParameterValue* outValue)
{
  if (id != 0)
    return kAudioUnitErr_InvalidParameter;
  if (scope != kAudioUnitScope_Global)
    return kAudioUnitErr_InvalidScope;
  *outValue = Unit(self).gain;
  return noErr;
}

OSStatus SetParameter(void* self, AudioUnitParameterID id, AudioUnitScope scope, AudioUnitElement, AudioUnitParameterValue value, UInt32)
{
  if (id != 0)
    return kAudioUnitErr_InvalidParameter;
  if (scope != kAudioUnitScope_Global)
    return kAudioUnitErr_InvalidScope;
  Unit(self).gain = value;
  return noErr;
}

OSStatus ScheduleParameters(void* self, const AudioUnitParameterEvent* events, UInt32 numEvents)
{
  for (UInt32 i = 0; i < numEvents; ++i)
  {
    const AudioUnitParameterEvent& event = events[i];
    const Float32 value = event.eventType == kParameterEvent_Immediate ? event.eventValues.immediate.value : event.eventValues.ramp.endValue;
    const OSStatus status = SetParameter(self, event.parameter, event.scope, event.element, value, 0);
    if (status != noErr)
      return status;
  }
  return noErr;
}

OSStatus Reset(void* self, AudioUnitScope, AudioUnitElement)
{
  Unit(self).gain = 1.0f;
  return noErr;
}

OSStatus AddPropertyListener(void* self, AudioUnitPropertyID id, AudioUnitPropertyListenerProc proc, void* userData)
{
  TestUnit& unit = Unit(self);
  unit.listenedProperty = id;
  unit.listener = proc;
  unit.listenerData = userData;
  return noErr;
}

OSStatus RemovePropertyListenerWithUserData(void* self, AudioUnitPropertyID id, AudioUnitPropertyListenerProc proc, void* userData)
{
  TestUnit& unit = Unit(self);
  if (unit.listenedProperty == id && unit.listener == proc && unit.listenerData == userData)
    unit.listener = nullptr;
  return noErr;
}

OSStatus AddRenderNotify(void* self, AURenderCallback proc, void* userData)
{
  Unit(self).renderNotify = proc;
  Unit(self).renderNotifyData = userData;
  return noErr;
}

OSStatus RemoveRenderNotify(void* self, AURenderCallback proc, void* userData)
{
  TestUnit& unit = Unit(self);
  if (unit.renderNotify == proc && unit.renderNotifyData == userData)
    unit.renderNotify = nullptr;
  return noErr;
}

OSStatus Render(void* self, AudioUnitRenderActionFlags*, const AudioTimeStamp* timeStamp, UInt32 bus, UInt32 frames, AudioBufferList* ioData)
{
  TestUnit& unit = Unit(self);
  if (!unit.initialized)
    return kAudioUnitErr_Uninitialized;
  AudioUnitRenderActionFlags flags = kAudioUnitRenderAction_PreRender;
  if (unit.renderNotify)
    unit.renderNotify(unit.renderNotifyData, &flags, timeStamp, bus, frames, ioData);
  for (UInt32 b = 0; b < ioData->mNumberBuffers; ++b)
  {
    auto* samples = static_cast<Float32*>(ioData->mBuffers[b].mData);
    for (UInt32 i = 0; i < frames; ++i)
      samples[i] = unit.gain;
  }
  flags = kAudioUnitRenderAction_PostRender;
  if (unit.renderNotify)
    unit.renderNotify(unit.renderNotifyData, &flags, timeStamp, bus, frames, ioData);
  return noErr;
}

AudioComponentMethod Lookup(SInt16 selector)
{
  switch (selector)
  {
    case kAudioUnitInitializeSelect: return Method(Initialize);
    case kAudioUnitUninitializeSelect: return Method(Uninitialize);
    case kAudioUnitGetPropertyInfoSelect: return Method(GetPropertyInfo);
    case kAudioUnitGetPropertySelect: return Method(GetProperty);
    case kAudioUnitSetPropertySelect: return Method(SetProperty);
    case kAudioUnitGetParameterSelect: return Method(GetParameter);
    case kAudioUnitSetParameterSelect: return Method(SetParameter);
    case kAudioUnitScheduleParametersSelect: return Method(ScheduleParameters);
    case kAudioUnitResetSelect: return Method(Reset);
    case kAudioUnitAddPropertyListenerSelect: return Method(AddPropertyListener);
    case kAudioUnitRemovePropertyListenerWithUserDataSelect: return Method(RemovePropertyListenerWithUserData);
    case kAudioUnitAddRenderNotifySelect: return Method(AddRenderNotify);
    case kAudioUnitRemoveRenderNotifySelect: return Method(RemoveRenderNotify);
    case kAudioUnitRenderSelect: return Method(Render);
    default: return nullptr;
  }
}

OSStatus Open(void* self, AudioComponentInstance instance)
{
  TestUnit& unit = Unit(self);
  unit.instance = instance;
  return unit.openFails ? OSStatus(kAudioUnitErr_FailedInitialization) : OSStatus(noErr);
}

OSStatus Close(void* self)
{
  delete &Unit(self);
  return noErr;
}

}

extern "C" __attribute__((visibility("default"))) AudioComponentPlugInInterface* TestComponent_Factory(const AudioComponentDescription* description)
{
  auto* unit = new TestUnit();
  unit->plugin = {Open, Close, Lookup, nullptr};
  unit->openFails = description && description->componentSubType == kOpenFailsSubtype;
  return &unit->plugin;
}
